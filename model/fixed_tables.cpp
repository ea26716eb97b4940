// The four built-in bitrate tables of the VR family and the rule that fills them.
#include "model/fixed_tables.h"

#include <cmath>
#include <span>
#include <string_view>

namespace tessavo {

namespace {

struct ResolutionPixels {
    std::string_view name;
    double pixels;
};

constexpr ResolutionPixels kVR70Resolutions[] = {
    {"4M", 2560.0 * 1440}, {"1080P", 1920.0 * 1080}, {"720P", 1280.0 * 720}, {"960H", 960.0 * 480},
    {"D1", 720.0 * 480},   {"HALF_D1", 720.0 * 240}, {"CIF", 360.0 * 240},
};
// The other three tables lack "4M" only.
constexpr std::span<const ResolutionPixels> kSixResolutions(kVR70Resolutions + 1, 6);
constexpr double kPixelsD1 = 720.0 * 480;

// Frame-rate factor as an exact fraction, per group of rows.
struct RateGroup {
    std::string_view standard;
    int fps;
    double numerator;
    double denominator;
};

constexpr RateGroup kGroups[18] = {
    {"NTSC", 30, 1, 1}, {"NTSC", 15, 8, 15}, {"NTSC", 10, 16, 45}, {"NTSC", 7, 56, 225},
    {"NTSC", 5, 8, 45}, {"NTSC", 4, 7, 45},  {"NTSC", 3, 6, 45},   {"NTSC", 2, 5, 45},
    {"NTSC", 1, 4, 45}, {"PAL", 25, 1, 1},   {"PAL", 12, 21, 40},  {"PAL", 8, 7, 20},
    {"PAL", 6, 21, 80}, {"PAL", 5, 1, 5},    {"PAL", 4, 7, 40},    {"PAL", 3, 3, 20},
    {"PAL", 2, 1, 8},   {"PAL", 1, 1, 10},
};

double Rounded3(double value) {
    return std::round(value * 1000.0) / 1000.0;
}
double Truncated3(double value) {
    return std::trunc(value * 1000.0) / 1000.0;
}

void FillTable(std::span<TFixedData> rows, std::string_view model,
               std::span<const ResolutionPixels> resolutions) {
    std::size_t i = 0;
    for (const RateGroup& group : kGroups) {
        const double k = group.numerator / group.denominator;
        for (const ResolutionPixels& resolution : resolutions) {
            const double base = 2000.0 * std::sqrt(resolution.pixels / kPixelsD1) * k;
            const bool cut = resolution.name == "4M";
            auto keep = [cut](double value) { return cut ? Truncated3(value) : Rounded3(value); };
            TFixedData& row = rows[i++];
            row.Model = std::string(model);
            row.Standard = std::string(group.standard);
            row.Resolution = std::string(resolution.name);
            row.Fps = group.fps;
            row.Low = keep(base * 0.4);
            row.Mid = keep(base * 0.7);
            row.High = keep(base * 1.0);
            row.Super = keep(base * 1.3);
            row.Ultra = keep(base * 1.6);
        }
    }
}

}  // namespace

void FillFixedVR70(std::array<TFixedData, 126>& table) {
    FillTable(table, "VR70", kVR70Resolutions);
}

void FillFixedVR60(std::array<TFixedData, 108>& table) {
    FillTable(table, "VR60", kSixResolutions);
}

void FillFixedVR50(std::array<TFixedData, 108>& table) {
    FillTable(table, "VR50", kSixResolutions);
}

void FillFixedVR30(std::array<TFixedData, 108>& table) {
    FillTable(table, "VR30", kSixResolutions);
}

void FillFixedTables(FixedTables& tables) {
    FillFixedVR70(tables.FFixedVR70);
    FillFixedVR60(tables.FFixedVR60);
    FillFixedVR50(tables.FFixedVR50);
    FillFixedVR30(tables.FFixedVR30);
}

}  // namespace tessavo
