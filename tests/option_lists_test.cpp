// Option lists per model code, channel counts and the frame-rate list from the RATE records.
#include "channels/option_lists.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text.h"

namespace tessavo {
namespace {

using Texts = std::vector<std::string>;

const Texts kFourSuper = {"SUPER", "HIGH", "MID", "LOW"};
const Texts kFiveUltra = {"ULTRA", "SUPER", "HIGH", "MID", "LOW"};

// Codes that no rule names, including near misses of named ones.
const std::vector<std::string> kOtherCodes = {"ZN50", "", "qt61r", "VR7", "KM20 ", "QT90X", "ZW6+"};

TEST(QualityNames, FiveBestFirst) {
    const Texts names(QualityNames.begin(), QualityNames.end());
    EXPECT_EQ(names, kFiveUltra);
}

TEST(ResolutionLists, EveryRuleRowIncludingAnyOtherCode) {
    struct Row {
        std::vector<std::string> codes;
        Texts entries;
    };
    const std::vector<Row> ipRows = {
        {{"QT61R", "QT63R", "QT67R"}, {"4M", "3M", "1080P", "SXGA", "720P", "D1", "CIF"}},
        {{"QT20", "QT10", "QT10S", "QT00S"}, {"1080P", "SXGA", "720P", "D1", "CIF"}},
        {{"QT90", "QT5240"}, {"1080P", "720P", "D1", "CIF"}},
        {kOtherCodes, {"1080P", "720P"}},
        // Named only by the analog rule.
        {{"VR70", "KM20", "ZB30"}, {"1080P", "720P"}},
    };
    const std::vector<Row> analogRows = {
        {{"KM20", "KM10"}, {"960H", "D1", "HALF_D1", "CIF"}},
        {{"VR30", "VR40"}, {"720P", "960H", "D1", "HALF_D1", "CIF"}},
        {{"VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60"},
         {"1080P", "720P", "960H", "D1", "HALF_D1", "CIF"}},
        {{"VR70"}, {"4M", "1080P", "720P", "960H", "D1", "HALF_D1", "CIF"}},
        {{"ZB30"}, {"960H", "D1", "CIF"}},
        {kOtherCodes, {"D1", "HALF_D1", "CIF"}},
        {{"QT61R", "QT90"}, {"D1", "HALF_D1", "CIF"}},
    };
    TranslationTable table;
    for (const auto& [rows, ip] : {std::pair{&ipRows, true}, std::pair{&analogRows, false}}) {
        for (const Row& row : *rows) {
            for (const std::string& code : row.codes) {
                Texts analog = {"stale"}, ipList = {"stale"};
                FillResolutionLists(code, table, analog, ipList);
                EXPECT_EQ(ip ? ipList : analog, row.entries) << "'" << code << "' ip=" << ip;
            }
        }
    }
}

TEST(QualityLists, EveryRuleRowIncludingAnyOtherCode) {
    struct Case {
        std::vector<std::string> codes;
        const Texts* analog;
        const Texts* ip;
    };
    const std::vector<Case> cases = {
        {{"KM20", "KM10", "VR30", "VR40", "VR50", "VR7310", "VR7320", "VR7330", "VR60", "VR70"},
         &kFourSuper,
         &kFourSuper},
        {{"QT20", "QT10", "QT10S", "QT61R", "QT63R", "QT67R"}, &kFiveUltra, &kFiveUltra},
        // VR7320S shares the VR50 resolutions but not its qualities; QT00S its IP resolutions.
        {{"VR7320S", "QT00S", "QT90", "ZB30"}, &kFiveUltra, &kFourSuper},
        {kOtherCodes, &kFiveUltra, &kFourSuper},
    };
    TranslationTable table;
    for (const Case& c : cases) {
        for (const std::string& code : c.codes) {
            Texts analog = {"stale"}, ip = {"stale"};
            FillQualityLists(code, table, analog, ip);
            EXPECT_EQ(analog, *c.analog) << "'" << code << "'";
            EXPECT_EQ(ip, *c.ip) << "'" << code << "'";
        }
    }
}

TEST(OptionLists, EntriesAreDisplayTexts) {
    TranslationTable table;
    ASSERT_TRUE(table.LoadFromBytes("1 HIGH\n2 Hoch\n1 d1\n2 D-Eins\n1 Other\n2 Andere\n"));
    Texts analog, ip;
    FillResolutionLists("KM20", table, analog, ip);
    EXPECT_EQ(analog, (Texts{"960H", "D-Eins", "HALF_D1", "CIF"}));
    EXPECT_EQ(ip, (Texts{"1080P", "720P"}));
    FillQualityLists("KM20", table, analog, ip);
    EXPECT_EQ(analog, (Texts{"SUPER", "Hoch", "MID", "LOW"}));
    // Untranslated names were learned as themselves.
    EXPECT_EQ(table.ReverseTranslate(std::string_view("Hoch")), "HIGH");
    EXPECT_EQ(table.Translate(std::string_view("cif")), "CIF");
}

TEST(CameraList, EveryRuleRowAndNoModel) {
    struct Case {
        std::vector<std::string> codes;
        Texts cameras;
    };
    std::vector<std::string> others = kOtherCodes;
    others.erase(std::find(others.begin(), others.end(), ""));
    const std::vector<Case> cases = {
        {{"QT90"}, {"JE2", "ANALOG"}},
        {{"QT61R", "QT63R", "QT67R"}, {"JE9"}},
        {others, {"JE2"}},
        {{"QT20", "QT5240", "VR70"}, {"JE2"}},
        {{""}, {}},
    };
    for (const Case& c : cases) {
        for (const std::string& code : c.codes) {
            Texts cameras = {"stale"};
            FillCameraList(code, cameras);
            EXPECT_EQ(cameras, c.cameras) << "'" << code << "'";
        }
    }
}

TEST(ChannelCountItems, OfferedCountsSmallestFirst) {
    struct Case {
        bool ch4, ch8, ch12, ch16;
        Texts items;
    } cases[] = {
        {true, true, true, true, {"4", "8", "12", "16"}},
        {false, true, false, true, {"8", "16"}},
        {false, false, true, false, {"12"}},
        {true, false, false, false, {"4"}},
        {false, false, false, false, {}},
    };
    for (const Case& c : cases) {
        TModel model;
        model.Ch4 = c.ch4;
        model.Ch8 = c.ch8;
        model.Ch12 = c.ch12;
        model.Ch16 = c.ch16;
        EXPECT_EQ(ChannelCountItems(model), c.items) << c.ch4 << c.ch8 << c.ch12 << c.ch16;
    }
}

Texts Fps(std::initializer_list<int> rates) {
    Texts list;
    for (int rate : rates) list.push_back(std::to_string(rate) + "FPS");
    return list;
}

Texts FpsDownFrom(int n) {
    Texts list;
    for (int rate = n; rate >= 1; --rate) list.push_back(std::to_string(rate) + "FPS");
    return list;
}

TEST(FpsEntriesForCeiling, ListPerCeilingAndModelFamily) {
    const Texts ntscQt = Fps({30, 15, 10, 8, 5, 4, 3, 2, 1});
    const Texts palQt = Fps({25, 12, 10, 8, 5, 4, 3, 2, 1});
    const Texts list12 = Fps({12, 6, 5, 4, 3, 2, 1});
    const Texts list15 = Fps({15, 10, 7, 6, 5, 4, 3, 2, 1});
    const Texts list25 = Fps({25, 12, 8, 6, 5, 4, 3, 2, 1});
    const Texts list30 = Fps({30, 15, 10, 7, 5, 4, 3, 2, 1});
    struct Case {
        std::string model;
        std::string maxFps;
        Texts expected;
    };
    std::vector<Case> cases = {
        {"KM20", "12FPS", list12},
        {"KM20", "15FPS", list15},
        {"KM20", "25FPS", list25},
        {"KM20", "30FPS", list30},
        {"KM20", "30", list30},
        {"KM20", "3FPS0", list30},  // every "FPS" goes, wherever it stands
        {"KM20", "30fps", list15},  // removal is case-sensitive; not a number counts as 15
        {"KM20", "", list15},
        {"KM20", "20FPS", FpsDownFrom(20)},
        {"KM20", "1FPS", {"1FPS"}},
        {"KM20", "0FPS", {}},
        {"KM20", "-3FPS", {}},
        {"KM20", "8FPS", FpsDownFrom(8)},
        {"KM20", "2147483647FPS", FpsDownFrom(kMaxFpsCeiling)},  // a damaged ceiling stays cheap
        {"QT61R", "12FPS", palQt},  // the QT families know only 30 and the rest
        {"qt20", "30FPS", list30},  // model codes are exact: lower case is another model
    };
    for (const char* model : {"QT20", "QT10", "QT10S", "QT61R", "QT63R", "QT67R"}) {
        cases.push_back({model, "30FPS", ntscQt});
        cases.push_back({model, "30", ntscQt});
        cases.push_back({model, "25FPS", palQt});
        cases.push_back({model, "30fps", palQt});
        cases.push_back({model, " 30FPS", palQt});  // exactly "30", not a number equal to 30
        cases.push_back({model, "0FPS", palQt});
    }
    for (const Case& c : cases) {
        EXPECT_EQ(FpsEntriesForCeiling(c.model, c.maxFps), c.expected)
            << c.model << " '" << c.maxFps << "'";
    }
}

TRate Rate(std::string model, std::string standard, std::string channels, std::string resolution,
           std::string maxFps) {
    return {std::move(model), std::move(standard), std::move(channels), std::move(resolution),
            std::move(maxFps)};
}

class FpsListTest : public ::testing::Test {
  protected:
    Texts Fill(const std::string& model, const std::string& standard, const std::string& resolution,
               const std::string& channels) {
        index_.Build(rates_, table_);
        Texts list = {"stale"};
        FillFpsList(index_, model, standard, resolution, channels, list);
        return list;
    }

    PRate rates_;
    TranslationTable table_;
    RateIndex index_;
};

TEST_F(FpsListTest, MatchesRecordsLiterallyWithEmptyTable) {
    rates_ = {
        Rate("KM20", "NTSC", "8", "D1", "30fps"),    Rate("QT20", "NTSC", "8", "1080P", "30fps"),
        Rate("KM20", "NTSC", "8", "cif", "12FPS"),   Rate("KM20", "ntsc", "8", "HALF_D1", "25FPS"),
        Rate("KM20", "PAL", "8", "D1", "20FPS"),     Rate("KM20", "PAL", "8", "CIF", "1FPS"),
        Rate("KM20", "PAL", "8", "HALF_D1", "0FPS"), Rate("KM20", "NTSC", "16", "D1", "25FPS"),
        Rate("KM20", "NTSC", "16", "D1", "12FPS"),  // same combination: only the first counts
        Rate("VR40", "NTSC", "4", "960H", "30FPS"),
    };
    struct Case {
        const char* model;
        const char* standard;
        const char* resolution;
        const char* channels;
        Texts expected;
    } cases[] = {
        {"KM20", "NTSC", "D1", "8", Fps({15, 10, 7, 6, 5, 4, 3, 2, 1})},
        {"QT20", "NTSC", "1080P", "8", Fps({25, 12, 10, 8, 5, 4, 3, 2, 1})},
        {"KM20", "NTSC", "CIF", "8", Fps({12, 6, 5, 4, 3, 2, 1})},  // resolution ignores case
        {"KM20", "NTSC", "Cif", "8", Fps({12, 6, 5, 4, 3, 2, 1})},
        {"KM20", "NTSC", "HALF_D1", "8", {}},  // standard does not
        {"KM20", "PAL", "D1", "8", FpsDownFrom(20)},
        {"KM20", "PAL", "CIF", "8", {"1FPS"}},
        {"KM20", "PAL", "HALF_D1", "8", {}},
        {"KM20", "NTSC", "D1", "16", Fps({25, 12, 8, 6, 5, 4, 3, 2, 1})},
        {"KM20", "NTSC", "D1", "4", {}},  // channel count exact
        {"KM20", "NTSC", "D1", "08", {}},
        {"km20", "NTSC", "D1", "8", {}},  // model exact
        {"KM20", "PAL ", "D1", "8", {}},
        {"VR40", "NTSC", "960H", "4", Fps({30, 15, 10, 7, 5, 4, 3, 2, 1})},
        {"VR40", "NTSC", "960H", "", {}},
        {"", "", "", "", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Fill(c.model, c.standard, c.resolution, c.channels), c.expected)
            << c.model << " " << c.standard << " " << c.resolution << " " << c.channels;
    }
}

TEST_F(FpsListTest, DisplayTextsOnEitherSideFindTheRecord) {
    // A locale that shows resolutions and the standard under other names. Records were loaded
    // through translate, so they hold display texts too.
    ASSERT_TRUE(table_.LoadFromBytes("1 NTSC\n2 NTSC-J\n1 D1\n2 D-Eins\n1 CIF\n2 Klein\n"));
    rates_ = {
        Rate("KM20", "NTSC-J", "8", "D-Eins", "12FPS"),
        Rate("KM20", "NTSC", "8", "CIF", "25FPS"),
        Rate("KM20", "PAL", "8", "d-eins", "30FPS"),
    };
    EXPECT_EQ(Fill("KM20", "NTSC-J", "D-Eins", "8"), Fps({12, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Fill("KM20", "NTSC", "D1", "8"), Fps({12, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Fill("KM20", "ntsc-j", "d1", "8"), Fps({12, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Fill("KM20", "NTSC-J", "klein", "8"), Fps({25, 12, 8, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Fill("KM20", "PAL", "D-EINS", "8"), Fps({30, 15, 10, 7, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Fill("KM20", "NTSC", "HALF_D1", "8"), Texts{});
}

TEST_F(FpsListTest, LearningAfterBuildIsSeenWithoutRebuild) {
    ASSERT_TRUE(table_.LoadFromBytes("1 Select Model\n2 Modell\n"));
    rates_ = {Rate("KM20", "ntsc", "8", "D1", "12FPS"), Rate("KM20", "NTSC", "8", "D1", "25FPS")};
    index_.Build(rates_, table_);
    Texts list;
    FillFpsList(index_, "KM20", "NTSC", "D1", "8", list);
    EXPECT_EQ(list, Fps({25, 12, 8, 6, 5, 4, 3, 2, 1}));
    // Learning "ntsc" makes "NTSC" reverse to "ntsc": both spellings now name one source text,
    // and the earlier record wins for both.
    EXPECT_EQ(table_.Translate(std::string_view("ntsc")), "ntsc");
    FillFpsList(index_, "KM20", "NTSC", "D1", "8", list);
    EXPECT_EQ(list, Fps({12, 6, 5, 4, 3, 2, 1}));
    FillFpsList(index_, "KM20", "ntsc", "D1", "8", list);
    EXPECT_EQ(list, Fps({12, 6, 5, 4, 3, 2, 1}));
}

TEST_F(FpsListTest, NoRecordsOrNoBuildGivesEmptyList) {
    Texts list = {"stale"};
    FillFpsList(index_, "KM20", "NTSC", "D1", "8", list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(Fill("KM20", "NTSC", "D1", "8"), Texts{});
}

TEST(RateIndexConsistency, AgreesWithPlainScanOnRandomRatesWhileLearning) {
    const std::vector<std::string> models = {"KM20", "km20", "QT20", "VR40", "Modell"};
    const std::vector<std::string> standards = {"NTSC", "ntsc", "PAL", "Pal", "NTSC-J"};
    const std::vector<std::string> resolutions = {"D1",     "d1",    "CIF",    "cif",
                                                  "D-Eins", "Klein", "HALF_D1"};
    const std::vector<std::string> channels = {"4", "8", "16", "08", "sixteen"};
    const std::vector<std::string> ceilings = {"30FPS", "25FPS", "15FPS", "12FPS",
                                               "20FPS", "30fps", "1FPS"};
    std::mt19937 random(7);
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    TranslationTable table;
    ASSERT_TRUE(
        table.LoadFromBytes("1 D1\n2 D-Eins\n1 CIF\n2 Klein\n1 NTSC\n2 NTSC-J\n"
                            "1 16\n2 sixteen\n1 KM20\n2 Modell\n1 HALF_D1\n2 d1\n"));
    PRate rates;
    for (int i = 0; i < 800; ++i)
        rates.push_back(
            Rate(pick(models), pick(standards), pick(channels), pick(resolutions), pick(ceilings)));
    RateIndex index;
    index.Build(rates, table);
    auto R = [&](std::string_view text) { return table.ReverseTranslate(text); };
    int found = 0;
    for (int round = 0; round < 30; ++round) {
        for (int q = 0; q < 100; ++q) {
            const std::string model = pick(models), standard = pick(standards),
                              resolution = pick(resolutions), count = pick(channels);
            Texts expected;
            for (const TRate& r : rates) {
                if (R(r.Model) == R(model) && R(r.Standard) == R(standard) &&
                    R(r.Channels) == R(count) && SameTextAscii(R(r.Resolution), R(resolution))) {
                    expected = FpsEntriesForCeiling(model, r.MaxFps);
                    ++found;
                    break;
                }
            }
            Texts list;
            FillFpsList(index, model, standard, resolution, count, list);
            ASSERT_EQ(list, expected)
                << round << ": " << model << "|" << standard << "|" << resolution << "|" << count;
        }
        const std::vector<std::string>* pools[] = {&models, &standards, &resolutions};
        table.Translate(std::string_view(pick(*pools[random() % 3])));
    }
    EXPECT_GT(found, 300);
}

}  // namespace
}  // namespace tessavo
