// What the calculator knows between two events: the main form's fields, as plain data.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/fixed_tables.h"
#include "model/records.h"

namespace tessavo {

struct CalculatorState : FixedTables {
    // Model database, filled by the loading sequence (and replaced by the workbook conversion).
    PModel FModels;
    PQualitySize FQualitySizes;
    PRate FRates;
    PHisilcon FHiSilicon;

    // The four built-in tables FFixedVR70, FFixedVR60, FFixedVR50, FFixedVR30 come from
    // FixedTables.

    // Selection.
    int32_t FModelIndex = 0;
    std::string FModelName;
    bool FHybrid = false;
    std::string FVideoStandard;

    // Computation state.
    double FComplexityFactor = 0;
    std::array<double, 16> FEncodingCosts{};  // channel 1 in slot 0
    double FEncodingLimit = 0;

    // Option lists (display texts, except the frame rates and camera types).
    std::vector<std::string> FResolutionList;
    std::vector<std::string> FIpResolutionList;
    std::vector<std::string> FQualityList;
    std::vector<std::string> FIpQualityList;
    std::vector<std::string> FFpsList;
    std::vector<std::string> FCameraList;

    // The record at FModelIndex, or null when no model is selected.
    const TModel* SelectedModel() const {
        if (FModelIndex < 0 || static_cast<std::size_t>(FModelIndex) >= FModels.size()) {
            return nullptr;
        }
        return &FModels[static_cast<std::size_t>(FModelIndex)];
    }
    int32_t FirstIpChannel() const {
        const TModel* model = SelectedModel();
        return model ? model->FirstIpChannel : 0;
    }
    // Channel c (1-based) is an IP-camera channel from the model's first IP channel on.
    bool IsIpChannel(int channel) const {
        const int32_t first = FirstIpChannel();
        return first > 0 && channel >= first;
    }
};

}  // namespace tessavo
