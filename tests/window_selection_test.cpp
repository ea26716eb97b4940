// Model selection in the real window: every model of the sample database shows the option lists
// its code calls for and the channel counts its record offers; standard and count changes.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "app/main_form.h"
#include "app/scenario_driver.h"
#include "localisation/U_MultiLanguage.h"
#include "platform/pauses.h"

namespace tessavo {
namespace {

using List = std::vector<std::string>;

struct ExpectedLists {
    List resolution, ipResolution, quality, ipQuality, camera;
};

const List kAllQualities = {"ULTRA", "SUPER", "HIGH", "MID", "LOW"};
const List kFourQualities = {"SUPER", "HIGH", "MID", "LOW"};
const List kVr50Resolutions = {"1080P", "720P", "960H", "D1", "HALF_D1", "CIF"};

ExpectedLists Expected(const std::string& code) {
    ExpectedLists e;
    if (code == "QT61R" || code == "QT63R" || code == "QT67R") {
        e.ipResolution = {"4M", "3M", "1080P", "SXGA", "720P", "D1", "CIF"};
    } else if (code == "QT20" || code == "QT10" || code == "QT10S" || code == "QT00S") {
        e.ipResolution = {"1080P", "SXGA", "720P", "D1", "CIF"};
    } else if (code == "QT90" || code == "QT5240") {
        e.ipResolution = {"1080P", "720P", "D1", "CIF"};
    } else {
        e.ipResolution = {"1080P", "720P"};
    }
    if (code == "KM20" || code == "KM10") {
        e.resolution = {"960H", "D1", "HALF_D1", "CIF"};
    } else if (code == "VR30" || code == "VR40") {
        e.resolution = {"720P", "960H", "D1", "HALF_D1", "CIF"};
    } else if (code == "VR50" || code == "VR7310" || code == "VR7320" || code == "VR7330" ||
               code == "VR7320S" || code == "VR60") {
        e.resolution = kVr50Resolutions;
    } else if (code == "VR70") {
        e.resolution = {"4M", "1080P", "720P", "960H", "D1", "HALF_D1", "CIF"};
    } else if (code == "ZB30") {
        e.resolution = {"960H", "D1", "CIF"};
    } else {
        e.resolution = {"D1", "HALF_D1", "CIF"};
    }
    const List fourQualityModels = {"KM20",   "KM10",   "VR30",   "VR40", "VR50",
                                    "VR7310", "VR7320", "VR7330", "VR60", "VR70"};
    e.quality = std::count(fourQualityModels.begin(), fourQualityModels.end(), code)
                    ? kFourQualities
                    : kAllQualities;
    const List fiveIpQualityModels = {"QT20", "QT10", "QT10S", "QT61R", "QT63R", "QT67R"};
    e.ipQuality = std::count(fiveIpQualityModels.begin(), fiveIpQualityModels.end(), code)
                      ? kAllQualities
                      : kFourQualities;
    if (code == "QT90") {
        e.camera = {"JE2", "ANALOG"};
    } else if (code == "QT61R" || code == "QT63R" || code == "QT67R") {
        e.camera = {"JE9"};
    } else {
        e.camera = {"JE2"};
    }
    return e;
}

class WindowSelection : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPausesEnabled(false);
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(
            QFile::copy(TESSAVO_SAMPLE_DATA "/HddInfo.ini", folder_.filePath("HddInfo.ini")));
        driver_ = std::make_unique<ScenarioDriver>(folder_.path().toStdString());
        ASSERT_TRUE(driver_->WaitUntilLoaded());
    }
    void TearDown() override {
        driver_.reset();
        LocaleTable().ClearTable();
    }
    void Do(const std::string& command) {
        for (const std::string& line : driver_->Execute(command)) ADD_FAILURE() << line;
    }
    QTemporaryDir folder_;
    std::unique_ptr<ScenarioDriver> driver_;
};

TEST_F(WindowSelection, EveryModelShowsTheListsOfItsCode) {
    TForm1& form = driver_->Form();
    ASSERT_EQ(form.cbModel->count(), static_cast<int>(form.FModels.size()));
    for (int i = 0; i < form.cbModel->count(); ++i) {
        Do("{\"do\":\"model\",\"index\":" + std::to_string(i) + "}");
        const TModel& record = form.FModels[static_cast<std::size_t>(i)];
        SCOPED_TRACE(record.Code);
        EXPECT_EQ(form.FModelIndex, i);
        EXPECT_EQ(form.FModelName, record.Code);
        EXPECT_EQ(form.FHybrid, record.Hybrid);
        EXPECT_EQ(form.cbModel->currentText().toStdString(), record.Name);
        const ExpectedLists e = Expected(record.Code);
        EXPECT_EQ(form.FResolutionList, e.resolution);
        EXPECT_EQ(form.FIpResolutionList, e.ipResolution);
        EXPECT_EQ(form.FQualityList, e.quality);
        EXPECT_EQ(form.FIpQualityList, e.ipQuality);
        EXPECT_EQ(form.FCameraList, e.camera);
        List counts;
        for (int k = 0; k < form.cbChannel->count(); ++k) {
            counts.push_back(form.cbChannel->itemText(k).toStdString());
        }
        List offered;
        if (record.Ch4)
            offered.push_back("4");
        if (record.Ch8)
            offered.push_back("8");
        if (record.Ch12)
            offered.push_back("12");
        if (record.Ch16)
            offered.push_back("16");
        EXPECT_EQ(counts, offered);
        EXPECT_EQ(form.cbChannel->currentIndex(), 0);
        // The model change ran under the panel with its own range, then hid it.
        EXPECT_EQ(form.AdvProgress1->maximum(), 10);
        EXPECT_EQ(form.AdvProgress1->value(), 10);
        EXPECT_FALSE(form.plMessage->isVisible());
        // The grid belongs to the new model: header, ALL row, channels, Total row.
        EXPECT_EQ(form.AGridHdd->Table().RowCount(), counts.empty() ? 2 : std::stoi(counts[0]) + 3);
    }
}

TEST_F(WindowSelection, StandardAndChannelCountRebuildTheGridOnly) {
    TForm1& form = driver_->Form();
    // The first model of the sample database is VR50 with 4, 8 and 16 channels.
    ASSERT_EQ(form.FModelName, "VR50");
    const List resolutions = form.FResolutionList;
    Do(R"({"do":"standard","value":"PAL"})");
    EXPECT_EQ(form.FVideoStandard, "PAL");
    EXPECT_TRUE(form.rbtnPal->isChecked());
    EXPECT_EQ(form.FEncodingLimit, 1072);
    EXPECT_EQ(form.AGridHdd->Table().Cell(4, 2), "12FPS");
    Do(R"({"do":"standard","value":"NTSC"})");
    EXPECT_EQ(form.FVideoStandard, "NTSC");
    EXPECT_EQ(form.FEncodingLimit, 1280);
    EXPECT_EQ(form.AGridHdd->Table().Cell(4, 2), "15FPS");
    EXPECT_EQ(form.FResolutionList, resolutions);

    Do(R"({"do":"channels","text":"16"})");
    EXPECT_EQ(form.AGridHdd->Table().RowCount(), 19);
    EXPECT_EQ(form.AGridHdd->Table().Cell(1, 17), "Ch 16");
    EXPECT_EQ(form.FEncodingLimit, 5120);
    // An item the list does not hold is refused and changes nothing.
    const std::vector<std::string> out = driver_->Execute(R"({"do":"channels","text":"12"})");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NE(out[0].find("error"), std::string::npos);
    EXPECT_EQ(form.cbChannel->currentText(), "16");
}

}  // namespace
}  // namespace tessavo
