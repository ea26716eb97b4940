// The bundled workbook data/HddInfo.xlsx: what its generator writes, and converted it gives back
// the sample database.
#include "tools/sample_workbook/sample_workbook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "database_records.h"
#include "model/ini_loader.h"
#include "model/workbook_conversion.h"
#include "pinned_separators.h"
#include "platform/numbers.h"
#include "platform/xlsx_workbook.h"
#include "xlsx_test_support.h"

namespace tessavo {
namespace {

using testing::TempFolder;

const std::string kShippedWorkbook = TESSAVO_SAMPLE_DATA "/HddInfo.xlsx";
const std::string kSampleIni = TESSAVO_SAMPLE_DATA "/HddInfo.ini";

// The sample database as the bundled file holds it (point as decimal separator).
ModelDatabase LoadSample() {
    const PinnedSeparators pinned({'.', ','});
    TranslationTable table;
    return LoadModelDatabaseFile(kSampleIni, table);
}

// The conversion runs with the user's separators: the sheet shows numbers with them and the INI
// is written with them, so the records must come back whatever they are.
class ShippedWorkbook : public ::testing::TestWithParam<NumberSeparators> {};

TEST_P(ShippedWorkbook, ConvertsToTheSampleDatabase) {
    const ModelDatabase sample = LoadSample();
    ASSERT_FALSE(sample.Models.empty()) << kSampleIni;
    TempFolder folder;
    const ConversionPaths paths = ConversionPaths::InFolder(folder.Path());
    std::filesystem::copy_file(kShippedWorkbook, paths.workbook);

    const PinnedSeparators pinned(GetParam());
    int steps = 0;
    const ConversionResult result = ConvertWorkbook(paths, {}, [&steps] { ++steps; });
    ASSERT_EQ(result.outcome, ConversionOutcome::Converted) << result.reason;
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(static_cast<std::size_t>(steps), sample.Models.size() + sample.QualitySizes.size() +
                                                   sample.Rates.size() + sample.HiSilicon.size());

    // The one thing the workbook cannot say: QT10S is not hybrid yet has IP channels from 3.
    const std::vector<std::string> expectedLoss = {"QT10S"};
    EXPECT_EQ(testing::ExpectSameAsWorkbookCarries(result.database, sample), expectedLoss);
    TranslationTable table;
    EXPECT_EQ(testing::ExpectSameAsWorkbookCarries(LoadModelDatabaseFile(paths.ini, table), sample),
              expectedLoss);
}

INSTANTIATE_TEST_SUITE_P(Separators, ShippedWorkbook,
                         ::testing::Values(NumberSeparators{'.', ','}, NumberSeparators{',', '.'}),
                         [](const ::testing::TestParamInfo<NumberSeparators>& info) {
                             return info.param.decimal == '.' ? std::string("Point")
                                                              : std::string("Comma");
                         });

// Every worksheet of both workbooks, cell by cell as displayed.
void ExpectSameCells(const std::string& actualPath, const std::string& expectedPath) {
    std::string error;
    const std::unique_ptr<XlsxWorkbook> actual = XlsxWorkbook::Open(actualPath, error);
    ASSERT_TRUE(actual) << actualPath << ": " << error;
    const std::unique_ptr<XlsxWorkbook> expected = XlsxWorkbook::Open(expectedPath, error);
    ASSERT_TRUE(expected) << expectedPath << ": " << error;
    ASSERT_EQ(actual->WorksheetCount(), expected->WorksheetCount());
    for (int32_t k = 1; k <= expected->WorksheetCount(); ++k) {
        XlsxWorksheet a;
        XlsxWorksheet e;
        ASSERT_TRUE(actual->Worksheet(k, a, error)) << error;
        ASSERT_TRUE(expected->Worksheet(k, e, error)) << error;
        ASSERT_EQ(a.UsedRowCount(), e.UsedRowCount()) << "worksheet " << k;
        for (int32_t row = 1; row <= e.UsedRowCount(); ++row) {
            for (int32_t col = 1; col <= 16; ++col) {
                ASSERT_EQ(a.CellText(row, col), e.CellText(row, col))
                    << "worksheet " << k << " row " << row << " column " << col
                    << "; rebuild the target update-sample-workbook";
            }
        }
    }
}

TEST(SampleWorkbook, ShippedFileIsWhatTheGeneratorWrites) {
    const ModelDatabase sample = LoadSample();
    TempFolder folder;
    const std::string regenerated = folder.File("HddInfo.xlsx");
    const PinnedSeparators pinned({'.', ','});
    std::string error;
    ASSERT_TRUE(sampleworkbook::WriteSampleWorkbook(sample, regenerated, error)) << error;
    EXPECT_FALSE(std::filesystem::exists(regenerated + ".part"));
    ExpectSameCells(kShippedWorkbook, regenerated);
    // A fixed creation time is what makes a regenerated file equal byte for byte.
    for (const std::string& path : {kShippedWorkbook, regenerated}) {
        EXPECT_NE(testing::ReadPartText(path, "docProps/core.xml")
                      .find("<dcterms:created xsi:type=\"dcterms:W3CDTF\">2024-01-01T00:00:00Z<"),
                  std::string::npos)
            << path;
    }
}

TEST(SampleWorkbook, ColumnHSaysNOrTheFirstIpChannel) {
    ModelDatabase db;
    db.Models = {
        {"A1", "not hybrid", true, false, false, false, false, 0},
        {"A2", "not hybrid, IP from 3", true, false, false, false, false, 3},
        {"A3", "hybrid, no IP", true, false, false, false, true, 0},
        {"A4", "hybrid, IP from 5", false, true, false, true, true, 5},
    };
    const char* expectedH[] = {"N", "N", "Y", "5"};
    TempFolder folder;
    const std::string path = folder.File("HddInfo.xlsx");
    std::string error;
    ASSERT_TRUE(sampleworkbook::WriteSampleWorkbook(db, path, error)) << error;
    EXPECT_EQ(sampleworkbook::ModelsColumnHCannotCarry(db.Models), std::vector<std::string>{"A2"});

    const std::unique_ptr<XlsxWorkbook> book = XlsxWorkbook::Open(path, error);
    ASSERT_TRUE(book) << error;
    XlsxWorksheet models;
    ASSERT_TRUE(book->Worksheet(1, models, error)) << error;
    ASSERT_EQ(models.UsedRowCount(), 5);
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(models.CellText(i + 2, 1), db.Models[i].Code);
        EXPECT_EQ(models.CellText(i + 2, 3), "Y");
        EXPECT_EQ(models.CellText(i + 2, 8), expectedH[i]) << db.Models[i].Code;
    }
    EXPECT_EQ(models.CellText(5, 4), "N");
    EXPECT_EQ(models.CellText(5, 5), "Y");
}

// A record the conversion would lose or change must stop the generator, and the file it would
// have replaced stays as it was.
TEST(SampleWorkbook, RefusesRecordsTheWorkbookWouldChange) {
    struct Case {
        const char* what;
        ModelDatabase db;
        const char* errorNames;
    };
    const THiSiliconData his{"ZN50", "NTSC", "4", "D1", "HIGH", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    const Case cases[] = {
        {"a model without a code", {{{"", "nameless", true}}, {}, {}, {}}, "MODEL row 2"},
        {"a frame size General shows rounded",
         {{}, {{"QT20", "NTSC", "D1", "HIGH", "ANALOG", true, 1.23456789012}}, {}, {}},
         "QUAL row 2"},
        {"a rate record without a model",
         {{}, {}, {{"", "PAL", "4", "D1", "25FPS"}}, {}},
         "RATE row 2"},
        {"a data rate too long for General",
         {{},
          {},
          {},
          {his, {"ZN50", "PAL", "4", "D1", "LOW", {1, 2, 3, 4, 5, 6, 7, 8, 9, 123456.789012}}}},
         "HIS row 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string path = folder.File("HddInfo.xlsx");
        testing::WriteBytes(path, "old");
        std::string error;
        EXPECT_FALSE(sampleworkbook::WriteSampleWorkbook(c.db, path, error));
        EXPECT_EQ(error.rfind(c.errorNames, 0), 0u) << error;
        EXPECT_EQ(testing::ReadBytes(path), "old");
        EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    }
}

}  // namespace
}  // namespace tessavo
