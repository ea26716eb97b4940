// Resolution weights, channel costs, budgets and the used-cost figure against the budget.
#include "cost/encoding_cost.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "pinned_separators.h"

namespace tessavo {
namespace {

TEST(ResolutionWeight, ByResolutionStandardAndModel) {
    struct Case {
        const char* resolution;
        const char* model;
        double ntsc;
        double pal;
    } cases[] = {
        {"CIF", "KM20", 1, 1},
        {"CIF", "VR50", 1, 1},
        {"HALF_D1", "KM20", 2, 2},
        {"HALF_D1", "VR60", 2, 2},
        {"D1", "KM20", 4, 4},
        {"D1", "ZB30", 4, 4},
        {"960H", "ZB30", 4, 4},
        {"960H", "VR50", 5.3333, 5.36},
        {"960H", "VR7320S", 5.3333, 5.36},
        {"960H", "KM20", 5.3333, 5.3333},
        {"960H", "ZN50", 5.3333, 5.3333},
        {"720P", "VR30", 10.6666, 10.72},
        {"720P", "VR70", 10.6666, 10.72},
        {"720P", "KM20", 12, 12},
        {"720P", "ZB30", 12, 12},
        {"1080P", "VR60", 21.3333, 21.44},
        {"1080P", "QT61R", 21.3333, 21.44},
        {"4M", "VR60", 42.6666, 42.88},
        {"4M", "QT61R", 42.6666, 42.88},
        {"SXGA", "QT61R", 1, 1},
        {"3M", "QT61R", 1, 1},
        // Compared exactly: a display text or another case is an unknown resolution.
        {"d1", "KM20", 1, 1},
        {"960h", "ZB30", 1, 1},
        {"", "KM20", 1, 1},
        // Model codes too: "zb30" is any other model, "vr50" no built-in-table model.
        {"960H", "zb30", 5.3333, 5.3333},
        {"720P", "vr50", 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.resolution) + " " + c.model);
        EXPECT_EQ(ResolutionWeight(c.resolution, "NTSC", c.model), c.ntsc);
        EXPECT_EQ(ResolutionWeight(c.resolution, "PAL", c.model), c.pal);
    }
}

TEST(CalcEncodingCost, FrameRateRules) {
    struct Case {
        const char* resolution;
        const char* fps;
        const char* standard;
        const char* model;
        double cost;
    } cases[] = {
        {"D1", "30FPS", "NTSC", "KM20", 120},
        {"D1", "7FPS", "NTSC", "KM20", 30},
        {"D1", "7FPS", "PAL", "KM20", 30},
        {"D1", "12FPS", "PAL", "KM20", 50},  // 50.9 truncated
        {"D1", "12FPS", "NTSC", "KM20", 48},
        {"CIF", "12FPS", "PAL", "KM20", 13},   // 13.4 truncated
        {"960H", "12FPS", "PAL", "VR50", 67},  // 67.9 truncated
        {"960H", "12FPS", "NTSC", "VR50", 12 * 5.3333},
        {"1080P", "12FPS", "PAL", "VR60", 268},  // 268.9 truncated
        {"1080P", "7FPS", "PAL", "VR60", 7.5 * 21.44},
        {"4M", "25FPS", "PAL", "QT61R", 25 * 42.88},
        {"1080P", "30FPS", "NTSC", "VR60", 30 * 21.3333},
        {"960H", "15FPS", "PAL", "ZB30", 60},
        {"720P", "6FPS", "NTSC", "VR70", 6 * 10.6666},
        // The frame rate needs no "FPS"; leading blanks are read, trailing ones are not.
        {"D1", "30", "NTSC", "KM20", 120},
        {"D1", " 30FPS", "NTSC", "KM20", 120},
        {"D1", "30FPS ", "NTSC", "KM20", 0},
        {"D1", "30fps", "NTSC", "KM20", 0},
        {"D1", "FPS", "NTSC", "KM20", 0},
        {"D1", "", "NTSC", "KM20", 0},
        {"D1", "7.5FPS", "NTSC", "KM20", 0},
        // An unknown resolution weighs 1.
        {"SXGA", "12FPS", "PAL", "KM20", 13},
        {"3M", "7FPS", "NTSC", "KM20", 7.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.resolution) + " " + c.fps + " " + c.standard + " " + c.model);
        EXPECT_DOUBLE_EQ(CalcEncodingCost(c.resolution, c.fps, c.standard, c.model), c.cost);
    }
}

TEST(EncodingBudget, EveryModelStandardAndCount) {
    struct Case {
        const char* model;
        double ntsc4, ntsc8, ntscMore, pal4, pal8, palMore;
    } cases[] = {
        {"ZN50", 480, 480, 480, 400, 400, 400},
        {"ZW6+", 480, 480, 480, 400, 400, 400},
        {"ZB30", 480, 480, 480, 400, 400, 400},
        {"KM20", 640, 1280, 2560, 536, 1072, 2144},
        {"KM10", 640, 1280, 2560, 536, 1072, 2144},
        {"VR30", 640, 1280, 2560, 536, 1072, 2144},
        {"VR40", 640, 1280, 2560, 536, 1072, 2144},
        {"VR50", 1280, 2560, 5120, 1072, 2144, 4288},
        {"VR7310", 1280, 2560, 5120, 1072, 2144, 4288},
        {"VR7330", 1280, 2560, 5120, 1072, 2144, 4288},
        {"VR7320S", 1280, 2560, 5120, 1072, 2144, 4288},
        {"VR7320", 1920, 1920, 1920, 1608, 1608, 1608},
        {"VR60", 2560, 5120, 10240, 2144, 4288, 8576},
        {"VR70", 2560, 5120, 10240, 2144, 4288, 8576},
        {"QT61R", 0, 0, 0, 0, 0, 0},
        {"QT20", 0, 0, 0, 0, 0, 0},
        {"vr60", 0, 0, 0, 0, 0, 0},
        {"ZW6", 0, 0, 0, 0, 0, 0},
        {"", 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        EXPECT_EQ(EncodingBudget(c.model, "NTSC", "4"), c.ntsc4);
        EXPECT_EQ(EncodingBudget(c.model, "NTSC", "8"), c.ntsc8);
        EXPECT_EQ(EncodingBudget(c.model, "PAL", "4"), c.pal4);
        EXPECT_EQ(EncodingBudget(c.model, "PAL", "8"), c.pal8);
        // Every other count text, even an empty or unusual one, takes the last column.
        for (const char* count : {"12", "16", "", " 4", "08"}) {
            EXPECT_EQ(EncodingBudget(c.model, "NTSC", count), c.ntscMore) << '"' << count << '"';
            EXPECT_EQ(EncodingBudget(c.model, "PAL", count), c.palMore) << '"' << count << '"';
        }
    }
}

TEST(EncodingBudget, StandardSwitchOnVr70WithEightChannels) {
    EXPECT_EQ(EncodingBudget("VR70", "NTSC", "8"), 5120);
    EXPECT_EQ(EncodingBudget("VR70", "PAL", "8"), 4288);
}

TEST(EncodingLimitText, FreeOrBudget) {
    PinnedSeparators english;
    EXPECT_EQ(EncodingLimitText(0), " / Free");
    EXPECT_EQ(EncodingLimitText(0), kFreeLimitText);
    EXPECT_EQ(EncodingLimitText(10240), " / 10240");
    EXPECT_EQ(EncodingLimitText(400), " / 400");
    EXPECT_EQ(EncodingLimitText(EncodingBudget("VR7320", "PAL", "16")), " / 1608");
}

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour) {
    const double cases[][2] = {
        {22.5, 22},
        {7.5, 8},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {22.49, 22},
        {22.51, 23},
        {10239.984, 10240},
        {0, 0},
        {-0.5, -0},
        {-1.5, -2},
        {-2.5, -2},
        {4503599627370497.0, 4503599627370497.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfToEven(c[0]), c[1]) << c[0];
    }
}

TEST(UsedEncodingCost, SumsTheFirstChannelsOnly) {
    std::array<double, 16> costs{};
    costs[0] = 15;
    costs[1] = 7.5;
    costs[2] = 100;                             // beyond a count of 2
    EXPECT_EQ(UsedEncodingCost(costs, 2), 22);  // 22.5, halves to even
    EXPECT_EQ(UsedEncodingCost(costs, "2"), 22);
    EXPECT_EQ(UsedEncodingCost(std::span<const double>(costs).subspan(1), 1), 8);  // 7.5
    EXPECT_EQ(UsedEncodingCost(costs, 3), 122);
    EXPECT_EQ(UsedEncodingCost(costs, "16"), 122);
    // Counts that are not numbers, or below 1, sum nothing; above the slots, every slot.
    EXPECT_EQ(UsedEncodingCost(costs, ""), 0);
    EXPECT_EQ(UsedEncodingCost(costs, "abc"), 0);
    EXPECT_EQ(UsedEncodingCost(costs, -3), 0);
    EXPECT_EQ(UsedEncodingCost(costs, 0), 0);
    EXPECT_EQ(UsedEncodingCost(costs, 40), 122);
    EXPECT_EQ(UsedEncodingCost(std::span<const double>(), 4), 0);
}

TEST(UsedEncodingCost, SixteenFullHdChannelsOnVr60FitTheBudget) {
    const double channel = CalcEncodingCost("1080P", "30FPS", "NTSC", "VR60");
    std::vector<double> costs(16, channel);
    double sum = 0;
    for (double c : costs) sum += c;
    EXPECT_LT(sum, 10240);
    const double used = UsedEncodingCost(costs, "16");
    const double budget = EncodingBudget("VR60", "NTSC", "16");
    EXPECT_EQ(used, 10240);
    EXPECT_EQ(budget, 10240);
    EXPECT_FALSE(IsOverBudget(used, budget));
    // One frame per second more on one channel tips it over.
    costs[15] = CalcEncodingCost("1080P", "31FPS", "NTSC", "VR60");
    EXPECT_TRUE(IsOverBudget(UsedEncodingCost(costs, "16"), budget));
}

TEST(IsOverBudget, OnlyAboveAnExistingBudget) {
    EXPECT_FALSE(IsOverBudget(480, 480));
    EXPECT_TRUE(IsOverBudget(481, 480));
    EXPECT_FALSE(IsOverBudget(0, 480));
    EXPECT_FALSE(IsOverBudget(100000, 0));
}

TEST(UsedEncodingCostText, WholeNumber) {
    PinnedSeparators english;
    EXPECT_EQ(UsedEncodingCostText(10240), "10240");
    EXPECT_EQ(UsedEncodingCostText(0), "0");
    EXPECT_EQ(UsedEncodingCostText(RoundHalfToEven(-0.0)), "0");
}

}  // namespace
}  // namespace tessavo
