// Encoding cost of a channel, the model's encoding budget and the used-cost figure.
#include "cost/encoding_cost.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

namespace {

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> codes) {
    return std::find(codes.begin(), codes.end(), text) != codes.end();
}

bool IsFixedTableCode(std::string_view model) {
    return IsOneOf(model,
                   {"VR30", "VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60", "VR70"});
}

// One row of the budget table: NTSC and PAL budgets for 4, 8 and more channels.
struct BudgetRow {
    std::initializer_list<std::string_view> models;
    double ntsc[3];
    double pal[3];
};

}  // namespace

bool IsPalStandard(std::string_view standard) {
    return standard != "NTSC";
}

double ResolutionWeight(std::string_view resolution, std::string_view standard,
                        std::string_view modelName) {
    const bool pal = IsPalStandard(standard);
    if (resolution == "CIF")
        return 1;
    if (resolution == "HALF_D1")
        return 2;
    if (resolution == "D1")
        return 4;
    if (resolution == "960H") {
        if (modelName == "ZB30")
            return 4;
        return pal && IsFixedTableCode(modelName) ? 5.36 : 5.3333;
    }
    if (resolution == "720P") {
        if (!IsFixedTableCode(modelName))
            return 12;
        return pal ? 10.72 : 10.6666;
    }
    if (resolution == "1080P")
        return pal ? 21.44 : 21.3333;
    if (resolution == "4M")
        return pal ? 42.88 : 42.6666;
    return 1;
}

double CalcEncodingCost(std::string_view resolution, std::string_view fpsText,
                        std::string_view standard, std::string_view modelName) {
    const int fps = ParseIntDef(ReplaceAll(fpsText, "FPS", ""), 0);
    const double weight = ResolutionWeight(resolution, standard, modelName);
    if (fps == 7)
        return 7.5 * weight;
    if (fps == 12 && IsPalStandard(standard))
        return std::trunc(12.5 * weight + 0.9);
    return fps * weight;
}

double EncodingBudget(std::string_view modelName, std::string_view standard,
                      std::string_view channelCountText) {
    static const BudgetRow kRows[] = {
        {{"ZN50", "ZW6+", "ZB30"}, {480, 480, 480}, {400, 400, 400}},
        {{"KM20", "KM10", "VR30", "VR40"}, {640, 1280, 2560}, {536, 1072, 2144}},
        {{"VR50", "VR7310", "VR7330", "VR7320S"}, {1280, 2560, 5120}, {1072, 2144, 4288}},
        {{"VR7320"}, {1920, 1920, 1920}, {1608, 1608, 1608}},
        {{"VR60", "VR70"}, {2560, 5120, 10240}, {2144, 4288, 8576}},
    };
    const int column = channelCountText == "4" ? 0 : channelCountText == "8" ? 1 : 2;
    for (const BudgetRow& row : kRows) {
        if (IsOneOf(modelName, row.models))
            return IsPalStandard(standard) ? row.pal[column] : row.ntsc[column];
    }
    return 0;
}

std::string EncodingLimitText(double budget) {
    if (budget == 0)
        return std::string(kFreeLimitText);
    return " / " + FormatGeneral(budget);
}

double RoundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2) == 0 ? below : below + 1;
}

double UsedEncodingCost(std::span<const double> costs, int channelCount) {
    const std::size_t n =
        channelCount <= 0 ? 0 : std::min(costs.size(), static_cast<std::size_t>(channelCount));
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += costs[i];
    return RoundHalfToEven(sum);
}

double UsedEncodingCost(std::span<const double> costs, std::string_view channelCountText) {
    return UsedEncodingCost(costs, ParseIntDef(channelCountText, 0));
}

std::string UsedEncodingCostText(double usedCost) {
    return FormatGeneral(usedCost);
}

bool IsOverBudget(double usedCost, double budget) {
    return budget != 0 && usedCost > budget;
}

}  // namespace tessavo
