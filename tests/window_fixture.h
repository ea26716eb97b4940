// A real main window offscreen over a temporary data folder, driven as a user would.
#pragma once

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "app/scenario_driver.h"
#include "localisation/U_MultiLanguage.h"
#include "platform/pauses.h"

namespace tessavo {

class WindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPausesEnabled(false);
        ASSERT_TRUE(folder_.isValid());
    }
    void TearDown() override {
        driver_.reset();
        LocaleTable().ClearTable();
    }
    // Starts the window over the given HddInfo.ini text, or over the sample database.
    void Start(const char* ini = nullptr) {
        if (ini) {
            QFile file(folder_.filePath("HddInfo.ini"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(ini);
        } else {
            ASSERT_TRUE(
                QFile::copy(TESSAVO_SAMPLE_DATA "/HddInfo.ini", folder_.filePath("HddInfo.ini")));
        }
        driver_ = std::make_unique<ScenarioDriver>(folder_.path().toStdString());
        ASSERT_TRUE(driver_->WaitUntilLoaded());
    }
    void PickModel(const std::string& code, const std::string& channels = "") {
        TForm1& f = Form();
        for (std::size_t i = 0; i < f.FModels.size(); ++i) {
            if (f.FModels[i].Code == code) {
                Do("{\"do\":\"model\",\"index\":" + std::to_string(i) + "}");
                if (!channels.empty())
                    Do("{\"do\":\"channels\",\"text\":\"" + channels + "\"}");
                return;
            }
        }
        FAIL() << "no model " << code;
    }
    void Pick(int col, int row, const std::string& text) {
        Do("{\"do\":\"pick\",\"col\":" + std::to_string(col) + ",\"row\":" + std::to_string(row) +
           ",\"text\":\"" + text + "\"}");
    }
    void Toggle(int row) { Do("{\"do\":\"toggle\",\"row\":" + std::to_string(row) + "}"); }
    // Runs a driver command that must not fail.
    void Do(const std::string& command) {
        for (const std::string& line : driver_->Execute(command)) ADD_FAILURE() << line;
    }
    TForm1& Form() { return driver_->Form(); }
    GridTable& Grid() { return Form().AGridHdd->Table(); }

    QTemporaryDir folder_;
    std::unique_ptr<ScenarioDriver> driver_;
};

}  // namespace tessavo
