// Channel volumes per family, their cell texts and the read-back that the totals rely on.
#include "estimate/data_volume.h"

#include <gtest/gtest.h>

#include "pinned_separators.h"

namespace tessavo {
namespace {

TEST(FamilyOf, ComparesModelCodesExactly) {
    struct Case {
        const char* model;
        ModelFamily family;
    } cases[] = {
        {"ZN50", ModelFamily::Complexity},    {"VR30", ModelFamily::FixedTable},
        {"VR50", ModelFamily::FixedTable},    {"VR7310", ModelFamily::FixedTable},
        {"VR7320", ModelFamily::FixedTable},  {"VR7330", ModelFamily::FixedTable},
        {"VR7320S", ModelFamily::FixedTable}, {"VR60", ModelFamily::FixedTable},
        {"VR70", ModelFamily::FixedTable},    {"KM20", ModelFamily::FrameSize},
        {"ZB30", ModelFamily::FrameSize},     {"QT61R", ModelFamily::FrameSize},
        {"zn50", ModelFamily::FrameSize},     {"vr50", ModelFamily::FrameSize},
        {"VR50 ", ModelFamily::FrameSize},    {"VR7320s", ModelFamily::FrameSize},
        {"", ModelFamily::FrameSize},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FamilyOf(c.model), c.family) << '"' << c.model << '"';
    }
}

TEST(AudioShare, OnlyExactOnCounts) {
    EXPECT_EQ(AudioShare("ON"), 8);
    for (const char* text : {"OFF", "on", "On", " ON", "ON ", ""}) {
        EXPECT_EQ(AudioShare(text), 0) << '"' << text << '"';
    }
}

TEST(ChannelVolumes, CellTextsByFamily) {
    PinnedSeparators english;
    struct Case {
        ModelFamily family;
        const char* rate;
        const char* audio;
        double hourly;
        const char* perHour;
        const char* perDay;
    } cases[] = {
        // Audio alone: 8 * 3600 / 1024 = 28.125 MB/h; the day comes from the unrounded hour.
        {ModelFamily::FrameSize, "0", "ON", 28.125, "28 MB", "675 MB"},
        {ModelFamily::FrameSize, "0", "OFF", 0, "0 MB", "0 MB"},
        // One rate number, three units.
        {ModelFamily::FrameSize, "1024", "OFF", 3600, "3,600 MB", "86,400 MB"},
        {ModelFamily::FixedTable, "1024", "OFF", 450, "450 MB", "10,800 MB"},
        {ModelFamily::Complexity, "1024", "OFF", 3.515625, "4 MB", "84 MB"},
        // Audio is in kilobytes per second in every family.
        {ModelFamily::FixedTable, "1024", "ON", 478.125, "478 MB", "11,475 MB"},
        {ModelFamily::Complexity, "0", "ON", 28.125, "28 MB", "675 MB"},
        // A fractional rate and a large one; halves round away from zero.
        {ModelFamily::FrameSize, "12.8", "OFF", 45, "45 MB", "1,080 MB"},
        {ModelFamily::FrameSize, "400", "ON", 1434.375, "1,434 MB", "34,425 MB"},
        {ModelFamily::FixedTable, "4096", "OFF", 1800, "1,800 MB", "43,200 MB"},
        // Bytes per second for the complexity model: 512 KB/s.
        {ModelFamily::Complexity, "524288", "OFF", 1800, "1,800 MB", "43,200 MB"},
        // Not a number counts as 0.
        {ModelFamily::FrameSize, "", "ON", 28.125, "28 MB", "675 MB"},
        {ModelFamily::FrameSize, "abc", "OFF", 0, "0 MB", "0 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.rate) + " / " + c.audio);
        EXPECT_DOUBLE_EQ(HourlyMegabytes(c.family, c.rate, c.audio), c.hourly);
        const ChannelVolumeTexts texts = ChannelVolumes(c.family, c.rate, c.audio);
        EXPECT_EQ(texts.perHour, c.perHour);
        EXPECT_EQ(texts.perDay, c.perDay);
    }
}

TEST(ChannelVolumes, DayIsNotTwentyFourRoundedHours) {
    PinnedSeparators english;
    const double hourly = HourlyMegabytes(ModelFamily::FrameSize, 0.0, AudioShare("ON"));
    EXPECT_DOUBLE_EQ(DailyMegabytes(hourly), 675);
    EXPECT_EQ(VolumeCellText(DailyMegabytes(hourly)), "675 MB");
}

TEST(ChannelVolumes, RateUsesTheLocaleDecimalSeparator) {
    PinnedSeparators german({',', '.'});
    EXPECT_DOUBLE_EQ(HourlyMegabytes(ModelFamily::FrameSize, "12,8", "OFF"), 45);
    EXPECT_EQ(ChannelVolumes(ModelFamily::FrameSize, "400", "ON").perHour, "1.434 MB");
}

TEST(VolumeTexts, HalvesRoundAwayFromZero) {
    PinnedSeparators english;
    EXPECT_EQ(VolumeCellText(2.5), "3 MB");
    EXPECT_EQ(VolumeCellText(1405.5), "1,406 MB");
    EXPECT_EQ(VolumeCellText(1405.49), "1,405 MB");
    EXPECT_EQ(VolumeCellText(1234567), "1,234,567 MB");
}

TEST(TotalTexts, VolumeIsFollowedByThreeBlanksAndMb) {
    PinnedSeparators english;
    EXPECT_EQ(TotalVolumeText(5625), "5,625   MB");
    EXPECT_EQ(TotalVolumeText(0), "0   MB");
    EXPECT_EQ(TotalVolumeText(135000), "135,000   MB");
    EXPECT_EQ(TotalFpsText(120), "120FPS");
    EXPECT_EQ(TotalFpsText(0), "0FPS");
}

TEST(ReadVolumeCell, ReadsWhatTheCellsShow) {
    PinnedSeparators english;
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"1,406 MB", 1406},
        {"28 MB", 28},
        {"5,625   MB", 5625},  // a Total-row text
        {"1,234,567 MB", 1234567},
        {"  675 MB  ", 675},
        {"0 MB", 0},
        {"12.5 MB", 12.5},
        {"", 0},
        {"MB", 0},
        {"n/a", 0},
        {"1,406 GB", 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ReadVolumeCell(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ReadVolumeCell, RoundTripsUnderGermanSeparators) {
    PinnedSeparators german({',', '.'});
    const std::string cell = VolumeCellText(1406);
    EXPECT_EQ(cell, "1.406 MB");
    EXPECT_DOUBLE_EQ(ReadVolumeCell(cell), 1406);
    EXPECT_DOUBLE_EQ(ReadVolumeCell(TotalVolumeText(1234567)), 1234567);
    EXPECT_DOUBLE_EQ(ReadVolumeCell("12,5 MB"), 12.5);
}

TEST(ReadFpsCell, StripsFpsAndBlanks) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"15FPS", 15}, {"30", 30},  {" 25FPS ", 25}, {"12 FPS", 12}, {"FPS", 0},
        {"", 0},       {"7fps", 0}, {"abc", 0},      {"1.5FPS", 0},  {"120FPS", 120},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadFpsCell(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace tessavo
