// tessavo-drive: runs the real main window headless from a script and prints JSON.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "app/scenario_driver.h"
#include "localisation/U_MultiLanguage.h"
#include "platform/numbers.h"
#include "platform/pauses.h"
#include "platform/qt/blinking_label.h"

namespace {
int Usage(const char* message) {
    std::fprintf(stderr,
                 "tessavo-drive: %s\nusage: tessavo-drive --data DIR [--no-pauses] "
                 "[--separators \".,\"] [SCRIPT]\n",
                 message);
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    std::string data;
    std::string script;
    bool pauses = true;
    tessavo::NumberSeparators separators{'.', ','};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            data = argv[++i];
        } else if (arg == "--no-pauses") {
            pauses = false;
        } else if (arg == "--separators" && i + 1 < argc) {
            const std::string dt = argv[++i];
            if (dt.size() != 2)
                return Usage("--separators takes two characters");
            separators = {dt[0], dt[1]};
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage(("unknown option " + arg).c_str());
        } else {
            script = arg;
        }
    }
    if (data.empty())
        return Usage("--data DIR is required");
    if (!QFileInfo(QString::fromStdString(data)).isDir())
        return Usage("the data folder does not exist");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    tessavo::SetSeparators(separators);
    tessavo::SetPausesEnabled(pauses);
    tessavo::BlinkingLabel::SetTimersEnabled(false);
    tessavo::StartMultiLanguage(data);
    int status = 0;
    {
        tessavo::ScenarioDriver driver(data);
        if (!driver.WaitUntilLoaded())
            std::fprintf(stderr, "tessavo-drive: loading did not end\n");
        std::ifstream file;
        if (!script.empty()) {
            file.open(script);
            if (!file) {
                std::fprintf(stderr, "tessavo-drive: cannot read %s\n", script.c_str());
                status = 2;
            }
        }
        std::istream& in = script.empty() ? std::cin : file;
        std::string line;
        while (status == 0 && std::getline(in, line)) {
            for (const std::string& out : driver.Execute(line)) std::cout << out << '\n';
            std::cout.flush();
        }
    }
    tessavo::StopMultiLanguage();
    return status;
}
