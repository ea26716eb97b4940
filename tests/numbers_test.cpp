// Number reading and writing: integer reader, number reader, general and grouped formats.
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace tessavo {
namespace {

TEST(ParseInt, AcceptsWhatTheIntegerReaderAccepts) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"4", true, 4},
        {"  16", true, 16},
        {"-12", true, -12},
        {"+7", true, 7},
        {"$10", true, 16},
        {"x1F", true, 31},
        {"X1f", true, 31},
        {"0x10", true, 16},
        {"0X10", true, 16},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"16 ", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"1.5", false, 0},
        {"720P", false, 0},
        {"30fps", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"-", false, 0},
        {"$100000000", false, 0},
        {"\t4", false, 0},
    };
    for (const Case& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(TryParseInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
        EXPECT_EQ(ParseIntDef(c.text, -987), c.ok ? c.value : -987) << c.text;
    }
}

TEST(ParseFloat, UsesTheGivenDecimalSeparatorOnly) {
    const NumberSeparators english{'.', ','};
    const NumberSeparators german{',', '.'};
    EXPECT_DOUBLE_EQ(ParseFloatDef("12.5", 0, english), 12.5);
    EXPECT_DOUBLE_EQ(ParseFloatDef(" 12.5 ", 0, english), 12.5);
    EXPECT_DOUBLE_EQ(ParseFloatDef("12,5", 0, german), 12.5);
    EXPECT_DOUBLE_EQ(ParseFloatDef("-1E-6", 0, english), -1e-6);
    EXPECT_DOUBLE_EQ(ParseFloatDef(".5", 0, english), 0.5);
    EXPECT_DOUBLE_EQ(ParseFloatDef("12,5", -1, english), -1);  // thousands separators are not read
    EXPECT_DOUBLE_EQ(ParseFloatDef("1,234.5", -1, english), -1);
    EXPECT_DOUBLE_EQ(ParseFloatDef("50%", -1, english), -1);
    EXPECT_DOUBLE_EQ(ParseFloatDef("", -1, english), -1);
    EXPECT_DOUBLE_EQ(ParseFloatDef("1e", -1, english), -1);
    EXPECT_DOUBLE_EQ(ParseFloatDef("1e999", -1, english), -1);
    EXPECT_DOUBLE_EQ(ParseFloatDef("nan", -1, english), -1);
}

TEST(FormatGeneral, ShortestFormWithFifteenDigits) {
    const NumberSeparators english{'.', ','};
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {12.5, "12.5"},
        {1066.667, "1066.667"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {30, "30"},
        {-2.5, "-2.5"},
        {0.00001, "0.00001"},
        {0.000012, "0.000012"},
        {0.000001, "1E-6"},
        {1.5e-7, "1.5E-7"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.5e20, "1.5E20"},
        {65536.0 * 1.31, "85852.16"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value, english), c.text) << c.text;
    }
    EXPECT_EQ(FormatGeneral(12.5, NumberSeparators{',', '.'}), "12,5");
}

TEST(FormatGrouped, RoundsHalvesAwayFromZeroAndGroupsThousands) {
    const NumberSeparators english{'.', ','};
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0, 0, "0"},
        {28.125, 0, "28"},
        {675, 0, "675"},
        {1406.25, 0, "1,406"},
        {2.5, 0, "3"},
        {3.5, 0, "4"},
        {-2.5, 0, "-3"},
        {999.5, 0, "1,000"},
        {5625, 0, "5,625"},
        {1234567.4, 0, "1,234,567"},
        {312500.0 / 5625.0, 1, "55.6"},
        {312500.0 / 5625.0 / 24.0, 1, "2.3"},
        {48, 1, "48"},
        {55.0, 1, "55"},
        {55.55, 1, "55.6"},
        {0.04, 1, "0"},
        {0.05, 1, "0.1"},
        {976562.0, 1, "976,562"},
        {99.96, 1, "100"},
        {0.3, 0, "0"},
        {-0.3, 0, "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGrouped(c.value, c.decimals, english), c.text) << c.value;
    }
    EXPECT_EQ(FormatGrouped(1234.5, 1, NumberSeparators{',', '.'}), "1.234,5");
}

TEST(TextHelpers, CaseFoldingTouchesAsciiOnly) {
    EXPECT_TRUE(SameTextAscii("Channel", "CHANNEL"));
    EXPECT_FALSE(SameTextAscii("Channel", "Channel "));
    EXPECT_FALSE(SameTextAscii("\xC3\xA9", "\xC3\x89"));  // é and É differ
    EXPECT_EQ(Trim("\t 15FPS \r\n"), "15FPS");
    EXPECT_EQ(ReplaceAll("15FPSFPS", "FPS", ""), "15");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(TwoDigits(3), "03");
    EXPECT_EQ(TwoDigits(16), "16");
    EXPECT_EQ(PadLeft("MB", 5), "   MB");
    EXPECT_EQ(PadLeft("Hour", 5), " Hour");
    EXPECT_EQ(PadLeft("Longer", 5), "Longer");
}

TEST(TextHelpers, Utf8RoundTrip) {
    const std::string text = "D1 Vollbild \xEC\x9D\xB4 \xF0\x9F\x98\x80";
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_EQ(Utf8ToUtf16("\xC3"), std::u16string(1, u'\uFFFD'));
}

}  // namespace
}  // namespace tessavo
