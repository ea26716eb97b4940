// tessavo-make-sample-workbook IN.ini OUT.xlsx: writes a model database as its maintained workbook.
#include <filesystem>
#include <iostream>
#include <string>

#include "localisation/U_MultiLanguage.h"
#include "model/ini_loader.h"
#include "platform/numbers.h"
#include "tools/sample_workbook/sample_workbook.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tessavo-make-sample-workbook IN.ini OUT.xlsx\n";
        return 2;
    }
    // The bundled files use the point; the workbook is checked against what the INI holds.
    tessavo::SetSeparators({'.', ','});
    std::error_code ec;
    if (!std::filesystem::is_regular_file(argv[1], ec)) {
        std::cerr << "tessavo-make-sample-workbook: no database " << argv[1] << "\n";
        return 1;
    }
    tessavo::TranslationTable table;  // empty: the workbook holds the texts as the file has them
    const tessavo::ModelDatabase db = tessavo::LoadModelDatabaseFile(argv[1], table);
    std::string error;
    if (!tessavo::sampleworkbook::WriteSampleWorkbook(db, argv[2], error)) {
        std::cerr << "tessavo-make-sample-workbook: " << argv[2] << ": " << error << "\n";
        return 1;
    }
    for (const std::string& code : tessavo::sampleworkbook::ModelsColumnHCannotCarry(db.Models)) {
        std::cerr << "note: " << code
                  << " is not hybrid but has a first IP channel; column H says N, so it converts"
                     " back with first IP channel 0\n";
    }
    return 0;
}
