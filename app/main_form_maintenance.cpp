// TForm1: the hidden maintenance button that converts HddInfo.xlsx into HddInfo.ini.
#include "app/main_form.h"
#include "model/workbook_conversion.h"

namespace tessavo {

void TForm1::Button1Click() {
    const ModelDatabase current{FModels, FQualitySizes, FRates, FHiSilicon};
    ConversionResult result = ConvertWorkbook(ConversionPaths::InFolder(dataFolder_), current,
                                              [this] { ProgressStep(); });
    // The lookups use the converted records from now on; the lists and the grid stay as loaded.
    FModels = std::move(result.database.Models);
    FQualitySizes = std::move(result.database.QualitySizes);
    FRates = std::move(result.database.Rates);
    FHiSilicon = std::move(result.database.HiSilicon);
    RebuildIndexes();
    for (const ConversionMessage& message : result.messages) {
        const FormMessage::Icon icon = message.icon == MessageIcon::Error ? FormMessage::Icon::Error
                                       : message.icon == MessageIcon::Warning
                                           ? FormMessage::Icon::Warning
                                           : FormMessage::Icon::None;
        ShowMessage(icon, message.text);
    }
    if (result.ShowsEnd())
        ShowMessage(FormMessage::Icon::None, kConversionEndText);
}

}  // namespace tessavo
