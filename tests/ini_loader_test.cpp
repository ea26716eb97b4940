// The model database loader: field split, field rules per section, counts, numbers, translate.
#include "model/ini_loader.h"

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {
namespace {

bool IsEmpty(const TModel& m) {
    return m.Code.empty() && m.Name.empty() && !m.Ch4 && !m.Ch8 && !m.Ch12 && !m.Ch16 &&
           !m.Hybrid && m.FirstIpChannel == 0;
}
bool IsEmpty(const TQualitySize& q) {
    return q.Model.empty() && q.Standard.empty() && q.Resolution.empty() && q.Quality.empty() &&
           q.Camera.empty() && !q.Flag && q.FrameSize == 0;
}
bool IsEmpty(const TRate& r) {
    return r.Model.empty() && r.Standard.empty() && r.Channels.empty() && r.Resolution.empty() &&
           r.MaxFps.empty();
}
bool IsEmpty(const THiSiliconData& h) {
    for (double rate : h.DataRates) {
        if (rate != 0)
            return false;
    }
    return h.Model.empty() && h.Standard.empty() && h.Channels.empty() && h.Resolution.empty() &&
           h.Quality.empty();
}

// Pins the separators for each test and puts the previous ones back.
class IniLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = Separators();
        SetSeparators({'.', ','});
    }
    void TearDown() override { SetSeparators(saved_); }

    TranslationTable table_;  // empty: translate hands every text back unchanged

  private:
    NumberSeparators saved_;
};

TEST(FieldSplit, CutsAtBarsAndIgnoresOneFinalBar) {
    struct Case {
        const char* value;
        std::vector<std::string> fields;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a|b|", {"a", "b"}},
        {"a|b", {"a", "b"}},
        {"|", {""}},
        {"||", {"", ""}},
        {"a||b|", {"a", "", "b"}},
        {"A|B|Y|Y|Y|Y||", {"A", "B", "Y", "Y", "Y", "Y", ""}},
        {" a | b ", {" a ", " b "}},
        {"a|b||", {"a", "b", ""}},
        // A line break inside a value ends a field too; CR LF counts once.
        {"a\r\nb|c", {"a", "b", "c"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a|\rb", {"a", "", "b"}},
        {"a\r|b", {"a", "", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(FieldSplit(c.value), c.fields) << c.value;
}

TEST_F(IniLoaderTest, AppliesTheFieldRulesOfEachSection) {
    const ModelDatabase db =
        LoadModelDatabaseFile(TESSAVO_TEST_DATA "/ini_loader_edge.ini", table_);

    ASSERT_EQ(db.Models.size(), 6u);
    const TModel& a = db.Models[0];
    EXPECT_EQ(a.Code, "A");
    EXPECT_EQ(a.Name, "B");
    EXPECT_TRUE(a.Ch4 && a.Ch8 && a.Ch12 && a.Ch16);
    EXPECT_FALSE(a.Hybrid);
    EXPECT_EQ(a.FirstIpChannel, 3);

    const TModel& lower = db.Models[1];
    EXPECT_FALSE(lower.Ch4) << "a lower-case y is not Y";
    EXPECT_TRUE(lower.Ch8 && lower.Ch12 && lower.Ch16);
    EXPECT_TRUE(lower.Hybrid) << "anything but N is hybrid";
    EXPECT_EQ(lower.FirstIpChannel, 0);

    EXPECT_TRUE(IsEmpty(db.Models[2])) << "seven fields";
    EXPECT_TRUE(IsEmpty(db.Models[3])) << "missing key";
    const TModel& nine = db.Models[4];
    EXPECT_EQ(nine.Code, "C");
    EXPECT_EQ(nine.Name, "D");
    EXPECT_FALSE(nine.Ch4);
    EXPECT_TRUE(nine.Ch8);
    EXPECT_FALSE(nine.Ch12);
    EXPECT_TRUE(nine.Ch16);
    EXPECT_TRUE(nine.Hybrid) << "an empty field is not N";
    EXPECT_EQ(nine.FirstIpChannel, 7);
    EXPECT_TRUE(IsEmpty(db.Models[5])) << "empty value";

    ASSERT_EQ(db.QualitySizes.size(), 3u);
    const TQualitySize& q = db.QualitySizes[0];
    EXPECT_EQ(q.Model, "QT20");
    EXPECT_EQ(q.Standard, "NTSC");
    EXPECT_EQ(q.Resolution, "D1");
    EXPECT_EQ(q.Quality, "HIGH");
    EXPECT_EQ(q.Camera, "ANALOG");
    EXPECT_DOUBLE_EQ(q.FrameSize, 12.5);
    EXPECT_TRUE(q.Flag);
    EXPECT_TRUE(IsEmpty(db.QualitySizes[1])) << "six fields";
    EXPECT_EQ(db.QualitySizes[2].Quality, "LOW");
    EXPECT_EQ(db.QualitySizes[2].FrameSize, 0) << "not a number";
    EXPECT_FALSE(db.QualitySizes[2].Flag);

    ASSERT_EQ(db.Rates.size(), 3u);
    EXPECT_EQ(db.Rates[0].Channels, "4");
    EXPECT_EQ(db.Rates[0].MaxFps, "30FPS");
    EXPECT_TRUE(IsEmpty(db.Rates[1])) << "key 01 is not key 1";
    const TRate& r = db.Rates[2];
    EXPECT_EQ(r.Model, "QT20");
    EXPECT_EQ(r.Standard, "PAL");
    EXPECT_EQ(r.Channels, "16");
    EXPECT_EQ(r.Resolution, "CIF");
    EXPECT_EQ(r.MaxFps, "25");

    ASSERT_EQ(db.HiSilicon.size(), 2u);
    const THiSiliconData& h = db.HiSilicon[0];
    EXPECT_EQ(h.Model, "ZN50");
    EXPECT_EQ(h.Quality, "HIGH");
    const std::array<double, 10> rates{1, 2, 3, 4, 5, 6, 7, 10, 15, 30};
    EXPECT_EQ(h.DataRates, rates);
    EXPECT_TRUE(IsEmpty(db.HiSilicon[1])) << "sixteen fields";
}

TEST_F(IniLoaderTest, CountKeyDecidesTheNumberOfElements) {
    struct Case {
        const char* countLine;
        std::size_t models;
    } cases[] = {
        {"CNT=abc", 0},
        {"", 0},
        {"CNT=", 0},
        {"CNT=-3", 0},
        {"CNT=-2147483648", 0},
        {"CNT=2.0", 0},
        {"CNT=99999999999", 0},
        {"CNT=1", 1},
        {"cnt= 2 ", 2},
        {"CNT=\"3\"", 3},
        {"CNT=$4", 4},
    };
    for (const Case& c : cases) {
        const ProfileIni ini = ProfileIni::FromBytes(std::string("[MODEL]\n") + c.countLine +
                                                     "\n0=A|A|Y|Y|Y|Y|N|0|\n1=B|B|Y|Y|Y|Y|N|0|\n"
                                                     "2=C|C|Y|Y|Y|Y|N|0|\n");
        const ModelDatabase db = LoadModelDatabase(ini, table_);
        ASSERT_EQ(db.Models.size(), c.models) << c.countLine;
        const char* codes[] = {"A", "B", "C", ""};
        for (std::size_t i = 0; i < c.models; ++i) EXPECT_EQ(db.Models[i].Code, codes[i]);
    }
}

TEST_F(IniLoaderTest, MissingKeysLeaveEmptyElementsInKeyOrder) {
    const ProfileIni ini =
        ProfileIni::FromBytes("[MODEL]\n2=C|C|N|N|N|Y|N|0|\nCNT=3\n0=A|A|Y|N|N|N|N|0|\n");
    const ModelDatabase db = LoadModelDatabase(ini, table_);
    ASSERT_EQ(db.Models.size(), 3u);
    EXPECT_EQ(db.Models[0].Code, "A");
    EXPECT_TRUE(IsEmpty(db.Models[1]));
    EXPECT_EQ(db.Models[2].Code, "C");
    EXPECT_TRUE(db.Models[2].Ch16);
    EXPECT_TRUE(db.QualitySizes.empty() && db.Rates.empty() && db.HiSilicon.empty());
}

TEST_F(IniLoaderTest, MissingFileGivesAnEmptyDatabase) {
    const ModelDatabase db =
        LoadModelDatabaseFile(TESSAVO_TEST_DATA "/no_such_database.ini", table_);
    EXPECT_TRUE(db.Models.empty() && db.QualitySizes.empty() && db.Rates.empty() &&
                db.HiSilicon.empty());
}

TEST_F(IniLoaderTest, HugeCountIsCappedAndStaysFast) {
    const std::string cap = FormatInt(kMaxRecordsPerSection);
    const std::string last = FormatInt(kMaxRecordsPerSection - 1);
    const ProfileIni ini = ProfileIni::FromBytes(
        "[MODEL]\nCNT=2147483647\n" + last + "=LAST|L|Y|Y|Y|Y|N|0|\n" + cap +
        "=BEYOND|B|Y|Y|Y|Y|N|0|\n[QUAL]\nCNT=2147483647\n[RATE]\nCNT=300000\n" + last +
        "=LAST|NTSC|4|D1|30FPS|\n[HIS]\nCNT=2147483647\n");

    const auto start = std::chrono::steady_clock::now();
    const ModelDatabase db = LoadModelDatabase(ini, table_);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    const std::size_t max = static_cast<std::size_t>(kMaxRecordsPerSection);
    ASSERT_EQ(db.Models.size(), max);
    EXPECT_LE(db.Models.capacity(), max);
    EXPECT_EQ(db.Models[max - 1].Code, "LAST");
    EXPECT_EQ(db.QualitySizes.size(), max);
    EXPECT_LE(db.QualitySizes.capacity(), max);
    ASSERT_EQ(db.Rates.size(), max);
    EXPECT_EQ(db.Rates[max - 1].Model, "LAST");
    EXPECT_EQ(db.HiSilicon.size(), max);
    EXPECT_LE(db.HiSilicon.capacity(), max);
    // Each of the 800,000 keys is one indexed lookup; a per-key scan would take minutes.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 10);
}

TEST_F(IniLoaderTest, NumbersUseTheProcessSeparators) {
    const ProfileIni ini = ProfileIni::FromBytes(
        "[QUAL]\nCNT=2\n0=M|NTSC|D1|HIGH|ANALOG|12,5|Y|\n1=M|NTSC|D1|LOW|ANALOG|12.5|Y|\n"
        "[HIS]\nCNT=1\n0=ZN50|PAL|4|D1|LOW|0,5|1|1,25|-2,5|1e3|1.5|x||7,0|30|\n");
    SetSeparators({',', '.'});
    const ModelDatabase db = LoadModelDatabase(ini, table_);
    ASSERT_EQ(db.QualitySizes.size(), 2u);
    EXPECT_DOUBLE_EQ(db.QualitySizes[0].FrameSize, 12.5);
    EXPECT_EQ(db.QualitySizes[1].FrameSize, 0) << "a dot is no decimal separator here";
    ASSERT_EQ(db.HiSilicon.size(), 1u);
    const std::array<double, 10> rates{0.5, 1, 1.25, -2.5, 1000, 0, 0, 0, 7, 30};
    EXPECT_EQ(db.HiSilicon[0].DataRates, rates);
}

TEST_F(IniLoaderTest, StringFieldsPassThroughTranslateInFieldOrder) {
    ASSERT_TRUE(table_.LoadFromBytes("1 HIGH\n2 Hoch\n1 ANALOG\n2 Analog-Kamera\n"));
    // Sections in the file in reverse: the loader still reads MODEL, QUAL, RATE, HIS.
    const ProfileIni ini = ProfileIni::FromBytes(
        "[HIS]\nCNT=1\n0=ZN50|NTSC|4|D1|high|1|2|3|4|5|6|7|10|15|30|\n"
        "[RATE]\nCNT=1\n0=QT20|PAL|16|CIF|25FPS|\n"
        "[QUAL]\nCNT=2\n0=QT20|NTSC|D1|HIGH|ANALOG|12.5|Y|\n1=SKIPPED|ROW|\n"
        "[MODEL]\nCNT=2\n0=VR50|Recorder Fifty|Y|Y|N|Y|N|0|\n1=REJECTED|x|\n");
    const ModelDatabase db = LoadModelDatabase(ini, table_);

    ASSERT_EQ(db.QualitySizes.size(), 2u);
    EXPECT_EQ(db.QualitySizes[0].Quality, "Hoch");
    EXPECT_EQ(db.QualitySizes[0].Camera, "Analog-Kamera");
    ASSERT_EQ(db.HiSilicon.size(), 1u);
    EXPECT_EQ(db.HiSilicon[0].Quality, "Hoch");
    ASSERT_EQ(db.Models.size(), 2u);
    EXPECT_EQ(db.Models[0].Name, "Recorder Fifty");

    // Unknown Latin texts are learned when translated: the learned tail shows which fields went
    // through translate and in which order. Numbers are never learned; rejected records never
    // reach translate.
    const std::vector<std::string> expected{"HIGH", "ANALOG", "VR50", "Recorder Fifty",
                                            "QT20", "NTSC",   "D1",   "PAL",
                                            "CIF",  "25FPS",  "ZN50"};
    std::vector<std::string> sources;
    for (std::size_t i = 0; i < table_.Count(); ++i)
        sources.push_back(Utf16ToUtf8(table_.SourceAt(i)));
    EXPECT_EQ(sources, expected);
}

}  // namespace
}  // namespace tessavo
