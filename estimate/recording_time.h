// Disk size in megabytes and the recording time it allows: the texts of the estimate rows.
#pragma once

#include <string>
#include <string_view>

namespace tessavo {

// A disk's gigabyte is 1,000,000 KB and its terabyte 1,000,000,000 KB; a megabyte is 1024 KB.
// "TB" is looked for first, then "GB" (both case-sensitive); every occurrence is removed, the
// rest trimmed and read as a number (0 when it is not one). A text with neither counts 0.
double HddSizeMegabytes(std::string_view sizeText);

// The size text of a typed number of gigabytes: "2000" -> "2000 GB".
std::string TypedHddSizeText(std::string_view typedText);

// The three value texts of the estimate, untranslated; the window translates hours and days.
struct RecordingTimeTexts {
    std::string hddSize;  // "312,500   MB": whole megabytes (truncated), three blanks, MB
    std::string days;     // "2.3  Day"
    std::string hours;    // "55.6 Hour"
};

// Text of all three cells when there is no finite estimate.
inline constexpr std::string_view kNoEstimateText = "-";

// Hours and days come from the unrounded size. Without data per hour (0 or below, every
// channel unticked) there is no finite estimate; then, and for a size or rate that is not
// finite, all three texts are kNoEstimateText, so that neither a stale figure nor a division
// by zero is shown.
RecordingTimeTexts EstimateRecordingTime(double sizeMegabytes, double megabytesPerHour);
// The same from the size text and the (reverse-translated) "Data / Hour" value cell, read as
// ReadVolumeCell reads it.
RecordingTimeTexts EstimateRecordingTime(std::string_view sizeText,
                                         std::string_view dataPerHourCellText);

// Key filter of the typed size: a typed character passes when it is a digit "0"-"9", the point
// "." or Backspace (U+0008). Keys that type no character never reach this decision.
bool IsHddSizeKeyAccepted(char32_t typed);

}  // namespace tessavo
