// The four built-in bitrate tables of the VR family and the rule that fills them.
#pragma once

#include <array>

#include "model/records.h"

namespace tessavo {

// FFixedVR50 also serves VR7310, VR7320, VR7330 and VR7320S.
struct FixedTables {
    std::array<TFixedData, 126> FFixedVR70;
    std::array<TFixedData, 108> FFixedVR60, FFixedVR50, FFixedVR30;
};

// Each fills one table completely: per standard (NTSC then PAL) nine frame rates from the full
// rate down to 1, each with every resolution of the table in order ("4M" first in VR70 only).
// Values in kilobits per second: 2000 * sqrt(P / P(D1)) * Q(quality) * K(standard, fps),
// kept to three decimals (rounded; "4M" cut toward zero, as the original table had it).
void FillFixedVR70(std::array<TFixedData, 126>& table);
void FillFixedVR60(std::array<TFixedData, 108>& table);
void FillFixedVR50(std::array<TFixedData, 108>& table);
void FillFixedVR30(std::array<TFixedData, 108>& table);

// All four, in the order of the loading sequence.
void FillFixedTables(FixedTables& tables);

}  // namespace tessavo
