// Program entry: localisation first, then the main window over the executable's own folder.
#include <QApplication>
#include <QLocale>

#include "app/main_form.h"
#include "app/user_locale.h"
#include "localisation/U_MultiLanguage.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tessavo::SetSeparators(tessavo::SeparatorsOfUserLocale());
    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    tessavo::StartMultiLanguage(folder);
    int result = 0;
    {
        tessavo::TForm1 form(folder);
        form.show();
        result = app.exec();
    }
    tessavo::StopMultiLanguage();
    return result;
}
