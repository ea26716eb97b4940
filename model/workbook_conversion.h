// Turns the maintained workbook HddInfo.xlsx into the model database file HddInfo.ini.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

namespace tessavo {

// The reader is part of the program, so the spreadsheet application's failure to start
// ("Check excel program") has no counterpart here.
inline constexpr const char* kLoadingErrorText = "Loading error";
inline constexpr const char* kUnableToWriteText = "Unable to write to %s";
inline constexpr const char* kConversionEndText = "end";

enum class MessageIcon { None, Warning, Error };

// A modal message box for the window to show: icon, text (lines separated by CR LF), one OK.
struct ConversionMessage {
    MessageIcon icon = MessageIcon::None;
    std::string text;
};

enum class ConversionOutcome {
    NoWorkbook,   // HddInfo.xlsx missing: nothing done
    ReadFailed,   // "Loading error": the INI is untouched
    WriteFailed,  // "Unable to write to ...": the old INI is whole
    Converted,
};

struct ConversionResult {
    ConversionOutcome outcome = ConversionOutcome::NoWorkbook;
    // The arrays as they stand after the conversion, for the window to take over: the
    // workbook's records (untranslated) after a conversion, what was read up to the error after
    // a read error (sheets not reached keep the given arrays), the given arrays when nothing was
    // done.
    ModelDatabase database;
    // Message boxes in the order the conversion raises them; at most one.
    std::vector<ConversionMessage> messages;
    // Why writing failed, for a log or a terminal; the message box names the file only.
    std::string reason;
    // The button handler closes with "end" unless writing failed.
    bool ShowsEnd() const { return outcome != ConversionOutcome::WriteFailed; }
};

struct ConversionPaths {
    std::string workbook;
    std::string ini;
    // FOLDER/HddInfo.xlsx and FOLDER/HddInfo.ini.
    static ConversionPaths InFolder(const std::string& folder);
};

// Called once for every data row taken, in all four worksheets.
using ProgressStep = std::function<void()>;

// Reads worksheets 1 to 4 (by position) into MODEL, QUAL, RATE and HIS, then updates the INI in
// memory with private-profile semantics (keys and sections it does not write are kept) and
// replaces the file in one step. `current` is what the window's arrays hold now.
ConversionResult ConvertWorkbook(const ConversionPaths& paths, const ModelDatabase& current,
                                 const ProgressStep& step = {});

// A cell's displayed text as a number field reads it: the number with the user's decimal
// separator, also when the display groups thousands (1,234.5); 0 for anything else (50%).
double CellNumber(std::string_view text);
// The same for an integer field (decimal or the integer reader's hexadecimal forms); 0 otherwise.
int32_t CellInteger(std::string_view text);

// The values the conversion writes, one per record; every field ends with "|".
std::string ModelValue(const TModel& model);
std::string QualityValue(const TQualitySize& quality);
std::string RateValue(const TRate& rate);
std::string HiSiliconValue(const THiSiliconData& his);

}  // namespace tessavo
