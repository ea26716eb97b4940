// Built-in bitrate tables: row layout and the printed reference values.
#include "model/fixed_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace tessavo {
namespace {

class FixedTablesTest : public ::testing::Test {
  protected:
    void SetUp() override { FillFixedTables(tables_); }

    struct Named {
        const char* model;
        std::span<const TFixedData> rows;
    };
    std::vector<Named> All() const {
        return {{"VR70", tables_.FFixedVR70},
                {"VR60", tables_.FFixedVR60},
                {"VR50", tables_.FFixedVR50},
                {"VR30", tables_.FFixedVR30}};
    }

    FixedTables tables_;
};

struct Values {
    double low, mid, high, super, ultra;
};

void ExpectValues(const TFixedData& row, const Values& v, const std::string& where) {
    // The stored values are the decimal figures themselves, not merely close to them.
    EXPECT_EQ(row.Low, v.low) << where;
    EXPECT_EQ(row.Mid, v.mid) << where;
    EXPECT_EQ(row.High, v.high) << where;
    EXPECT_EQ(row.Super, v.super) << where;
    EXPECT_EQ(row.Ultra, v.ultra) << where;
}

const TFixedData* FindRow(std::span<const TFixedData> rows, const std::string& standard, int fps,
                          const std::string& resolution) {
    for (const TFixedData& row : rows) {
        if (row.Standard == standard && row.Fps == fps && row.Resolution == resolution)
            return &row;
    }
    return nullptr;
}

TEST_F(FixedTablesTest, FullRateValuesForBothStandardsInEveryTable) {
    const struct {
        const char* resolution;
        Values values;
    } cases[] = {
        {"4M", {2612.789, 4572.38, 6531.972, 8491.564, 10451.156}},
        {"1080P", {1959.592, 3429.286, 4898.979, 6368.673, 7838.367}},
        {"720P", {1306.395, 2286.19, 3265.986, 4245.782, 5225.578}},
        {"960H", {923.76, 1616.581, 2309.401, 3002.221, 3695.042}},
        {"D1", {800, 1400, 2000, 2600, 3200}},
        {"HALF_D1", {565.685, 989.949, 1414.214, 1838.478, 2262.742}},
        {"CIF", {400, 700, 1000, 1300, 1600}},
    };
    for (const Named& table : All()) {
        for (const auto& c : cases) {
            const bool only70 = std::string(c.resolution) == "4M";
            for (const auto& [standard, fps] : {std::pair{"NTSC", 30}, std::pair{"PAL", 25}}) {
                const std::string where =
                    std::string(table.model) + " " + standard + " " + c.resolution;
                const TFixedData* row = FindRow(table.rows, standard, fps, c.resolution);
                if (only70 && std::string(table.model) != "VR70") {
                    EXPECT_EQ(row, nullptr) << where;
                    continue;
                }
                ASSERT_NE(row, nullptr) << where;
                ExpectValues(*row, c.values, where);
            }
        }
    }
}

TEST_F(FixedTablesTest, ReferenceRowsByPosition) {
    const struct {
        const char* model;
        std::size_t row;
        const char* standard;
        int fps;
        const char* resolution;
        Values values;
    } cases[] = {
        {"VR70", 11, "NTSC", 15, "D1", {426.667, 746.667, 1066.667, 1386.667, 1706.667}},
        // Cut, not rounded: rounding would give 928.992 for Low.
        {"VR70", 14, "NTSC", 10, "4M", {928.991, 1625.735, 2322.479, 3019.222, 3715.966}},
        {"VR70", 56, "NTSC", 1, "4M", {232.247, 406.433, 580.619, 754.805, 928.991}},
        {"VR70", 74, "PAL", 12, "D1", {420, 735, 1050, 1365, 1680}},
        {"VR70", 88, "PAL", 6, "D1", {210, 367.5, 525, 682.5, 840}},
        {"VR50", 61, "PAL", 12, "720P", {685.857, 1200.25, 1714.643, 2229.036, 2743.429}},
        {"VR30", 107, "PAL", 1, "CIF", {40, 70, 100, 130, 160}},
    };
    for (const auto& c : cases) {
        std::span<const TFixedData> rows;
        for (const Named& table : All()) {
            if (std::string(table.model) == c.model)
                rows = table.rows;
        }
        const std::string where = std::string(c.model) + " row " + std::to_string(c.row);
        ASSERT_LT(c.row, rows.size()) << where;
        const TFixedData& row = rows[c.row];
        EXPECT_EQ(row.Standard, c.standard) << where;
        EXPECT_EQ(row.Fps, c.fps) << where;
        EXPECT_EQ(row.Resolution, c.resolution) << where;
        ExpectValues(row, c.values, where);
    }
}

TEST_F(FixedTablesTest, RowLayoutFollowsGroupsAndResolutionOrder) {
    const std::vector<std::string> seven = {"4M", "1080P", "720P", "960H", "D1", "HALF_D1", "CIF"};
    const std::vector<std::string> six(seven.begin() + 1, seven.end());
    const std::pair<const char*, int> groups[18] = {
        {"NTSC", 30}, {"NTSC", 15}, {"NTSC", 10}, {"NTSC", 7}, {"NTSC", 5}, {"NTSC", 4},
        {"NTSC", 3},  {"NTSC", 2},  {"NTSC", 1},  {"PAL", 25}, {"PAL", 12}, {"PAL", 8},
        {"PAL", 6},   {"PAL", 5},   {"PAL", 4},   {"PAL", 3},  {"PAL", 2},  {"PAL", 1},
    };
    for (const Named& table : All()) {
        const std::vector<std::string>& names = std::string(table.model) == "VR70" ? seven : six;
        ASSERT_EQ(table.rows.size(), names.size() * 18) << table.model;
        for (std::size_t i = 0; i < table.rows.size(); ++i) {
            const TFixedData& row = table.rows[i];
            const auto& group = groups[i / names.size()];
            const std::string where = std::string(table.model) + " row " + std::to_string(i);
            EXPECT_EQ(row.Model, table.model) << where;
            EXPECT_EQ(row.Standard, group.first) << where;
            EXPECT_EQ(row.Fps, group.second) << where;
            EXPECT_EQ(row.Resolution, names[i % names.size()]) << where;
        }
        EXPECT_EQ(table.rows.back().Standard, "PAL");
        EXPECT_EQ(table.rows.back().Fps, 1);
        EXPECT_EQ(table.rows.back().Resolution, "CIF");
    }
    EXPECT_EQ(tables_.FFixedVR70[0].Resolution, "4M");
    EXPECT_EQ(tables_.FFixedVR60[0].Resolution, "1080P");
}

TEST_F(FixedTablesTest, EachCombinationOnceAndNoForeignFrameRates) {
    for (const Named& table : All()) {
        std::set<std::tuple<std::string, int, std::string>> seen;
        for (const TFixedData& row : table.rows) {
            EXPECT_TRUE(seen.emplace(row.Standard, row.Fps, row.Resolution).second)
                << table.model << " " << row.Standard << " " << row.Fps << " " << row.Resolution;
        }
        for (const auto& [standard, fps] :
             {std::pair{"NTSC", 12}, std::pair{"NTSC", 25}, std::pair{"NTSC", 6},
              std::pair{"PAL", 15}, std::pair{"PAL", 30}, std::pair{"PAL", 10}}) {
            EXPECT_EQ(FindRow(table.rows, standard, fps, "D1"), nullptr)
                << table.model << " " << standard << " " << fps;
        }
    }
}

TEST_F(FixedTablesTest, SharedResolutionsHoldTheSameValuesInAllTables) {
    for (const TFixedData& row : tables_.FFixedVR60) {
        for (const Named& table : All()) {
            const TFixedData* other = FindRow(table.rows, row.Standard, row.Fps, row.Resolution);
            ASSERT_NE(other, nullptr);
            ExpectValues(*other, {row.Low, row.Mid, row.High, row.Super, row.Ultra},
                         std::string(table.model) + " " + row.Standard + " " +
                             std::to_string(row.Fps) + " " + row.Resolution);
        }
    }
}

}  // namespace
}  // namespace tessavo
