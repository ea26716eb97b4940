// Disk size in megabytes and the recording time it allows: the texts of the estimate rows.
#include "estimate/recording_time.h"

#include <cmath>

#include "estimate/data_volume.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

namespace {
// The presets ("1.5 TB") and the typed field (its key filter passes only digits and ".") always
// write a point; read with the user's separators alone, a decimal-comma locale would count
// "1.5 TB" as nothing.
double UnitCount(std::string_view sizeText, std::string_view unit) {
    const std::string number = Trim(ReplaceAll(sizeText, unit, ""));
    double value = 0;
    if (TryParseFloat(number, value))
        return value;
    NumberSeparators point = Separators();
    point.decimal = '.';
    return ParseFloatDef(number, 0, point);
}
}  // namespace

double HddSizeMegabytes(std::string_view sizeText) {
    if (Contains(sizeText, "TB"))
        return UnitCount(sizeText, "TB") * 1000000000.0 / 1024;
    if (Contains(sizeText, "GB"))
        return UnitCount(sizeText, "GB") * 1000000.0 / 1024;
    return 0;
}

std::string TypedHddSizeText(std::string_view typedText) {
    return std::string(typedText) + " GB";
}

RecordingTimeTexts EstimateRecordingTime(double sizeMegabytes, double megabytesPerHour) {
    const bool finite = megabytesPerHour > 0 && std::isfinite(megabytesPerHour) &&
                        std::isfinite(sizeMegabytes) &&
                        std::isfinite(sizeMegabytes / megabytesPerHour);
    if (!finite) {
        const std::string dash(kNoEstimateText);
        return {dash, dash, dash};
    }
    const double hours = sizeMegabytes / megabytesPerHour;
    const double days = hours / 24;
    return {FormatGrouped(std::trunc(sizeMegabytes), 1) + PadLeft(" MB", 5),
            FormatGrouped(days, 1) + PadLeft("Day", 5),
            FormatGrouped(hours, 1) + PadLeft("Hour", 5)};
}

RecordingTimeTexts EstimateRecordingTime(std::string_view sizeText,
                                         std::string_view dataPerHourCellText) {
    return EstimateRecordingTime(HddSizeMegabytes(sizeText), ReadVolumeCell(dataPerHourCellText));
}

bool IsHddSizeKeyAccepted(char32_t typed) {
    return (typed >= U'0' && typed <= U'9') || typed == U'.' || typed == U'\b';
}

}  // namespace tessavo
