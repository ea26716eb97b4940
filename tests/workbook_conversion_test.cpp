// Workbook conversion: sheets to records, the INI written from them, messages and failures.
#include "model/workbook_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "model/ini_loader.h"
#include "platform/numbers.h"
#include "platform/profile_ini.h"
#include "xlsx_test_support.h"

namespace tessavo {
namespace {

using testing::TempFolder;
using testing::TestRow;
using testing::TestSheet;
using testing::TestWorkbook;

auto Fields(const TModel& m) {
    return std::tie(m.Code, m.Name, m.Ch4, m.Ch8, m.Ch12, m.Ch16, m.Hybrid, m.FirstIpChannel);
}
auto Fields(const TQualitySize& q) {
    return std::tie(q.Model, q.Standard, q.Resolution, q.Quality, q.Camera, q.Flag, q.FrameSize);
}
auto Fields(const TRate& r) {
    return std::tie(r.Model, r.Standard, r.Channels, r.Resolution, r.MaxFps);
}
auto Fields(const THiSiliconData& h) {
    return std::tie(h.Model, h.Standard, h.Channels, h.Resolution, h.Quality, h.DataRates);
}

template <typename Records>
void ExpectSameRecords(const Records& actual, const Records& expected, const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(Fields(actual[i]) == Fields(expected[i])) << what << " " << i;
}

void ExpectSameDatabase(const ModelDatabase& actual, const ModelDatabase& expected) {
    ExpectSameRecords(actual.Models, expected.Models, "model");
    ExpectSameRecords(actual.QualitySizes, expected.QualitySizes, "frame size");
    ExpectSameRecords(actual.Rates, expected.Rates, "rate");
    ExpectSameRecords(actual.HiSilicon, expected.HiSilicon, "data rates");
}

const TestRow kModelHeader = {"Code", "Name", "Convert", "4", "8", "12", "16", "IP"};
const TestRow kQualHeader = {"Model", "Std", "Res", "Quality", "Camera", "KB", "Flag"};
const TestRow kRateHeader = {"Model", "Std", "Ch", "Res", "MaxFps"};
const TestRow kHisHeader = {"Model", "Std", "Ch", "Res", "Quality", "1",  "2", "3",
                            "4",     "5",   "6",  "7",   "10",      "15", "30"};

const char* YesNo(bool value) {
    return value ? "Y" : "N";
}

// The sheets a database keeper would fill in for these records. Column H can say N (not
// hybrid) or give the first IP channel (hybrid), never both.
std::vector<TestSheet> SheetsFor(const ModelDatabase& db) {
    std::vector<TestSheet> sheets(4);
    sheets[0].push_back(kModelHeader);
    for (const TModel& m : db.Models) {
        testing::TestCell h = !m.Hybrid               ? testing::TestCell("N")
                              : m.FirstIpChannel != 0 ? testing::TestCell(m.FirstIpChannel)
                                                      : testing::TestCell("Y");
        sheets[0].push_back(
            {m.Code, m.Name, "Y", YesNo(m.Ch4), YesNo(m.Ch8), YesNo(m.Ch12), YesNo(m.Ch16), h});
    }
    sheets[1].push_back(kQualHeader);
    for (const TQualitySize& q : db.QualitySizes) {
        sheets[1].push_back(
            {q.Model, q.Standard, q.Resolution, q.Quality, q.Camera, q.FrameSize, YesNo(q.Flag)});
    }
    sheets[2].push_back(kRateHeader);
    for (const TRate& r : db.Rates) {
        // Channel counts are typed as numbers in a sheet; they show as the same text.
        int32_t channels = 0;
        const testing::TestCell count = TryParseInt(r.Channels, channels)
                                            ? testing::TestCell(channels)
                                            : testing::TestCell(r.Channels);
        sheets[2].push_back({r.Model, r.Standard, count, r.Resolution, r.MaxFps});
    }
    sheets[3].push_back(kHisHeader);
    for (const THiSiliconData& h : db.HiSilicon) {
        TestRow row = {h.Model, h.Standard, h.Channels, h.Resolution, h.Quality};
        for (const double rate : h.DataRates) row.emplace_back(rate);
        sheets[3].push_back(row);
    }
    return sheets;
}

class Conversion : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = Separators();
        SetSeparators({'.', ','});
        paths_ = ConversionPaths::InFolder(folder_.Path());
    }
    void TearDown() override { SetSeparators(saved_); }

    void WriteWorkbook(const std::vector<TestSheet>& sheets) {
        TestWorkbook wb(paths_.workbook);
        for (const TestSheet& sheet : sheets) wb.AddSheet(sheet);
    }
    ConversionResult Convert(const ModelDatabase& current = {}) {
        steps_ = 0;
        return ConvertWorkbook(paths_, current, [this] { ++steps_; });
    }
    ModelDatabase LoadIni() {
        TranslationTable table;  // empty: texts load as written
        return LoadModelDatabaseFile(paths_.ini, table);
    }
    std::string IniValue(const char* section, const char* key) {
        return ProfileIni::FromFile(paths_.ini).GetString(section, key, "<absent>");
    }
    void ExpectConverted(const ConversionResult& result) {
        EXPECT_EQ(result.outcome, ConversionOutcome::Converted);
        EXPECT_TRUE(result.messages.empty());
        EXPECT_TRUE(result.ShowsEnd());
    }

    TempFolder folder_;
    ConversionPaths paths_;
    int steps_ = 0;

  private:
    NumberSeparators saved_;
};

ModelDatabase SmallDatabase() {
    ModelDatabase db;
    db.Models = {
        {"VR50", "VR50", true, true, false, true, false, 0},
        {"QT20", "QT20 network recorder", true, true, false, true, true, 1},
        {"QT90", "QT90 hybrid", false, true, true, true, true, 0},
    };
    db.QualitySizes = {
        {"QT20", "NTSC", "D1", "HIGH", "ANALOG", true, 12.5},
        {"QT20", "PAL", "CIF", "LOW", "JE2", false, 21.773},
        {"VR50", "NTSC", "720P", "ULTRA", "ANALOG", true, 0.0625},
    };
    db.Rates = {
        {"QT20", "NTSC", "4", "D1", "30FPS"},
        {"VR50", "PAL", "16", "CIF", "25"},
    };
    db.HiSilicon = {
        {"ZN50", "NTSC", "16", "D1", "HIGH", {1, 2.5, 3, 4, 5, 6, 7, 10, 15, 30000.125}},
    };
    return db;
}

TEST_F(Conversion, RoundTripThroughTheLoaderReproducesTheRecords) {
    const ModelDatabase db = SmallDatabase();
    WriteWorkbook(SheetsFor(db));
    const ConversionResult result = Convert();
    ExpectConverted(result);
    ExpectSameDatabase(result.database, db);
    ExpectSameDatabase(LoadIni(), db);
    EXPECT_EQ(steps_, 3 + 3 + 2 + 1) << "one step per row taken";
    EXPECT_EQ(IniValue("MODEL", "0"), "VR50|VR50|Y|Y|N|Y|N|0|");
    EXPECT_EQ(IniValue("QUAL", "0"), "QT20|NTSC|D1|HIGH|ANALOG|12.5|Y|");
    EXPECT_EQ(IniValue("HIS", "0"), "ZN50|NTSC|16|D1|HIGH|1|2.5|3|4|5|6|7|10|15|30000.125|");
    EXPECT_EQ(IniValue("HIS", "CNT"), "1");
}

TEST_F(Conversion, SampleDatabaseSurvivesTheRoundTrip) {
    TranslationTable table;
    const ModelDatabase sample = LoadModelDatabaseFile(TESSAVO_SAMPLE_DATA "/HddInfo.ini", table);
    ASSERT_FALSE(sample.Models.empty());
    WriteWorkbook(SheetsFor(sample));
    ExpectConverted(Convert());
    // One column cannot say "not hybrid" and name a first IP channel at once: such a model
    // comes back with channel 0.
    ModelDatabase expected = sample;
    for (TModel& m : expected.Models) {
        if (!m.Hybrid)
            m.FirstIpChannel = 0;
    }
    ExpectSameDatabase(LoadIni(), expected);
}

TEST_F(Conversion, ModelRowsNeedExactlyYInColumnC) {
    struct Case {
        const char* c;
        bool taken;
    } cases[] = {{"Y", true},  {"y", false},   {"", false},
                 {"N", false}, {"YES", false}, {" Y", false}};
    TestSheet models = {kModelHeader};
    std::vector<std::string> expected;
    int n = 0;
    for (const Case& c : cases) {
        const std::string code = "M" + std::to_string(n++);
        models.push_back({code, code, c.c, "Y", "Y", "Y", "Y", "N"});
        if (c.taken)
            expected.push_back(code);
    }
    WriteWorkbook({models, {kQualHeader}, {kRateHeader}, {kHisHeader}});
    const ConversionResult result = Convert();
    ExpectConverted(result);
    std::vector<std::string> codes;
    for (const TModel& m : result.database.Models) codes.push_back(m.Code);
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(steps_, static_cast<int>(expected.size()));
    EXPECT_EQ(IniValue("MODEL", "CNT"), std::to_string(expected.size()));
}

TEST_F(Conversion, ColumnHFeedsHybridAndFirstIpChannel) {
    struct Case {
        testing::TestCell h;
        const char* value;  // the MODEL value written
    } cases[] = {
        {"N", "A|B|Y|N|Y|N|N|0|"},  {5, "A|B|Y|N|Y|N|Y|5|"},  {"5", "A|B|Y|N|Y|N|Y|5|"},
        {"Y", "A|B|Y|N|Y|N|Y|0|"},  {"", "A|B|Y|N|Y|N|Y|0|"}, {"n", "A|B|Y|N|Y|N|Y|0|"},
        {"3a", "A|B|Y|N|Y|N|Y|0|"},
    };
    TestSheet models = {kModelHeader};
    for (const Case& c : cases) models.push_back({"A", "B", "Y", "Y", "N", "Y", "N", c.h});
    WriteWorkbook({models, {kQualHeader}, {kRateHeader}, {kHisHeader}});
    ExpectConverted(Convert());
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(IniValue("MODEL", std::to_string(i).c_str()), cases[i].value) << i;
}

TEST_F(Conversion, HeaderOnlySheetsGiveCountZeroAndOlderKeysStay) {
    testing::WriteBytes(paths_.ini,
                        "; kept comment\r\n[MODEL]\r\nCNT=3\r\n0=OLD0|\r\n1=OLD1|\r\n2=OLD2|\r\n"
                        "[EXTRA]\r\nfoo=bar\r\n[HIS]\r\nCNT=1\r\n0=OLDHIS|\r\n");
    WriteWorkbook({{kModelHeader, {"NEW", "NEW", "Y", "Y", "Y", "Y", "Y", "N"}},
                   {kQualHeader},
                   {kRateHeader},
                   {kHisHeader}});
    ExpectConverted(Convert());
    EXPECT_EQ(IniValue("MODEL", "CNT"), "1");
    EXPECT_EQ(IniValue("MODEL", "0"), "NEW|NEW|Y|Y|Y|Y|N|0|");
    EXPECT_EQ(IniValue("MODEL", "1"), "OLD1|") << "keys beyond CNT are left as they were";
    EXPECT_EQ(IniValue("MODEL", "2"), "OLD2|");
    EXPECT_EQ(IniValue("EXTRA", "foo"), "bar");
    EXPECT_EQ(IniValue("HIS", "0"), "OLDHIS|");
    for (const char* section : {"QUAL", "RATE", "HIS"}) EXPECT_EQ(IniValue(section, "CNT"), "0");
    EXPECT_NE(testing::ReadBytes(paths_.ini).find("; kept comment"), std::string::npos);
}

TEST_F(Conversion, EmptyRowsAreSkippedUpToTheUsedRange) {
    TestSheet quals = {kQualHeader,
                       {"Q1", "NTSC", "D1", "HIGH", "ANALOG", 1, "Y"},
                       {},
                       // column A empty, the rest filled: skipped as well
                       {"", "PAL", "D1", "HIGH", "ANALOG", 2, "Y"},
                       {"Q2", "PAL", "CIF", "LOW", "ANALOG", 3, "N"}};
    TestSheet his = {kHisHeader,
                     {},
                     {"Z1", "NTSC", "4", "D1", "HIGH", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                     {},
                     {"Z2", "PAL", "4", "D1", "LOW", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    WriteWorkbook({{kModelHeader}, quals, {kRateHeader, {}, {"R1", "NTSC", 4, "D1", "30"}}, his});
    const ConversionResult result = Convert();
    ExpectConverted(result);
    ASSERT_EQ(result.database.QualitySizes.size(), 2u);
    EXPECT_EQ(result.database.QualitySizes[1].Model, "Q2");
    EXPECT_EQ(IniValue("QUAL", "CNT"), "2");
    EXPECT_EQ(IniValue("RATE", "0"), "R1|NTSC|4|D1|30|");
    EXPECT_EQ(IniValue("HIS", "CNT"), "2");
    EXPECT_EQ(IniValue("HIS", "1"), "Z2|PAL|4|D1|LOW|1|2|3|4|5|6|7|8|9|10|");
    EXPECT_EQ(steps_, 2 + 1 + 2);
}

TEST_F(Conversion, ThreeWorksheetsEndInLoadingErrorAndLeaveTheIniAlone) {
    const std::string old = "[MODEL]\r\nCNT=1\r\n0=OLD|OLD|Y|Y|Y|Y|N|0|\r\n";
    testing::WriteBytes(paths_.ini, old);
    const ModelDatabase db = SmallDatabase();
    std::vector<TestSheet> sheets = SheetsFor(db);
    sheets.pop_back();
    WriteWorkbook(sheets);
    ModelDatabase current;
    current.HiSilicon = {{"OLDHIS", "NTSC", "4", "D1", "LOW", {}}};
    const ConversionResult result = Convert(current);
    EXPECT_EQ(result.outcome, ConversionOutcome::ReadFailed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].icon, MessageIcon::Warning);
    const std::string prefix = "Loading error\r\n";
    EXPECT_EQ(result.messages[0].text.substr(0, prefix.size()), prefix);
    EXPECT_GT(result.messages[0].text.size(), prefix.size()) << "the reason follows";
    EXPECT_TRUE(result.ShowsEnd());
    EXPECT_EQ(testing::ReadBytes(paths_.ini), old);
    // What was read up to the error stays; the fourth array was emptied when reached.
    ExpectSameRecords(result.database.Models, db.Models, "model");
    ExpectSameRecords(result.database.Rates, db.Rates, "rate");
    EXPECT_TRUE(result.database.HiSilicon.empty());
}

TEST_F(Conversion, DamagedWorkbookIsALoadingErrorWithArraysUnchanged) {
    testing::WriteBytes(paths_.workbook, "Code;Name\nVR50;VR50\n");
    const ModelDatabase current = SmallDatabase();
    const ConversionResult result = Convert(current);
    EXPECT_EQ(result.outcome, ConversionOutcome::ReadFailed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(result.messages[0].text.rfind("Loading error\r\n", 0), 0u);
    ExpectSameDatabase(result.database, current);
    EXPECT_FALSE(std::filesystem::exists(paths_.ini));
}

TEST_F(Conversion, MissingWorkbookDoesNothing) {
    const std::string old = "[MODEL]\nCNT=0\n";
    testing::WriteBytes(paths_.ini, old);
    const ModelDatabase current = SmallDatabase();
    const ConversionResult result = Convert(current);
    EXPECT_EQ(result.outcome, ConversionOutcome::NoWorkbook);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_TRUE(result.ShowsEnd());
    EXPECT_EQ(steps_, 0);
    ExpectSameDatabase(result.database, current);
    EXPECT_EQ(testing::ReadBytes(paths_.ini), old);

    std::filesystem::create_directory(paths_.workbook);  // a folder is no workbook either
    EXPECT_EQ(Convert(current).outcome, ConversionOutcome::NoWorkbook);
}

enum class Unwritable { IniIsAFolder, ParentIsAFile, LineBreakInACell };

class UnwritableIni : public Conversion, public ::testing::WithParamInterface<Unwritable> {};

TEST_P(UnwritableIni, ShowsUnableToWriteAndKeepsTheOldFile) {
    const std::string old = "[MODEL]\r\nCNT=1\r\n0=OLD|OLD|Y|Y|Y|Y|N|0|\r\n[EXTRA]\r\nk=v\r\n";
    ModelDatabase db = SmallDatabase();
    switch (GetParam()) {
        case Unwritable::IniIsAFolder:
            std::filesystem::create_directory(paths_.ini);
            break;
        case Unwritable::ParentIsAFile:
            testing::WriteBytes(folder_.File("plain"), "a file, not a folder");
            paths_.ini = folder_.File("plain") + "/HddInfo.ini";
            break;
        case Unwritable::LineBreakInACell:
            testing::WriteBytes(paths_.ini, old);
            db.Rates[1].MaxFps = "25\nCNT=999";
            break;
    }
    WriteWorkbook(SheetsFor(db));
    const ConversionResult result = Convert();
    EXPECT_EQ(result.outcome, ConversionOutcome::WriteFailed);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(result.messages[0].text, "Unable to write to " + paths_.ini);
    EXPECT_FALSE(result.ShowsEnd()) << "the failure ends the handler before \"end\"";
    EXPECT_FALSE(result.reason.empty());
    if (GetParam() == Unwritable::LineBreakInACell) {
        EXPECT_EQ(testing::ReadBytes(paths_.ini), old);
    } else {
        EXPECT_FALSE(std::filesystem::is_regular_file(paths_.ini));
    }
    // Nothing left behind next to the target.
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "HddInfo.xlsx" || name == "HddInfo.ini" || name == "plain") << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwritableIni,
                         ::testing::Values(Unwritable::IniIsAFolder, Unwritable::ParentIsAFile,
                                           Unwritable::LineBreakInACell),
                         [](const auto& info) {
                             switch (info.param) {
                                 case Unwritable::IniIsAFolder:
                                     return "IniIsAFolder";
                                 case Unwritable::ParentIsAFile:
                                     return "ParentIsAFile";
                                 default:
                                     return "LineBreakInACell";
                             }
                         });

TEST_F(Conversion, CellsAreReadAsDisplayed) {
    {
        TestWorkbook wb(paths_.workbook);
        wb.AddSheet({kModelHeader});
        lxw_worksheet* quals = wb.AddSheet({kQualHeader});
        struct Size {
            double value;
            const char* format;
            const char* written;  // the frame size field in the INI
        } sizes[] = {
            {1234567.891234, nullptr, "1234567.891"},  // General: 11 characters
            {12.25, "0.0", "12.3"},
            {1234.5, "#,##0.00", "1234.5"},  // thousands separators are read through
            {1234567, "#,##0", "1234567"},
            {0.5, "0%", "0"},  // 50% is not a number
            {12.5, "0\"KB\"", "0"},
            {12.5, "@", "12.5"},
            {0.00012, "0.00E+00", "0.00012"},
        };
        lxw_row_t row = 1;
        for (const Size& s : sizes) {
            worksheet_write_string(quals, row, 0, "QT20", nullptr);
            worksheet_write_number(quals, row, 5, s.value,
                                   s.format ? wb.NumberFormat(s.format) : nullptr);
            ++row;
        }
        // Flag: a boolean shows TRUE, which is not Y; a formula shows its cached result.
        worksheet_write_string(quals, row, 0, "QT20", nullptr);
        worksheet_write_boolean(quals, row, 6, 1, nullptr);
        worksheet_write_formula_num(quals, row, 5, "=2*3", nullptr, 6);
        ++row;
        worksheet_write_string(quals, row, 0, "QT20", nullptr);
        worksheet_write_formula_str(quals, row, 6, "=\"Y\"", nullptr, "Y");
        lxw_worksheet* rates = wb.AddSheet({kRateHeader});
        worksheet_write_string(rates, 1, 0, "QT20", nullptr);
        worksheet_write_number(rates, 1, 2, 16, wb.NumberFormat("@"));
        worksheet_write_number(rates, 1, 4, 30, wb.NumberFormat("0\"FPS\""));
        wb.AddSheet({kHisHeader});
        std::vector<std::string> expected;
        for (const Size& s : sizes) expected.push_back(s.written);
        wb.Close();
        ExpectConverted(Convert());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(IniValue("QUAL", std::to_string(i).c_str()),
                      "QT20|||||" + expected[i] + "|N|")
                << sizes[i].format;
        }
    }
    EXPECT_EQ(IniValue("QUAL", "8"), "QT20|||||6|N|");
    EXPECT_EQ(IniValue("QUAL", "9"), "QT20|||||0|Y|");
    EXPECT_EQ(IniValue("RATE", "0"), "QT20||16||30FPS|");
}

TEST_F(Conversion, NumbersFollowTheUsersSeparators) {
    SetSeparators({',', '.'});
    {
        TestWorkbook wb(paths_.workbook);
        wb.AddSheet({kModelHeader});
        lxw_worksheet* quals = wb.AddSheet({kQualHeader});
        worksheet_write_string(quals, 1, 0, "QT20", nullptr);
        worksheet_write_number(quals, 1, 5, 1234.5, wb.NumberFormat("#,##0.00"));  // 1.234,50
        worksheet_write_string(quals, 2, 0, "QT20", nullptr);
        worksheet_write_string(quals, 2, 5, "12.5", nullptr);  // typed with the wrong point
        wb.AddSheet({kRateHeader});
        wb.AddSheet({kHisHeader});
    }
    const ConversionResult result = Convert();
    ExpectConverted(result);
    ASSERT_EQ(result.database.QualitySizes.size(), 2u);
    EXPECT_EQ(result.database.QualitySizes[0].FrameSize, 1234.5);
    EXPECT_EQ(IniValue("QUAL", "0"), "QT20|||||1234,5|N|");
    EXPECT_EQ(result.database.QualitySizes[1].FrameSize, 0);
}

TEST_F(Conversion, MoreThan999ModelsAreAllTaken) {
    TestSheet models = {kModelHeader};
    for (int i = 0; i < 1200; ++i) {
        const std::string code = "M" + std::to_string(i);
        models.push_back({code, code, "Y", "Y", "N", "N", "N", "N"});
    }
    WriteWorkbook({models, {kQualHeader}, {kRateHeader}, {kHisHeader}});
    const ConversionResult result = Convert();
    ExpectConverted(result);
    EXPECT_EQ(result.database.Models.size(), 1200u);
    EXPECT_EQ(steps_, 1200);
    EXPECT_EQ(IniValue("MODEL", "CNT"), "1200");
    EXPECT_EQ(IniValue("MODEL", "1199"), "M1199|M1199|Y|N|N|N|N|0|");
    EXPECT_EQ(LoadIni().Models.size(), 1200u);
}

TEST(CellNumber, ReadsGroupedThousandsAndNothingElse) {
    SetSeparators({'.', ','});
    struct Case {
        const char* text;
        double number;
    } cases[] = {
        {"12.5", 12.5},      {"1234", 1234},
        {"1,234.5", 1234.5}, {"12,345,678", 12345678},
        {"-1,234", -1234},   {"1.5E-05", 1.5e-5},
        {"50%", 0},          {"1,2", 0},
        {"1,23,456", 0},     {"1234,567", 0},
        {",123", 0},         {"1,234.5,6", 0},
        {"1.234,5", 0},      {"", 0},
        {"30FPS", 0},        {"(1,234)", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(CellNumber(c.text), c.number) << c.text;
    EXPECT_EQ(CellInteger("1,234"), 1234);
    EXPECT_EQ(CellInteger("12"), 12);
    EXPECT_EQ(CellInteger("1.5"), 0);
    EXPECT_EQ(CellInteger("N"), 0);
    SetSeparators({',', '.'});
    EXPECT_EQ(CellNumber("1.234,5"), 1234.5);
    EXPECT_EQ(CellNumber("1,234.5"), 0);
    SetSeparators({'.', ','});
}

}  // namespace
}  // namespace tessavo
