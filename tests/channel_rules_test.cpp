// Captions, IP channels, validators and the per-model frame-rate and quality rules.
#include "channels/channel_rules.h"

#include <gtest/gtest.h>

namespace tessavo {
namespace {

const std::vector<std::string> kNtscList = {"30FPS", "15FPS", "10FPS", "8FPS", "5FPS",
                                            "4FPS",  "3FPS",  "2FPS",  "1FPS"};
const std::vector<std::string> kPalList = {"25FPS", "12FPS", "10FPS", "8FPS", "5FPS",
                                           "4FPS",  "3FPS",  "2FPS",  "1FPS"};

// Display texts that differ from the source texts, so that a rule comparing with "ULTRA"
// instead of its translation shows.
const QualityDisplayTexts kShown = {"Ultra*", "Super*", "High*"};
constexpr const char* U = "Ultra*";
constexpr const char* S = "Super*";
constexpr const char* H = "High*";
constexpr const char* kUnchanged = "7FPS";  // in no list: a rule that writes it shows

TEST(CameraTypeOfCaption, KnownTypesOnlyCaseSensitive) {
    const char* cases[][2] = {
        {"Ch 03 / JE2", "JE2"},
        {"Ch 02 / ANALOG", "ANALOG"},
        {"Ch 05 / JE9", ""},
        {"ANALOG JE2", "JE2"},
        {"JE2 ANALOG", "JE2"},
        {"Ch 01 / je2", ""},
        {"Ch 01 / analog", ""},
        {"Ch 01", ""},
        {"", ""},
        {"XJE2X", "JE2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CameraTypeOfCaption(c[0]), c[1]) << '"' << c[0] << '"';
    }
}

TEST(ChannelCaption, TwoDigitsAndOptionalCamera) {
    EXPECT_EQ(ChannelCaption(1), "Ch 01");
    EXPECT_EQ(ChannelCaption(9), "Ch 09");
    EXPECT_EQ(ChannelCaption(16), "Ch 16");
    EXPECT_EQ(ChannelCaption(3, "JE2"), "Ch 03 / JE2");
    EXPECT_EQ(ChannelCaption(12, "ANALOG"), "Ch 12 / ANALOG");
    EXPECT_EQ(ChannelCaption(1, ""), "Ch 01 / ");
    EXPECT_EQ(CameraTypeOfCaption(ChannelCaption(4, "JE2")), "JE2");
}

TEST(IsIpChannel, FromTheFirstIpChannelOn) {
    struct Case {
        int channel;
        int firstIp;
        bool ip;
    } cases[] = {
        {1, 0, false}, {16, 0, false}, {1, 3, false}, {2, 3, false},   {3, 3, true},
        {4, 3, true},  {1, 1, true},   {16, 1, true}, {16, 17, false}, {5, -1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsIpChannel(c.channel, c.firstIp), c.ip) << c.channel << " / " << c.firstIp;
    }
}

TEST(RuleNumbers, ChannelCountAndFrameRate) {
    EXPECT_EQ(RuleChannelCount("8"), 8);
    EXPECT_EQ(RuleChannelCount("16"), 16);
    EXPECT_EQ(RuleChannelCount("12"), 12);
    EXPECT_EQ(RuleChannelCount(""), 4);
    EXPECT_EQ(RuleChannelCount("abc"), 4);

    const std::pair<const char*, int> fps[] = {
        {"15FPS", 15}, {"15", 15}, {" 15FPS", 15}, {"15FPS ", 0}, {"FPS", 0},
        {"15fps", 0},  {"", 0},    {"abc", 0},     {"1FPS5", 15}, {"30FPS", 30},
    };
    for (const auto& [text, n] : fps) {
        EXPECT_EQ(FrameRateNumber(text), n) << '"' << text << '"';
    }
}

TEST(Validators, KeepListedTextsElseFirstEntry) {
    const std::vector<std::string> resolutions = {"1080P", "720P"};
    EXPECT_EQ(ValidIpResolution("720P", resolutions), "720P");
    EXPECT_EQ(ValidIpResolution("1080P", resolutions), "1080P");
    EXPECT_EQ(ValidIpResolution("720p", resolutions), "1080P");
    EXPECT_EQ(ValidIpResolution("D1", resolutions), "1080P");
    EXPECT_EQ(ValidIpResolution("", resolutions), "1080P");

    const std::vector<std::string> qualities = {"Super*", "High*"};
    EXPECT_EQ(ValidIpQuality("High*", qualities), "High*");
    EXPECT_EQ(ValidIpQuality("Ultra*", qualities), "Super*");

    EXPECT_EQ(ValidFps("15FPS", kNtscList), "15FPS");
    EXPECT_EQ(ValidFps("12FPS", kNtscList), "30FPS");
    EXPECT_EQ(ValidFps("15", kNtscList), "30FPS");

    // An empty list has no first entry: the text stays.
    const std::vector<std::string> none;
    EXPECT_EQ(ValidIpResolution("720P", none), "720P");
    EXPECT_EQ(ValidIpQuality("High*", none), "High*");
    EXPECT_EQ(ValidFps("15FPS", none), "15FPS");
}

struct FpsCase {
    const char* model;
    int channels;
    const char* resolution;
    const char* quality;
    const char* expected;
};

std::string Describe(const FpsCase& c) {
    return std::string(c.model) + " " + std::to_string(c.channels) + " " + c.resolution + " " +
           c.quality;
}

TEST(AdjustFpsForQuality, EveryRow) {
    const FpsCase cases[] = {
        {"QT20", 8, "1080P", U, "15FPS"},
        {"QT20", 8, "1080P", S, "30FPS"},
        {"QT20", 8, "720P", H, "30FPS"},
        {"QT10", 8, "960H", U, "15FPS"},
        {"QT10S", 8, "4M", "MID", "30FPS"},
        {"QT20", 16, "720P", U, "8FPS"},
        {"QT20", 16, "720P", S, "15FPS"},
        {"QT10", 16, "1080P", "LOW", "15FPS"},
        {"QT10S", 16, "1080P", U, "8FPS"},
        // The source text is not the display text: it counts as another quality.
        {"QT20", 8, "1080P", "ULTRA", "30FPS"},
        {"QT20", 16, "1080P", "ULTRA", "15FPS"},
        // Resolutions compare exactly: "d1" is not D1.
        {"QT20", 8, "d1", U, "15FPS"},
        // Unchanged: 12 channels, 4 or fewer, counts without a row, D1/CIF, other models.
        {"QT20", 12, "1080P", U, kUnchanged},
        {"QT10", 12, "720P", S, kUnchanged},
        {"QT20", 4, "1080P", U, kUnchanged},
        {"QT20", 4, "1080P", S, kUnchanged},
        {"QT20", 5, "1080P", U, kUnchanged},
        {"QT20", 8, "D1", U, kUnchanged},
        {"QT10", 16, "CIF", S, kUnchanged},
        {"QT10S", 16, "D1", U, kUnchanged},
        {"QT61R", 8, "1080P", U, kUnchanged},
        {"KM20", 16, "720P", U, kUnchanged},
        {"qt20", 8, "1080P", U, kUnchanged},
    };
    for (const FpsCase& c : cases) {
        std::string fps = kUnchanged;
        AdjustFpsForQuality(c.model, c.channels, kNtscList, kShown, c.resolution, fps, c.quality);
        EXPECT_EQ(fps, c.expected) << Describe(c);
    }
}

TEST(AdjustFpsForQuality, PalList) {
    const FpsCase cases[] = {
        {"QT20", 8, "1080P", U, "12FPS"},
        {"QT20", 8, "1080P", H, "25FPS"},
        {"QT20", 16, "1080P", U, "8FPS"},
        {"QT20", 16, "1080P", H, "12FPS"},
    };
    for (const FpsCase& c : cases) {
        std::string fps = kUnchanged;
        AdjustFpsForQuality(c.model, c.channels, kPalList, kShown, c.resolution, fps, c.quality);
        EXPECT_EQ(fps, c.expected) << Describe(c);
    }
}

TEST(AdjustFpsForResolution, EveryRowAndQuality) {
    const FpsCase cases[] = {
        {"QT61R", 4, "4M", U, "15FPS"},
        {"QT61R", 4, "4M", S, "15FPS"},
        {"QT61R", 4, "4M", H, "15FPS"},
        {"QT61R", 8, "4M", U, "10FPS"},
        {"QT61R", 8, "4M", S, "15FPS"},
        {"QT61R", 8, "4M", H, "15FPS"},
        {"QT63R", 8, "3M", U, "15FPS"},
        {"QT63R", 8, "3M", S, "30FPS"},
        {"QT63R", 8, "3M", "MID", "30FPS"},
        {"QT67R", 8, "SXGA", U, "15FPS"},
        {"QT67R", 8, "SXGA", S, "30FPS"},
        {"QT67R", 8, "SXGA", "LOW", "30FPS"},
        {"QT61R", 8, "1080P", U, "15FPS"},
        {"QT61R", 8, "1080P", S, "30FPS"},
        {"QT61R", 8, "1080P", H, "30FPS"},
        {"QT61R", 16, "4M", U, "5FPS"},
        {"QT61R", 16, "4M", S, "10FPS"},
        {"QT61R", 16, "4M", H, "15FPS"},
        {"QT63R", 16, "3M", U, "8FPS"},
        {"QT63R", 16, "3M", S, "15FPS"},
        {"QT63R", 16, "3M", H, "30FPS"},
        {"QT67R", 16, "SXGA", U, "10FPS"},
        {"QT67R", 16, "SXGA", S, "15FPS"},
        {"QT67R", 16, "SXGA", H, "30FPS"},
        {"QT61R", 16, "1080P", U, "10FPS"},
        {"QT61R", 16, "1080P", S, "15FPS"},
        {"QT61R", 16, "1080P", "MID", "30FPS"},
        {"QT61R", 16, "720P", U, "15FPS"},
        {"QT61R", 16, "720P", S, "30FPS"},
        {"QT61R", 16, "720P", H, "30FPS"},
        // Source texts are other qualities.
        {"QT61R", 16, "4M", "ULTRA", "15FPS"},
        {"QT61R", 16, "4M", "SUPER", "15FPS"},
        // Unchanged combinations.
        {"QT61R", 12, "4M", U, kUnchanged},
        {"QT61R", 12, "1080P", S, kUnchanged},
        {"QT61R", 16, "D1", U, kUnchanged},
        {"QT61R", 16, "CIF", U, kUnchanged},
        {"QT61R", 8, "D1", S, kUnchanged},
        {"QT61R", 4, "3M", U, kUnchanged},
        {"QT61R", 4, "1080P", U, kUnchanged},
        {"QT61R", 4, "720P", U, kUnchanged},
        {"QT61R", 4, "SXGA", S, kUnchanged},
        {"QT61R", 8, "720P", U, kUnchanged},
        {"QT61R", 8, "720P", S, kUnchanged},
        {"QT61R", 16, "960H", U, kUnchanged},
        {"QT61R", 16, "4m", U, kUnchanged},
        {"QT20", 16, "4M", U, kUnchanged},
        {"KM20", 8, "4M", U, kUnchanged},
        {"qt61r", 16, "4M", U, kUnchanged},
    };
    for (const FpsCase& c : cases) {
        std::string fps = kUnchanged;
        AdjustFpsForResolution(c.model, c.channels, kNtscList, kShown, c.resolution, fps,
                               c.quality);
        EXPECT_EQ(fps, c.expected) << Describe(c);
    }
}

struct QualityCase {
    const char* model;
    int channels;
    const char* resolution;
    const char* fps;
    const char* quality;
    const char* expected;
};

TEST(LimitQualityForFps, EveryRow) {
    const QualityCase cases[] = {
        {"QT20", 8, "1080P", "30FPS", U, S},
        {"QT20", 8, "1080P", "16FPS", U, S},
        {"QT20", 8, "1080P", "15FPS", U, U},
        {"QT20", 8, "1080P", "30FPS", S, S},
        {"QT20", 8, "1080P", "30FPS", H, H},
        {"QT10", 8, "720P", "25FPS", U, S},
        {"QT20", 16, "720P", "30FPS", U, H},
        {"QT20", 16, "720P", "30FPS", S, H},
        {"QT20", 16, "720P", "16FPS", S, H},
        {"QT20", 16, "720P", "15FPS", S, S},
        {"QT20", 16, "720P", "15FPS", U, H},
        {"QT20", 16, "720P", "10FPS", U, H},
        {"QT20", 16, "720P", "8FPS", U, H},
        {"QT20", 16, "720P", "7FPS", U, U},
        {"QT10S", 16, "1080P", "12FPS", U, H},
        {"QT10S", 16, "1080P", "30FPS", "MID", "MID"},
        {"QT20", 8, "1080P", "30", U, S},
        // The source text is not ULTRA.
        {"QT20", 8, "1080P", "30FPS", "ULTRA", "ULTRA"},
        // No number, or a trailing blank: n is 0 and nothing fires.
        {"QT20", 8, "1080P", "abc", U, U},
        {"QT20", 16, "1080P", "30FPS ", U, U},
        // Unchanged: 12 channels, 4 channels, D1/CIF, other models.
        {"QT20", 12, "720P", "10FPS", U, U},
        {"QT20", 12, "720P", "30FPS", U, U},
        {"QT20", 4, "1080P", "30FPS", U, U},
        {"QT20", 8, "D1", "30FPS", U, U},
        {"QT10", 16, "CIF", "30FPS", U, U},
        {"QT61R", 8, "1080P", "30FPS", U, U},
        {"KM20", 16, "1080P", "30FPS", S, S},
    };
    for (const QualityCase& c : cases) {
        std::string quality = c.quality;
        LimitQualityForFps(c.model, c.channels, kShown, c.resolution, c.fps, quality);
        EXPECT_EQ(quality, c.expected) << c.model << " " << c.channels << " " << c.resolution << " "
                                       << c.fps << " " << c.quality;
    }
}

struct CeilingCase {
    const char* model;
    int channels;
    const char* resolution;
    const char* quality;
    const char* fps;
    const char* expected;
};

TEST(LimitFpsForQuality, EveryCeiling) {
    const CeilingCase cases[] = {
        {"QT61R", 8, "4M", U, "30FPS", "10FPS"},
        {"QT61R", 8, "4M", S, "30FPS", "15FPS"},
        {"QT61R", 8, "4M", H, "30FPS", "15FPS"},
        {"QT61R", 8, "4M", U, "8FPS", "8FPS"},
        {"QT61R", 8, "4M", U, "10FPS", "10FPS"},
        {"QT63R", 8, "3M", U, "30FPS", "15FPS"},
        {"QT63R", 8, "3M", S, "30FPS", "30FPS"},
        {"QT63R", 8, "3M", H, "30FPS", "30FPS"},
        {"QT67R", 8, "SXGA", U, "30FPS", "15FPS"},
        {"QT67R", 8, "SXGA", S, "30FPS", "30FPS"},
        {"QT61R", 8, "1080P", U, "25FPS", "15FPS"},
        {"QT61R", 8, "1080P", "LOW", "25FPS", "25FPS"},
        {"QT61R", 16, "4M", U, "30FPS", "5FPS"},
        {"QT61R", 16, "4M", S, "30FPS", "10FPS"},
        {"QT61R", 16, "4M", H, "30FPS", "15FPS"},
        {"QT61R", 16, "4M", H, "12FPS", "12FPS"},
        {"QT63R", 16, "3M", U, "30FPS", "8FPS"},
        {"QT63R", 16, "3M", S, "30FPS", "15FPS"},
        {"QT63R", 16, "3M", H, "30FPS", "30FPS"},
        {"QT67R", 16, "SXGA", U, "30FPS", "10FPS"},
        {"QT67R", 16, "SXGA", S, "30FPS", "15FPS"},
        {"QT67R", 16, "SXGA", H, "30FPS", "30FPS"},
        {"QT61R", 16, "1080P", U, "30FPS", "10FPS"},
        {"QT61R", 16, "1080P", S, "25FPS", "15FPS"},
        {"QT61R", 16, "1080P", "MID", "25FPS", "25FPS"},
        {"QT61R", 16, "720P", U, "30FPS", "15FPS"},
        {"QT61R", 16, "720P", S, "30FPS", "30FPS"},
        {"QT61R", 16, "720P", H, "30FPS", "30FPS"},
        // The source texts are other qualities.
        {"QT61R", 16, "4M", "ULTRA", "30FPS", "15FPS"},
        // No ceiling, but the text is still rewritten.
        {"QT61R", 12, "4M", U, "30FPS", "30FPS"},
        {"QT61R", 8, "720P", U, "30", "30FPS"},
        {"QT61R", 16, "960H", U, "30FPS", "30FPS"},
        {"QT61R", 8, "4M", U, "abc", "0FPS"},
        {"QT61R", 12, "1080P", S, "", "0FPS"},
        {"QT61R", 16, "4M", U, "30FPS ", "0FPS"},
        {"QT61R", 8, "4M", S, "12", "12FPS"},
        // Up to 4 channels, or D1/CIF: only 4 channels at 4M with exactly 30.
        {"QT61R", 4, "4M", U, "30FPS", "15FPS"},
        {"QT61R", 4, "4M", H, "30FPS", "15FPS"},
        {"QT61R", 4, "4M", U, "30", "15FPS"},
        {"QT61R", 4, "4M", U, "25FPS", "25FPS"},
        {"QT61R", 4, "4M", U, "abc", "abc"},
        {"QT61R", 4, "1080P", U, "30FPS", "30FPS"},
        {"QT61R", 4, "1080P", U, "30", "30"},
        {"QT61R", 2, "4M", U, "30FPS", "30FPS"},
        {"QT61R", 8, "D1", U, "30FPS", "30FPS"},
        {"QT61R", 16, "CIF", U, "abc", "abc"},
        {"QT61R", 16, "D1", U, "30", "30"},
        // Other models: nothing.
        {"QT20", 16, "4M", U, "30FPS", "30FPS"},
        {"KM20", 8, "4M", U, "abc", "abc"},
        {"qt61r", 16, "4M", U, "30FPS", "30FPS"},
    };
    for (const CeilingCase& c : cases) {
        std::string fps = c.fps;
        LimitFpsForQuality(c.model, c.channels, kShown, c.resolution, fps, c.quality);
        EXPECT_EQ(fps, c.expected) << c.model << " " << c.channels << " " << c.resolution << " "
                                   << c.quality << " \"" << c.fps << '"';
    }
}

TEST(FrameRateRules, ListsTooShortLeaveTheFrameRate) {
    const std::vector<std::string> three = {"30FPS", "15FPS", "10FPS"};
    const std::vector<std::string> one = {"1FPS"};
    const std::vector<std::string> none;
    struct Case {
        bool byResolution;
        const char* model;
        int channels;
        const char* resolution;
        const char* quality;
        const std::vector<std::string>* list;
        const char* expected;
    } cases[] = {
        {false, "QT20", 16, "1080P", U, &three, kUnchanged},  // fourth entry
        {false, "QT20", 16, "1080P", S, &three, "15FPS"},     // second entry
        {false, "QT20", 8, "1080P", U, &one, kUnchanged},     // second entry
        {false, "QT20", 8, "1080P", S, &one, "1FPS"},         // first entry
        {false, "QT20", 8, "1080P", S, &none, kUnchanged},
        {true, "QT61R", 16, "4M", U, &three, kUnchanged},  // fifth entry
        {true, "QT61R", 16, "4M", S, &three, "10FPS"},     // third entry
        {true, "QT61R", 16, "3M", U, &three, kUnchanged},  // fourth entry
        {true, "QT61R", 8, "4M", U, &three, "10FPS"},      // third entry
        {true, "QT61R", 4, "4M", U, &one, kUnchanged},     // second entry
        {true, "QT61R", 16, "720P", H, &one, "1FPS"},      // first entry
        {true, "QT61R", 16, "720P", H, &none, kUnchanged},
    };
    for (const Case& c : cases) {
        std::string fps = kUnchanged;
        if (c.byResolution)
            AdjustFpsForResolution(c.model, c.channels, *c.list, kShown, c.resolution, fps,
                                   c.quality);
        else
            AdjustFpsForQuality(c.model, c.channels, *c.list, kShown, c.resolution, fps, c.quality);
        EXPECT_EQ(fps, c.expected) << c.model << " " << c.channels << " " << c.resolution << " "
                                   << c.quality << " list of " << c.list->size();
    }
}

// Sequences of one row's picks, each rule run in the order the window runs it.
TEST(FrameRateRules, PicksInARow) {
    // QT20, 8 channels, 1080P: ULTRA gives 15FPS; then 30FPS lowers the quality to SUPER.
    {
        std::string quality = U;
        std::string fps = kNtscList[1];
        AdjustFpsForQuality("QT20", 8, kNtscList, kShown, "1080P", fps, quality);
        AdjustFpsForResolution("QT20", 8, kNtscList, kShown, "1080P", fps, quality);
        EXPECT_EQ(fps, "15FPS");
        fps = "30FPS";
        LimitQualityForFps("QT20", 8, kShown, "1080P", fps, quality);
        LimitFpsForQuality("QT20", 8, kShown, "1080P", fps, quality);
        EXPECT_EQ(quality, S);
        EXPECT_EQ(fps, "30FPS");
    }
    // QT61R, 16 channels: a resolution pick of 4M takes the second entry; a following ULTRA
    // pick gives 5FPS, and 30FPS picked afterwards is capped to 5FPS.
    {
        std::string quality = H;
        std::string fps = kNtscList[1];
        AdjustFpsForQuality("QT61R", 16, kNtscList, kShown, "4M", fps, quality);
        EXPECT_EQ(fps, "15FPS");
        quality = U;
        fps = kNtscList[1];
        AdjustFpsForQuality("QT61R", 16, kNtscList, kShown, "4M", fps, quality);
        AdjustFpsForResolution("QT61R", 16, kNtscList, kShown, "4M", fps, quality);
        EXPECT_EQ(fps, "5FPS");
        fps = "30FPS";
        LimitQualityForFps("QT61R", 16, kShown, "4M", fps, quality);
        LimitFpsForQuality("QT61R", 16, kShown, "4M", fps, quality);
        EXPECT_EQ(fps, "5FPS");
        EXPECT_EQ(quality, U);
    }
    // QT61R, 4 channels, 4M: 30FPS gives 15FPS, while PAL's 25FPS stays.
    {
        std::string fps = "30FPS";
        LimitFpsForQuality("QT61R", 4, kShown, "4M", fps, U);
        EXPECT_EQ(fps, "15FPS");
        fps = kPalList[0];
        LimitFpsForQuality("QT61R", 4, kShown, "4M", fps, U);
        EXPECT_EQ(fps, "25FPS");
    }
}

}  // namespace
}  // namespace tessavo
