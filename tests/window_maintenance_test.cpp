// The hidden maintenance button in the real window: the workbook conversion rewrites the INI,
// leaves the model list and the grid as loaded, and the lookups take the converted records.
#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/ini_loader.h"
#include "platform/numbers.h"
#include "tests/database_records.h"
#include "tests/pinned_separators.h"
#include "tests/window_fixture.h"
#include "tests/xlsx_test_support.h"
#include "tools/sample_workbook/sample_workbook.h"

namespace tessavo {
namespace {

struct Message {
    std::string icon;
    std::string text;
    bool operator==(const Message&) const = default;
};

void PrintTo(const Message& m, std::ostream* os) {
    *os << m.icon << " \"" << m.text << "\"";
}

const Message kEnd{"none", "end"};

ModelDatabase LoadDatabase(const std::string& path) {
    TranslationTable table;  // the window tests run without locale.ini
    return LoadModelDatabaseFile(path, table);
}

class WindowMaintenance : public WindowFixture {
  protected:
    std::string IniPath() const { return folder_.filePath("HddInfo.ini").toStdString(); }
    std::string WorkbookPath() const { return folder_.filePath("HddInfo.xlsx").toStdString(); }
    void ShipWorkbook() {
        ASSERT_TRUE(
            QFile::copy(TESSAVO_SAMPLE_DATA "/HddInfo.xlsx", folder_.filePath("HddInfo.xlsx")));
    }
    // Clicks the hidden button; the message boxes it raised, in order.
    std::vector<Message> Convert() {
        driver_->Dump();  // drops whatever an earlier step recorded
        Do(R"({"do":"convert"})");
        std::vector<Message> messages;
        for (const QJsonValue& m : driver_->Dump()["messages"].toArray()) {
            messages.push_back({m.toObject()["icon"].toString().toStdString(),
                                m.toObject()["text"].toString().toStdString()});
        }
        return messages;
    }
    // What the user sees of the loaded database: selections, lists, grid, totals, cost.
    QJsonObject Shown() {
        const QJsonObject dump = driver_->Dump();
        QJsonObject shown;
        for (const char* key : {"loadingVisible", "model", "standard", "channels", "hdd", "grid",
                                "totals", "cost", "complexity", "lists"}) {
            shown[key] = dump[key];
        }
        return shown;
    }
    ModelDatabase Arrays() {
        TForm1& f = Form();
        return {f.FModels, f.FQualitySizes, f.FRates, f.FHiSilicon};
    }

    const PinnedSeparators pinned_;
    const ModelDatabase sample_ = LoadDatabase(TESSAVO_SAMPLE_DATA "/HddInfo.ini");
};

TEST_F(WindowMaintenance, ShippedWorkbookRewritesTheIniWithTheSameRecords) {
    Start();
    ShipWorkbook();
    const QJsonObject before = Shown();
    const std::string oldIni = testing::ReadBytes(IniPath());

    EXPECT_EQ(Convert(), std::vector<Message>{kEnd});
    // QT10S (not hybrid, IP channels from 3) is the one record its column H cannot carry; that
    // it differs also shows the file was written.
    EXPECT_NE(testing::ReadBytes(IniPath()), oldIni);
    const std::vector<std::string> loss = {"QT10S"};
    EXPECT_EQ(testing::ExpectSameAsWorkbookCarries(LoadDatabase(IniPath()), sample_), loss);
    EXPECT_EQ(testing::ExpectSameAsWorkbookCarries(Arrays(), sample_), loss);
    EXPECT_EQ(Shown(), before);
}

TEST_F(WindowMaintenance, LookupsTakeTheConvertedRecords) {
    Start();
    PickModel("KM20", "4");  // frame sizes from QUAL records
    Pick(2, 3, "D1");
    GridTable& g = Grid();
    const std::string fps = g.Cell(4, 3);
    const std::string oldRate = g.Cell(8, 3);
    const std::string otherRowRate = g.Cell(8, 4);
    ASSERT_EQ(fps.substr(fps.size() - 3), "FPS");

    // The keeper changes every KM20 NTSC D1 frame size, renames the model and sorts the sheets.
    ModelDatabase edited = sample_;
    constexpr double kNewFrameSize = 50.5;
    int changed = 0;
    for (TQualitySize& q : edited.QualitySizes) {
        if (q.Model == "KM20" && q.Standard == "NTSC" && q.Resolution == "D1") {
            q.FrameSize = kNewFrameSize;
            ++changed;
        }
    }
    ASSERT_GT(changed, 0);
    // In another order, so that anything still keyed to the old arrays finds other records.
    std::reverse(edited.QualitySizes.begin(), edited.QualitySizes.end());
    std::reverse(edited.Rates.begin(), edited.Rates.end());
    std::string oldName;
    for (TModel& m : edited.Models) {
        if (m.Code == "KM20") {
            oldName = m.Name;
            m.Name = "KM20 renamed in the workbook";
        }
    }
    std::string error;
    ASSERT_TRUE(sampleworkbook::WriteSampleWorkbook(edited, WorkbookPath(), error)) << error;

    const QJsonObject before = Shown();
    EXPECT_EQ(Convert(), std::vector<Message>{kEnd});
    testing::ExpectSameAsWorkbookCarries(LoadDatabase(IniPath()), edited);
    // The list keeps the name it was filled with, the grid its figures, until the next edit.
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(Form().cbModel->currentText().toStdString(), oldName);

    Pick(2, 3, "D1");
    ASSERT_EQ(g.Cell(4, 3), fps);
    const double frames = ParseFloatDef(fps.substr(0, fps.size() - 3), 0);
    EXPECT_EQ(g.Cell(8, 3), FormatGeneral(frames * kNewFrameSize));
    EXPECT_NE(g.Cell(8, 3), oldRate);
    EXPECT_EQ(g.Cell(8, 4), otherRowRate) << "a row not edited keeps its rate";
}

// Conversions that end without writing: the INI stays byte for byte, the window as it was.
TEST_F(WindowMaintenance, NothingWrittenWithoutAWholeWorkbook) {
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> prepare;
        bool warns;
        // The arrays afterwards: what was read up to the error.
        std::function<ModelDatabase(const ModelDatabase& loaded)> arrays;
    };
    const auto unchanged = [](const ModelDatabase& loaded) { return loaded; };
    const Case cases[] = {
        {"no workbook", [](const std::string&) {}, false, unchanged},
        {"three worksheets",
         [](const std::string& path) {
             testing::TestWorkbook book(path);
             book.AddSheet(testing::TestSheet{{"Code", "Name", "Convert"},
                                              {"NEW1", "new model", "Y", "Y", "N", "N", "N", "N"}});
             book.AddSheet(testing::TestSheet{{"Model"}});
             book.AddSheet(testing::TestSheet{{"Model"}});
         },
         true,
         [](const ModelDatabase&) {
             // Each array is emptied as its worksheet is reached, the missing fourth included.
             ModelDatabase db;
             db.Models = {{"NEW1", "new model", true, false, false, false, false, 0}};
             return db;
         }},
        {"a file that is not a workbook",
         [](const std::string& path) { testing::WriteBytes(path, "not a zip"); }, true, unchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start();
        c.prepare(WorkbookPath());
        const QJsonObject before = Shown();
        const std::string oldIni = testing::ReadBytes(IniPath());

        const std::vector<Message> messages = Convert();
        ASSERT_EQ(messages.size(), c.warns ? 2u : 1u);
        EXPECT_EQ(messages.back(), kEnd);
        if (c.warns) {
            EXPECT_EQ(messages[0].icon, "warning");
            EXPECT_EQ(messages[0].text.rfind("Loading error\r\n", 0), 0u) << messages[0].text;
            EXPECT_GT(messages[0].text.size(), std::string("Loading error\r\n").size())
                << "the reason follows";
        }
        EXPECT_EQ(testing::ReadBytes(IniPath()), oldIni);
        EXPECT_EQ(Shown(), before);
        const ModelDatabase expected = c.arrays(sample_);
        const ModelDatabase arrays = Arrays();
        testing::ExpectSameRecords(arrays.Models, expected.Models, "model");
        testing::ExpectSameRecords(arrays.QualitySizes, expected.QualitySizes, "frame size");
        testing::ExpectSameRecords(arrays.Rates, expected.Rates, "rate");
        testing::ExpectSameRecords(arrays.HiSilicon, expected.HiSilicon, "data rates");

        driver_.reset();
        QFile::remove(folder_.filePath("HddInfo.xlsx"));
        QFile::remove(folder_.filePath("HddInfo.ini"));
    }
}

}  // namespace
}  // namespace tessavo
