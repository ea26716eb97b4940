// Encoding cost of a channel, the model's encoding budget and the used-cost figure.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tessavo {

// The video standard is PAL unless it is exactly "NTSC" (the radio buttons offer only the two).
bool IsPalStandard(std::string_view standard);

// Weight of one frame relative to CIF. The resolution is the source text (reverse-translated by
// the caller) and is compared exactly; an unknown resolution weighs 1. The weights are the
// decimal constants as written (5.3333, not 16/3). Model codes are compared exactly.
double ResolutionWeight(std::string_view resolution, std::string_view standard,
                        std::string_view modelName);

// Cost of one channel. The frame rate is the cell text with every "FPS" removed, read as an
// integer without trimming (0 otherwise). 7 fps costs 7.5 weights; 12 fps in PAL
// 12.5 weights + 0.9, truncated; any other rate fps weights.
double CalcEncodingCost(std::string_view resolution, std::string_view fpsText,
                        std::string_view standard, std::string_view modelName);

// The model's budget for the standard and the channel-count text ("4", "8", anything else);
// 0 for a model without a budget.
double EncodingBudget(std::string_view modelName, std::string_view standard,
                      std::string_view channelCountText);

// Text of the limit label: " / Free" without a budget, otherwise " / 10240".
inline constexpr std::string_view kFreeLimitText = " / Free";
std::string EncodingLimitText(double budget);

// Rounds halves to the even neighbour (22.5 -> 22, 7.5 -> 8) whatever the floating-point
// rounding mode is.
double RoundHalfToEven(double value);

// Sum of the first channelCount costs (fewer when there are fewer; none for a count below 1),
// rounded halves to even.
double UsedEncodingCost(std::span<const double> costs, int channelCount);
// The same with the channel-count text read as an integer, 0 when it is not one.
double UsedEncodingCost(std::span<const double> costs, std::string_view channelCountText);

// The used cost as the value label shows it: a whole number.
std::string UsedEncodingCostText(double usedCost);

// Over budget: a budget exists and the (rounded) used cost is greater than it. Without a
// budget the window shows "Free" and the normal state, so false is the answer then too.
bool IsOverBudget(double usedCost, double budget);

}  // namespace tessavo
