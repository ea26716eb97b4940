// Megabytes per hour and per day of one channel, and the texts of its cells and of the totals.
#pragma once

#include <string>
#include <string_view>

namespace tessavo {

// Where a model's rate comes from, and therefore its unit.
enum class ModelFamily {
    Complexity,  // ZN50: bytes per second
    FixedTable,  // VR30, VR50, VR7310, VR7320, VR7330, VR7320S, VR60, VR70: kilobits per second
    FrameSize,   // every other model: kilobytes per second
};

// Model codes are compared exactly.
ModelFamily FamilyOf(std::string_view modelName);

// Kilobytes per second an "ON" audio text adds (exactly "ON"; anything else adds nothing).
inline constexpr double kAudioKilobytesPerSecond = 8;
double AudioShare(std::string_view audioText);

// Hourly megabytes (1 MB = 1024 KB) of a rate in the family's unit plus the audio share in
// kilobytes per second. Unrounded.
double HourlyMegabytes(ModelFamily family, double rate, double audioKilobytesPerSecond);
// The same from the Size cell (a number in the user's decimal convention, 0 otherwise) and the
// Audio cell.
double HourlyMegabytes(ModelFamily family, std::string_view rateText, std::string_view audioText);
// From the unrounded hourly figure, so that 28.125 MB/h gives 675 MB/day, not 672.
double DailyMegabytes(double hourlyMegabytes);

// "#,##0 MB" as a channel row shows it: "1,406 MB".
std::string VolumeCellText(double megabytes);

struct ChannelVolumeTexts {
    std::string perHour;
    std::string perDay;
};
// Both cells of one channel row.
ChannelVolumeTexts ChannelVolumes(ModelFamily family, std::string_view rateText,
                                  std::string_view audioText);

// Total row and totals grid: the sum followed by " MB" right-aligned in five characters,
// "5,625   MB".
std::string TotalVolumeText(double megabytes);
// Total row FPS cell: "120FPS".
std::string TotalFpsText(int framesPerSecond);

// Reads back a volume cell (already reverse-translated): " MB" removed, trimmed, the locale's
// thousands separator removed, trimmed, then a number; 0 when it is not one. Removing the
// locale's separator rather than a literal ',' keeps "1.406 MB" readable under German settings.
double ReadVolumeCell(std::string_view cellText);
// Reads back an FPS cell: "FPS" removed, trimmed, an integer; 0 when it is not one.
int ReadFpsCell(std::string_view cellText);

}  // namespace tessavo
