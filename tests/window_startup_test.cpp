// Start-up of the real window offscreen: initial elements, the loading sequence and its failures.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "app/main_form.h"
#include "app/scenario_driver.h"
#include "localisation/U_MultiLanguage.h"
#include "platform/pauses.h"

namespace tessavo {
namespace {

class WindowStartup : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPausesEnabled(false);
        ASSERT_TRUE(folder_.isValid());
    }
    void TearDown() override { LocaleTable().ClearTable(); }
    void CopySampleDatabase() {
        ASSERT_TRUE(
            QFile::copy(TESSAVO_SAMPLE_DATA "/HddInfo.ini", folder_.filePath("HddInfo.ini")));
    }
    std::string Folder() const { return folder_.path().toStdString(); }
    QTemporaryDir folder_;
};

TEST_F(WindowStartup, ShowsEveryElementInItsInitialStateAndLoadsOnce) {
    CopySampleDatabase();
    ScenarioDriver driver(Folder());
    TForm1& form = driver.Form();
    // Before the first tick: the panel is up with an almost empty bar.
    EXPECT_TRUE(form.plMessage->isVisible());
    EXPECT_EQ(form.AdvReflectionLabel1->text(), "Loding data. Please wait....");
    EXPECT_EQ(form.AdvProgress1->maximum(), 1000);
    EXPECT_EQ(form.AdvProgress1->value(), 1);
    EXPECT_EQ(form.FVideoStandard, "NTSC");
    EXPECT_TRUE(form.FModels.empty());

    ASSERT_TRUE(driver.WaitUntilLoaded());
    EXPECT_FALSE(form.LoadingFailed());
    EXPECT_FALSE(form.plMessage->isVisible());
    EXPECT_EQ(form.AdvProgress1->value(), form.AdvProgress1->maximum());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_FALSE(form.FModels.empty());

    EXPECT_EQ(form.windowTitle(), "Tessavo");
    EXPECT_EQ(form.width(), 1015);
    EXPECT_EQ(form.height(), 463);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.cbHDD->currentText(), "320 GB");
    EXPECT_EQ(form.cbHDD->count(), 12);
    EXPECT_TRUE(form.rbtnNtsc->isChecked());
    EXPECT_FALSE(form.rbtnPal->isChecked());
    EXPECT_TRUE(form.rbtn1->isChecked());
    EXPECT_FALSE(form.edHDD->isEnabled());
    EXPECT_FALSE(form.btnCalc->isEnabled());
    EXPECT_FALSE(form.Button1->isVisible());
    EXPECT_EQ(form.AGridHdd->Table().ColWidth(8), 0);
    EXPECT_TRUE(form.AGridHdd->isColumnHidden(8));

    const GridTable& totals = form.AGridTotal->Table();
    const char* captions[] = {"Data / Hour", "Data / Day", "HDD Size", "Full Recording Day",
                              "Full Recording Time"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(totals.Cell(0, row), captions[row]);
        const bool green = row >= 3;
        EXPECT_EQ(totals.Style(1, row).bold, green) << row;
        EXPECT_EQ(totals.Style(1, row).background == CellColour::Rgb(0xBF, 0xFF, 0xBF), green)
            << row;
    }

    // Showing the window again (as after a restore) does not start a second loading.
    form.hide();
    form.show();
    QApplication::processEvents();
    EXPECT_FALSE(form.Timer1->isActive());
}

TEST_F(WindowStartup, WithoutDatabaseTheNoticeNamesFileAndFolder) {
    ScenarioDriver driver(Folder());
    ASSERT_TRUE(driver.WaitUntilLoaded());
    TForm1& form = driver.Form();
    EXPECT_FALSE(form.LoadingFailed());
    EXPECT_TRUE(form.FModels.empty());
    EXPECT_EQ(form.cbModel->count(), 0);
    EXPECT_TRUE(form.plMessage->isVisible());
    EXPECT_TRUE(form.lbNoDatabase->isVisible());
    EXPECT_FALSE(form.AdvProgress1->isVisible());
    const QString notice = form.lbNoDatabase->text();
    EXPECT_TRUE(notice.contains("HddInfo.ini"));
    EXPECT_TRUE(notice.contains(folder_.path())) << notice.toStdString();
}

class FailingForm : public TForm1 {
  public:
    FailingForm(std::string folder, MessageHandler messages)
        : TForm1(std::move(folder), std::move(messages)) {}

  protected:
    void LoadModelDatabaseStep() override { throw std::runtime_error("disk on fire"); }
};

TEST_F(WindowStartup, FailingLoadShowsTheErrorAndKeepsThePanel) {
    std::vector<FormMessage> messages;
    FailingForm form(Folder(), [&](const FormMessage& m) { messages.push_back(m); });
    form.show();
    while (!form.LoadingFinished()) QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_TRUE(form.LoadingFailed());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, FormMessage::Icon::Error);
    EXPECT_EQ(messages[0].text, "disk on fire");
    EXPECT_TRUE(form.plMessage->isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
    // The window keeps running: it still reacts to input.
    form.rbtn2->click();
    QApplication::processEvents();
}

}  // namespace
}  // namespace tessavo
