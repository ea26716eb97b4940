// Megabytes per hour and per day of one channel, and the texts of its cells and of the totals.
#include "estimate/data_volume.h"

#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

ModelFamily FamilyOf(std::string_view modelName) {
    if (modelName == "ZN50")
        return ModelFamily::Complexity;
    for (std::string_view code :
         {"VR30", "VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60", "VR70"}) {
        if (modelName == code)
            return ModelFamily::FixedTable;
    }
    return ModelFamily::FrameSize;
}

double AudioShare(std::string_view audioText) {
    return audioText == "ON" ? kAudioKilobytesPerSecond : 0;
}

double HourlyMegabytes(ModelFamily family, double rate, double audioKilobytesPerSecond) {
    switch (family) {
        case ModelFamily::Complexity:
            return (rate + audioKilobytesPerSecond * 1024) * 3600 / 1024 / 1024;
        case ModelFamily::FixedTable:
            return (rate / 8 + audioKilobytesPerSecond) * 3600 / 1024;
        case ModelFamily::FrameSize:
            break;
    }
    return (rate + audioKilobytesPerSecond) * 3600 / 1024;
}

double HourlyMegabytes(ModelFamily family, std::string_view rateText, std::string_view audioText) {
    return HourlyMegabytes(family, ParseFloatDef(rateText, 0), AudioShare(audioText));
}

double DailyMegabytes(double hourlyMegabytes) {
    return hourlyMegabytes * 24;
}

std::string VolumeCellText(double megabytes) {
    return FormatGrouped(megabytes, 0) + " MB";
}

ChannelVolumeTexts ChannelVolumes(ModelFamily family, std::string_view rateText,
                                  std::string_view audioText) {
    const double hourly = HourlyMegabytes(family, rateText, audioText);
    return {VolumeCellText(hourly), VolumeCellText(DailyMegabytes(hourly))};
}

std::string TotalVolumeText(double megabytes) {
    return FormatGrouped(megabytes, 0) + PadLeft(" MB", 5);
}

std::string TotalFpsText(int framesPerSecond) {
    return FormatInt(framesPerSecond) + "FPS";
}

double ReadVolumeCell(std::string_view cellText) {
    const std::string number = Trim(ReplaceAll(Trim(ReplaceAll(cellText, " MB", "")),
                                               std::string(1, Separators().thousands), ""));
    return ParseFloatDef(number, 0);
}

int ReadFpsCell(std::string_view cellText) {
    return ParseIntDef(Trim(ReplaceAll(cellText, "FPS", "")), 0);
}

}  // namespace tessavo
