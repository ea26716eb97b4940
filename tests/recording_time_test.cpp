// Disk sizes, the recording-time texts and the key filter of the typed size.
#include "estimate/recording_time.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "pinned_separators.h"

namespace tessavo {
namespace {

TEST(HddSizeMegabytes, EveryPreset) {
    PinnedSeparators english;
    struct Case {
        const char* text;
        double megabytes;
    } cases[] = {
        {"160 GB", 156250}, {"320 GB", 312500},     {"500 GB", 488281.25}, {"750 GB", 732421.875},
        {"1 TB", 976562.5}, {"1.5 TB", 1464843.75}, {"2 TB", 1953125},     {"3 TB", 2929687.5},
        {"4 TB", 3906250},  {"6 TB", 5859375},      {"8 TB", 7812500},     {"10 TB", 9765625},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(HddSizeMegabytes(c.text), c.megabytes) << c.text;
    }
}

TEST(HddSizeMegabytes, TypedAndOddTexts) {
    PinnedSeparators english;
    struct Case {
        const char* text;
        double megabytes;
    } cases[] = {
        {"2000 GB", 1953125}, {"1.5 GB", 1464.84375},
        {" GB", 0},                            // empty field
        {"abc GB", 0},        {"1..5 GB", 0},  // the key filter lets several points through
        {"320", 0},                            // no unit
        {"320 gb", 0},                         // units are case-sensitive
        {"1 tb", 0},          {"2 TBGB", 0},   // TB wins; the rest is not a number
        {"1 GBTB", 0},        {"  4TB  ", 3906250},
        {"TB1TB", 976562.5},  // every occurrence is removed
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(HddSizeMegabytes(c.text), c.megabytes) << '"' << c.text << '"';
    }
}

TEST(HddSizeMegabytes, TypedNumberUsesTheLocaleDecimalSeparator) {
    PinnedSeparators german({',', '.'});
    EXPECT_DOUBLE_EQ(HddSizeMegabytes("1,5 TB"), 1464843.75);
    EXPECT_DOUBLE_EQ(HddSizeMegabytes(TypedHddSizeText("1,5")), 1464.84375);
    // The presets and the key filter write a point whatever the locale: still 1.5.
    EXPECT_DOUBLE_EQ(HddSizeMegabytes("1.5 TB"), 1464843.75);
    EXPECT_DOUBLE_EQ(HddSizeMegabytes(TypedHddSizeText("1.5")), 1464.84375);
    EXPECT_DOUBLE_EQ(HddSizeMegabytes("1.5.5 TB"), 0);
}

TEST(TypedHddSizeText, AppendsGigabytes) {
    EXPECT_EQ(TypedHddSizeText("2000"), "2000 GB");
    EXPECT_EQ(TypedHddSizeText(""), " GB");
}

TEST(EstimateRecordingTime, Texts) {
    PinnedSeparators english;
    struct Case {
        double size;
        double perHour;
        const char* hddSize;
        const char* days;
        const char* hours;
    } cases[] = {
        {312500, 5625, "312,500   MB", "2.3  Day", "55.6 Hour"},
        // Whole figures are written without a point.
        {48000, 1000, "48,000   MB", "2  Day", "48 Hour"},
        // The half megabyte of 1 TB is cut from the size, not from the hours.
        {976562.5, 1, "976,562   MB", "40,690.1  Day", "976,562.5 Hour"},
        {1953125, 2812.5, "1,953,125   MB", "28.9  Day", "694.4 Hour"},
        // 0.05 hours rounds up to one decimal, away from zero.
        {5, 100, "5   MB", "0  Day", "0.1 Hour"},
        {0, 28, "0   MB", "0  Day", "0 Hour"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " / " + std::to_string(c.perHour));
        const RecordingTimeTexts texts = EstimateRecordingTime(c.size, c.perHour);
        EXPECT_EQ(texts.hddSize, c.hddSize);
        EXPECT_EQ(texts.days, c.days);
        EXPECT_EQ(texts.hours, c.hours);
    }
}

TEST(EstimateRecordingTime, NoDataPerHourGivesDashes) {
    PinnedSeparators english;
    const double inf = std::numeric_limits<double>::infinity();
    const double cases[][2] = {{312500, 0}, {312500, -5},  {0, 0},
                               {inf, 5625}, {312500, inf}, {1e308, 1e-10}};
    for (const auto& c : cases) {
        const RecordingTimeTexts texts = EstimateRecordingTime(c[0], c[1]);
        EXPECT_EQ(texts.hddSize, "-") << c[0] << " / " << c[1];
        EXPECT_EQ(texts.days, "-");
        EXPECT_EQ(texts.hours, "-");
    }
}

TEST(EstimateRecordingTime, FromCellTexts) {
    PinnedSeparators english;
    RecordingTimeTexts texts = EstimateRecordingTime("320 GB", "5,625   MB");
    EXPECT_EQ(texts.hddSize, "312,500   MB");
    EXPECT_EQ(texts.days, "2.3  Day");
    EXPECT_EQ(texts.hours, "55.6 Hour");

    texts = EstimateRecordingTime(TypedHddSizeText("2000"), "1,953,125   MB");
    EXPECT_EQ(texts.hddSize, "1,953,125   MB");
    EXPECT_EQ(texts.hours, "1 Hour");

    // An empty typed size: a zero estimate, not dashes.
    texts = EstimateRecordingTime(TypedHddSizeText(""), "5,625   MB");
    EXPECT_EQ(texts.hddSize, "0   MB");
    EXPECT_EQ(texts.days, "0  Day");
    EXPECT_EQ(texts.hours, "0 Hour");

    texts = EstimateRecordingTime("320 GB", "0   MB");
    EXPECT_EQ(texts.hours, "-");
}

TEST(EstimateRecordingTime, GermanSeparators) {
    PinnedSeparators german({',', '.'});
    const RecordingTimeTexts texts = EstimateRecordingTime("320 GB", "5.625   MB");
    EXPECT_EQ(texts.hddSize, "312.500   MB");
    EXPECT_EQ(texts.days, "2,3  Day");
    EXPECT_EQ(texts.hours, "55,6 Hour");
}

TEST(IsHddSizeKeyAccepted, DigitsPointAndBackspaceOnly) {
    for (char32_t c = U'0'; c <= U'9'; ++c) {
        EXPECT_TRUE(IsHddSizeKeyAccepted(c)) << static_cast<int>(c);
    }
    EXPECT_TRUE(IsHddSizeKeyAccepted(U'.'));
    EXPECT_TRUE(IsHddSizeKeyAccepted(U'\b'));
    for (char32_t c : {U'a', U'G', U',', U'-', U'+', U' ', U'/', U':', U'\r', U'\t', U'\x1b',
                       U'\x7f', U'\0', U'\x16', char32_t{0x0660}, char32_t{0xFF11}}) {
        EXPECT_FALSE(IsHddSizeKeyAccepted(c)) << static_cast<int>(c);
    }
}

}  // namespace
}  // namespace tessavo
