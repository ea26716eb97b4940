// Builds the bundled sample model database (HddInfo.ini): invented models, rates from one rule.
//
// The models are made up; they exist so that every per-model rule of the calculator has a model
// to try it on. Their display names are plain descriptions.
//
// Model table (channel counts offered; Hybrid = channels carry a camera type; first IP = the
// number of the first IP-camera channel, 0 for none):
//
//   code     channels      hybrid first IP  why
//   VR50     4  8     16   N      0         first in the list: a plain start for the window
//   VR30     4  8          N      0
//   VR40     4  8  12 16   N      0
//   VR60     4  8     16   N      0
//   VR70     4  8     16   N      0
//   VR7310   4  8          N      0
//   VR7320   4  8  12 16   N      0
//   VR7330      8     16   N      0         offers only 8 and 16 channels
//   VR7320S  4  8     16   N      0
//   KM20     4  8     16   N      0
//   KM10     4  8          N      0
//   ZB30     4  8  12 16   N      0
//   ZN50     4  8     16   N      0         the complexity model: HIS records only
//   ZW6+     4  8  12 16   N      0
//   QT20     4  8     16   Y      1         every channel an IP channel
//   QT10        8     16   Y      5         analog channels 1-4, IP from 5
//   QT10S    4  8          N      3         IP channels without a camera choice
//   QT00S    4  8          Y      1
//   QT90     4  8     16   Y      3
//   QT5240      8  12 16   Y      9         8 channels: analog only
//   QT61R    4  8          Y      1
//   QT63R    4  8     16   Y      1
//   QT67R       8     16   Y      1
//
// The rule. A channel's full-rate bitrate follows the rule of the built-in tables:
//
//   kbit/s (resolution, quality) = 2000 * sqrt(P(resolution) / P("D1")) * Q(quality)
//
//   P: "4M" 2560x1440, "3M" 2048x1536, "1080P" 1920x1080, "SXGA" 1280x1024, "720P" 1280x720,
//      "960H" 960x480, "D1" 720x480, "HALF_D1" 720x240, "CIF" 360x240 (both standards).
//   Q: "ULTRA" 1.6, "SUPER" 1.3, "HIGH" 1.0, "MID" 0.7, "LOW" 0.4.
//
// QUAL FrameSize (kilobytes per frame) = kbit/s / 8 / full frame rate (30 NTSC, 25 PAL), rounded to
//   the nearest thousandth. The calculator multiplies it by the frame rate, so a full-rate channel
//   writes exactly the table bitrate. One value per model, standard, resolution and quality; the
//   camera type does not change it.
// HIS DataRates (bytes per second at 1, 2, 3, 4, 5, 6, 7, 10, 15, 30 fps) = kbit/s * K(f) * 1000 /
// 8,
//   rounded to a whole byte, with the NTSC frame-rate factor of the built-in tables for both
//   standards (the ten slots are NTSC frame rates): K = (f + 3) / 45 up to 5 fps, f * 8 / 225 from
//   5 to 15 fps, 1 at 30 fps. The channel count does not change the rates.
// RATE MaxFps: the full rate ("30FPS" NTSC, "25FPS" PAL) while channels * P(resolution) stays
// within
//   the encoder's budget of eight 1080P streams; above it half the rate ("15FPS" NTSC, "12FPS"
//   PAL). QT20, QT10, QT10S, QT61R, QT63R and QT67R always get the full rate: their frame-rate
//   lists only tell "30" from anything else.
//
// Coverage: RATE for every model, standard, offered channel count and resolution of both of the
// model's resolution lists; QUAL for every model that takes its rates from QUAL records, every
// standard, resolution of both lists, all five qualities and every camera type its channels can
// carry; HIS for ZN50 at every offered channel count, standard, resolution and quality.
#pragma once

#include <cmath>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/numbers.h"

namespace tessavo::sampledb {

struct SampleModel {
    const char* code;
    const char* name;
    bool ch4;
    bool ch8;
    bool ch12;
    bool ch16;
    bool hybrid;
    int firstIpChannel;
};

inline const std::vector<SampleModel>& SampleModels() {
    static const std::vector<SampleModel> models = {
        {"VR50", "VR50 16-channel recorder", true, true, false, true, false, 0},
        {"VR30", "VR30 8-channel recorder", true, true, false, false, false, 0},
        {"VR40", "VR40 16-channel recorder", true, true, true, true, false, 0},
        {"VR60", "VR60 16-channel recorder", true, true, false, true, false, 0},
        {"VR70", "VR70 16-channel recorder", true, true, false, true, false, 0},
        {"VR7310", "VR7310 8-channel recorder", true, true, false, false, false, 0},
        {"VR7320", "VR7320 16-channel recorder", true, true, true, true, false, 0},
        {"VR7330", "VR7330 16-channel recorder", false, true, false, true, false, 0},
        {"VR7320S", "VR7320S 16-channel recorder", true, true, false, true, false, 0},
        {"KM20", "KM20 16-channel recorder", true, true, false, true, false, 0},
        {"KM10", "KM10 8-channel recorder", true, true, false, false, false, 0},
        {"ZB30", "ZB30 16-channel recorder", true, true, true, true, false, 0},
        {"ZN50", "ZN50 16-channel recorder with selectable encoding complexity", true, true, false,
         true, false, 0},
        {"ZW6+", "ZW6+ 16-channel recorder", true, true, true, true, false, 0},
        {"QT20", "QT20 16-channel network recorder", true, true, false, true, true, 1},
        {"QT10", "QT10 16-channel hybrid recorder", false, true, false, true, true, 5},
        {"QT10S", "QT10S 8-channel recorder with IP channels", true, true, false, false, false, 3},
        {"QT00S", "QT00S 8-channel network recorder", true, true, false, false, true, 1},
        {"QT90", "QT90 16-channel hybrid recorder", true, true, false, true, true, 3},
        {"QT5240", "QT5240 16-channel hybrid recorder", false, true, true, true, true, 9},
        {"QT61R", "QT61R 8-channel network recorder", true, true, false, false, true, 1},
        {"QT63R", "QT63R 16-channel network recorder", true, true, false, true, true, 1},
        {"QT67R", "QT67R 16-channel network recorder", false, true, false, true, true, 1},
    };
    return models;
}

inline bool IsOneOf(std::string_view code, std::initializer_list<std::string_view> codes) {
    for (std::string_view c : codes) {
        if (code == c)
            return true;
    }
    return false;
}

// The calculator's option lists, kept here so that the database covers exactly what the window
// can ask for.
inline std::vector<std::string> IpResolutions(std::string_view code) {
    if (IsOneOf(code, {"QT61R", "QT63R", "QT67R"}))
        return {"4M", "3M", "1080P", "SXGA", "720P", "D1", "CIF"};
    if (IsOneOf(code, {"QT20", "QT10", "QT10S", "QT00S"}))
        return {"1080P", "SXGA", "720P", "D1", "CIF"};
    if (IsOneOf(code, {"QT90", "QT5240"}))
        return {"1080P", "720P", "D1", "CIF"};
    return {"1080P", "720P"};
}

inline std::vector<std::string> AnalogResolutions(std::string_view code) {
    if (IsOneOf(code, {"KM20", "KM10"}))
        return {"960H", "D1", "HALF_D1", "CIF"};
    if (IsOneOf(code, {"VR30", "VR40"}))
        return {"720P", "960H", "D1", "HALF_D1", "CIF"};
    if (IsOneOf(code, {"VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60"}))
        return {"1080P", "720P", "960H", "D1", "HALF_D1", "CIF"};
    if (code == "VR70")
        return {"4M", "1080P", "720P", "960H", "D1", "HALF_D1", "CIF"};
    if (code == "ZB30")
        return {"960H", "D1", "CIF"};
    return {"D1", "HALF_D1", "CIF"};
}

inline std::vector<std::string> CameraList(std::string_view code) {
    if (code == "QT90")
        return {"JE2", "ANALOG"};
    if (IsOneOf(code, {"QT61R", "QT63R", "QT67R"}))
        return {"JE9"};
    return {"JE2"};
}

inline const std::vector<std::string>& Qualities() {
    static const std::vector<std::string> names = {"ULTRA", "SUPER", "HIGH", "MID", "LOW"};
    return names;
}

inline const std::vector<std::string>& Standards() {
    static const std::vector<std::string> names = {"NTSC", "PAL"};
    return names;
}

// Analog resolutions first, then the IP ones not yet named.
inline std::vector<std::string> AllResolutions(std::string_view code) {
    std::vector<std::string> all = AnalogResolutions(code);
    for (const std::string& r : IpResolutions(code)) {
        bool known = false;
        for (const std::string& a : all) known = known || a == r;
        if (!known)
            all.push_back(r);
    }
    return all;
}

inline std::vector<int> ChannelCounts(const SampleModel& m) {
    std::vector<int> counts;
    if (m.ch4)
        counts.push_back(4);
    if (m.ch8)
        counts.push_back(8);
    if (m.ch12)
        counts.push_back(12);
    if (m.ch16)
        counts.push_back(16);
    return counts;
}

// Camera types a QUAL record must exist for: "ANALOG" wherever a channel is analog (and on every
// channel of a plain model), the camera list wherever a hybrid model has IP channels.
inline std::vector<std::string> CameraTypes(const SampleModel& m) {
    if (!m.hybrid)
        return {"ANALOG"};
    std::vector<std::string> cameras;
    if (m.firstIpChannel != 1)
        cameras.push_back("ANALOG");
    if (m.firstIpChannel != 0) {
        for (const std::string& c : CameraList(m.code)) {
            bool known = false;
            for (const std::string& k : cameras) known = known || k == c;
            if (!known)
                cameras.push_back(c);
        }
    }
    return cameras;
}

inline bool IsFixedTableModel(std::string_view code) {
    return IsOneOf(code, {"VR30", "VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60", "VR70"});
}

inline bool IsComplexityModel(std::string_view code) {
    return code == "ZN50";
}

inline bool HasOnlyFullRateLists(std::string_view code) {
    return IsOneOf(code, {"QT20", "QT10", "QT10S", "QT61R", "QT63R", "QT67R"});
}

inline double PixelCount(std::string_view resolution) {
    struct Size {
        std::string_view name;
        double width;
        double height;
    };
    static constexpr Size sizes[] = {
        {"4M", 2560, 1440},   {"3M", 2048, 1536},    {"1080P", 1920, 1080},
        {"SXGA", 1280, 1024}, {"720P", 1280, 720},   {"960H", 960, 480},
        {"D1", 720, 480},     {"HALF_D1", 720, 240}, {"CIF", 360, 240},
    };
    for (const Size& s : sizes) {
        if (s.name == resolution)
            return s.width * s.height;
    }
    return 0;
}

inline double QualityFactor(std::string_view quality) {
    if (quality == "ULTRA")
        return 1.6;
    if (quality == "SUPER")
        return 1.3;
    if (quality == "HIGH")
        return 1.0;
    if (quality == "MID")
        return 0.7;
    if (quality == "LOW")
        return 0.4;
    return 0;
}

inline int FullFrameRate(std::string_view standard) {
    return standard == "PAL" ? 25 : 30;
}

inline double FullRateKbits(std::string_view resolution, std::string_view quality) {
    return 2000.0 * std::sqrt(PixelCount(resolution) / PixelCount("D1")) * QualityFactor(quality);
}

inline double FrameRateFactor(int fps) {
    if (fps >= 30)
        return 1.0;
    if (fps <= 5)
        return (fps + 3) / 45.0;
    return fps * 8 / 225.0;
}

inline double FrameSizeKilobytes(std::string_view standard, std::string_view resolution,
                                 std::string_view quality) {
    const double kilobytes = FullRateKbits(resolution, quality) / 8 / FullFrameRate(standard);
    return std::round(kilobytes * 1000) / 1000;
}

inline constexpr int kHisFrameRates[10] = {1, 2, 3, 4, 5, 6, 7, 10, 15, 30};

inline double HisBytesPerSecond(std::string_view resolution, std::string_view quality, int fps) {
    return std::round(FullRateKbits(resolution, quality) * FrameRateFactor(fps) * 1000 / 8);
}

inline std::string MaxFps(std::string_view code, std::string_view standard, int channels,
                          std::string_view resolution) {
    const bool pal = standard == "PAL";
    const double budget = 8 * PixelCount("1080P");
    if (!HasOnlyFullRateLists(code) && channels * PixelCount(resolution) > budget)
        return pal ? "12FPS" : "15FPS";
    return pal ? "25FPS" : "30FPS";
}

inline std::string BuildSampleDatabase() {
    const NumberSeparators sep{'.', ','};
    auto number = [&](double v) { return FormatGeneral(v, sep); };
    auto record = [](std::initializer_list<std::string> fields) {
        std::string value;
        for (const std::string& f : fields) value += f + "|";
        return value;
    };

    std::vector<std::string> models, quals, rates, his;
    for (const SampleModel& m : SampleModels()) {
        auto yn = [](bool b) { return std::string(b ? "Y" : "N"); };
        models.push_back(record({m.code, m.name, yn(m.ch4), yn(m.ch8), yn(m.ch12), yn(m.ch16),
                                 yn(m.hybrid), FormatInt(m.firstIpChannel)}));
        const std::vector<std::string> resolutions = AllResolutions(m.code);
        const std::vector<int> counts = ChannelCounts(m);
        for (const std::string& standard : Standards()) {
            for (int channels : counts) {
                for (const std::string& res : resolutions) {
                    rates.push_back(record({m.code, standard, FormatInt(channels), res,
                                            MaxFps(m.code, standard, channels, res)}));
                }
            }
        }
        if (IsComplexityModel(m.code)) {
            for (const std::string& standard : Standards()) {
                for (int channels : counts) {
                    for (const std::string& res : resolutions) {
                        for (const std::string& quality : Qualities()) {
                            std::string value =
                                record({m.code, standard, FormatInt(channels), res, quality});
                            for (int fps : kHisFrameRates)
                                value += number(HisBytesPerSecond(res, quality, fps)) + "|";
                            his.push_back(value);
                        }
                    }
                }
            }
        } else if (!IsFixedTableModel(m.code)) {
            for (const std::string& standard : Standards()) {
                for (const std::string& res : resolutions) {
                    for (const std::string& quality : Qualities()) {
                        const std::string size = number(FrameSizeKilobytes(standard, res, quality));
                        for (const std::string& camera : CameraTypes(m))
                            quals.push_back(
                                record({m.code, standard, res, quality, camera, size, "Y"}));
                    }
                }
            }
        }
    }

    std::string out =
        "; Tessavo sample model database: invented recorder models for trying out the calculator.\n"
        "; Generated by tessavo-make-sample-db (tools/sample_db); edit the generator, not this "
        "file.\n";
    auto section = [&](const char* name, const std::vector<std::string>& values) {
        out += std::string("[") + name + "]\n";
        out += "CNT=" + FormatInt(static_cast<int64_t>(values.size())) + "\n";
        for (std::size_t i = 0; i < values.size(); ++i)
            out += FormatInt(static_cast<int64_t>(i)) + "=" + values[i] + "\n";
    };
    section("MODEL", models);
    section("QUAL", quals);
    section("RATE", rates);
    section("HIS", his);
    return out;
}

// Returns false when the file cannot be written completely.
inline bool WriteSampleDatabase(const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string text = BuildSampleDatabase();
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return !file.fail();
}

}  // namespace tessavo::sampledb
