// Record types of the model database and of the built-in bitrate tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessavo {

// One recorder model.
struct TModel {
    std::string Code;
    std::string Name;
    bool Ch4 = false;
    bool Ch8 = false;
    bool Ch12 = false;
    bool Ch16 = false;
    bool Hybrid = false;
    int32_t FirstIpChannel = 0;
};

// Size of one frame (kilobytes) for a model, standard, resolution, quality and camera type.
struct TQualitySize {
    std::string Model;
    std::string Standard;
    std::string Resolution;
    std::string Quality;
    std::string Camera;
    bool Flag = false;
    double FrameSize = 0;
};

// Highest frame rate of a model for a standard, channel count and resolution.
struct TRate {
    std::string Model;
    std::string Standard;
    std::string Channels;
    std::string Resolution;
    std::string MaxFps;
};

// Data rates (bytes per second) at 1, 2, 3, 4, 5, 6, 7, 10, 15 and 30 frames per second.
struct THiSiliconData {
    std::string Model;
    std::string Standard;
    std::string Channels;
    std::string Resolution;
    std::string Quality;
    std::array<double, 10> DataRates{};
};

// One row of a built-in table: bitrates in kilobits per second per quality.
struct TFixedData {
    std::string Model;
    std::string Standard;
    std::string Resolution;
    int32_t Fps = 0;
    double Low = 0;
    double Mid = 0;
    double High = 0;
    double Super = 0;
    double Ultra = 0;
};

using PModel = std::vector<TModel>;
using PQualitySize = std::vector<TQualitySize>;
using PRate = std::vector<TRate>;
using PHisilcon = std::vector<THiSiliconData>;

// The four record arrays as one value, as the loader and the workbook conversion produce them.
struct ModelDatabase {
    PModel Models;
    PQualitySize QualitySizes;
    PRate Rates;
    PHisilcon HiSilicon;
};

}  // namespace tessavo
