// Runs the real main window from a script of JSON commands and dumps its state as JSON.
#pragma once

#include <QJsonObject>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"

namespace tessavo {

class ScenarioDriver {
  public:
    // Creates the window over the data folder (as the program does) and shows it.
    explicit ScenarioDriver(const std::string& dataFolder);
    ~ScenarioDriver();

    // Processes events until the loading sequence has ended (or failed); false on time-out.
    bool WaitUntilLoaded(int timeoutMs = 60000);

    // Carries out one script line; returns the JSON lines it prints (none for most commands).
    std::vector<std::string> Execute(const std::string& line);

    QJsonObject Dump();
    QJsonObject DumpDb() const;
    TForm1& Form() { return *form_; }

  private:
    std::string RunCommand(const QJsonObject& command, std::vector<std::string>& out);
    std::vector<FormMessage> messages_;
    std::unique_ptr<TForm1> form_;
};

}  // namespace tessavo
