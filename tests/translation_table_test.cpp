// Translation table: locale.ini parsing, escapes, translate / reverse translate and learning.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "localisation/U_MultiLanguage.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {
namespace {

namespace fs = std::filesystem;

TranslationTable TableFrom(std::string_view bytes) {
    TranslationTable table;
    EXPECT_TRUE(table.LoadFromBytes(bytes)) << bytes;
    return table;
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder per test, removed afterwards.
class TempFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = fs::temp_directory_path() / ("tessavo_loc_" + std::to_string(seed()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        StopMultiLanguage();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path dir_;
};

// --- escapes ------------------------------------------------------------------------------

TEST(Unescape, Sequences) {
    struct Case {
        std::u16string in;
        std::u16string out;
    };
    const Case cases[] = {
        {u"plain", u"plain"},
        {u"a\\nb", u"a\nb"},
        {u"a\\Nb", u"a\nb"},
        {u"a\\rb", u"a\rb"},
        {u"\\R", u"\r"},
        {u"\\x41", u"A"},
        {u"\\X41BC", u"ABC"},  // exactly two digits are taken
        {u"\\x6a", u"j"},
        {u"\\xZ1", u"\x01"},  // a non-digit counts as 0
        {u"\\x4", u"\x04"},   // fewer digits at the end of the text
        {std::u16string(u"a\\x"), std::u16string(u"a\0", 2)},
        {u"\\xe9", u"\u00E9"},  // 80..FF give the Latin-1 character
        {u"\\xFF", u"\u00FF"},
        {u"\\x\u00E91", u"\x01"},  // a non-ASCII character is no digit either
        {u"ab\\", u"ab"},          // trailing backslash dropped
        {u"\\\\n", u"\n"},         // the second backslash opens its own escape
        {u"\\\\", u""},
        {u"\\q\\1", u"q1"},  // unknown escape: backslash dropped, character kept
        {u"\\\u00E9", u"\u00E9"},
    };
    for (const Case& c : cases) EXPECT_EQ(Unescape(c.in), c.out) << Utf16ToUtf8(c.in);
}

TEST(Unescape, HexDigitsAndValues) {
    const std::pair<char, int> digits[] = {{'0', 0},  {'9', 9}, {'A', 10}, {'f', 15},
                                           {'F', 15}, {'g', 0}, {' ', 0},  {'\xE9', 0}};
    for (const auto& [c, value] : digits) EXPECT_EQ(HexDigitValue(c), value) << c;

    const std::pair<std::string, int32_t> numbers[] = {
        {"", 0},          {"0", 0},         {"ff", 255}, {"1g", 16}, {"7FFFFFFF", INT32_MAX},
        {"FFFFFFFF", -1}, {"100000001", 1},  // 32-bit wrap
    };
    for (const auto& [text, value] : numbers) EXPECT_EQ(HexToInteger(text), value) << text;
}

TEST(IsLatinText, Cases) {
    const std::pair<std::u16string, bool> cases[] = {
        {u"HIGH", true},
        {u"1.5 TB", true},
        {u"", false},
        {u"123", false},
        {u"\u00E9", false},  // Latin-1 letters do not count as letters
        {u"\u00E9t\u00E9", true},
        {u"\u00FFa", true},
        {u"\uD55C\uAD6D\uC5B4", false},  // Korean only
        {u"HDD \uD55C", false},          // a character above U+00FF spoils it
        {u"\uD55C HDD", false},
        {u"\u0100a", false},
    };
    for (const auto& [text, latin] : cases)
        EXPECT_EQ(IsLatinText(text), latin) << Utf16ToUtf8(text);
}

// --- loading ------------------------------------------------------------------------------

TEST(LoadTable, FixtureFile) {
    TranslationTable table;
    ASSERT_TRUE(table.LoadTable(TESSAVO_TEST_DATA "/locale_korean.ini"));
    ASSERT_EQ(table.Count(), 5u);
    EXPECT_EQ(table.SourceAt(0), u"Select Model");
    EXPECT_EQ(table.TranslationAt(0), u"\uBAA8\uB378 \uC120\uD0DD");
    EXPECT_EQ(table.Translate("CHANNEL"), "채널");
    EXPECT_EQ(table.ReverseTranslate("채널"), "Channel");
    EXPECT_EQ(table.Translate("Full Recording\nTime"), "전체 녹화\n시간");
    EXPECT_EQ(table.Translate("HDD Size"), "");  // an entry without translation shows empty
    EXPECT_EQ(table.ReverseTranslate(""), "HDD Size");
    EXPECT_EQ(table.ReverseTranslate(u"\uACC4\uC0B0"), "Calculate");
}

TEST(LoadTable, LineKindsAndTexts) {
    TranslationTable table = TableFrom(
        "1  Lead\n2 t-lead\n"           // the source keeps the second blank
        "1\n2 empty-source\n"           // a lone 1 makes the empty source
        "1 Twice\n2 first\n2 second\n"  // the later translation replaces the earlier
        "1xSep\n2-sep\n"                // the second character is dropped whatever it is
        "1 Tail \n2 tail \n"            // nothing trimmed at the end either
        "3 three\n9 nine\n a blank\n;1 semicolon\nA letter\n"  // remarks
        "\\x31 Escaped kind\n2 ek\n");                         // escapes come before the kind
    ASSERT_EQ(table.Count(), 6u);
    const std::pair<std::u16string, std::u16string> entries[] = {
        {u" Lead", u"t-lead"}, {u"", u"empty-source"}, {u"Twice", u"second"},
        {u"Sep", u"sep"},      {u"Tail ", u"tail "},   {u"Escaped kind", u"ek"},
    };
    for (std::size_t i = 0; i < table.Count(); ++i) {
        EXPECT_EQ(table.SourceAt(i), entries[i].first) << i;
        EXPECT_EQ(table.TranslationAt(i), entries[i].second) << i;
    }
    EXPECT_EQ(table.Translate(" Lead"), "t-lead");
    EXPECT_EQ(table.Translate(""), "empty-source");
    EXPECT_EQ(table.Translate("Tail"), "Tail");  // no match without the blank: learned
    EXPECT_EQ(table.Translate("Lead"), "Lead");
    EXPECT_EQ(table.Count(), 8u);
}

TEST(LoadTable, BlankAndRemarkOnlyFileLoadsEmpty) {
    TranslationTable table = TableFrom("; remark\n\n   \t\n0 zero\n\\x20\\n\r\n");
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_EQ(table.Translate("HIGH"), "HIGH");
    EXPECT_EQ(table.Count(), 0u);
}

TEST(LoadTable, TranslationBeforeFirstSourceFails) {
    const std::string files[] = {
        "; remark\n2 orphan\n1 A\n2 B\n",
        "\\x32 orphan\n1 A\n",  // the kind comes from the unescaped line
        "\xEF\xBB\xBF"
        "1 Channel\n2 Kanal\n",  // the BOM hides the first source line
    };
    for (const std::string& bytes : files) {
        TranslationTable table = TableFrom("1 Old\n2 old\n");
        EXPECT_FALSE(table.LoadFromBytes(bytes)) << bytes;
        EXPECT_EQ(table.Count(), 0u) << bytes;
        EXPECT_EQ(table.Translate("Old"), "Old");
    }
}

TEST(LoadTable, ByteOrderMarkLosesOnlyTheFirstLine) {
    TranslationTable table = TableFrom(
        "\xEF\xBB\xBF"
        "1 Lost\n1 Kept\n2 k\n");
    ASSERT_EQ(table.Count(), 1u);
    EXPECT_EQ(table.SourceAt(0), u"Kept");
}

TEST(LoadTable, LineEnds) {
    // CR LF and LF end lines; a lone CR is dropped and the line goes on; the last line needs
    // no end; an escaped CR stays in the text.
    TranslationTable table = TableFrom("1 Ch\rannel\r\n2 K\r\r\n1 A\\rB\n1 Last\r");
    ASSERT_EQ(table.Count(), 3u);
    EXPECT_EQ(table.SourceAt(0), u"Channel");
    EXPECT_EQ(table.TranslationAt(0), u"K");
    EXPECT_EQ(table.SourceAt(1), u"A\rB");
    EXPECT_EQ(table.SourceAt(2), u"Last");
}

TEST(LoadTable, EndOfFileByte) {
    TranslationTable table = TableFrom(
        "1 A\n2 a\n1 B\x1A"
        "2 b\n1 C\n2 c\n");
    ASSERT_EQ(table.Count(), 2u);
    EXPECT_EQ(table.SourceAt(1), u"B");
    EXPECT_EQ(table.TranslationAt(1), u"");
}

TEST(LoadTable, BrokenUtf8LineIsSkipped) {
    const std::string broken[] = {
        "\xC3",              // lead byte cut off at the line end
        "caf\xC3 x",         // lead byte without continuation
        "\xE2\x82",          // three-byte sequence cut short
        "\x80",              // stray continuation byte
        "\xC0\xAF",          // overlong form of '/'
        "\xED\xA0\x80",      // an encoded surrogate
        "\xF8\x88\x80\x80",  // no such lead byte
    };
    for (const std::string& bad : broken) {
        // Were the broken line read as a source line, the translation would attach to it.
        TranslationTable table = TableFrom("1 A\n1 " + bad + "\n2 t\n2 " + bad + "\n");
        ASSERT_EQ(table.Count(), 1u) << bad;
        EXPECT_EQ(table.TranslationAt(0), u"t") << bad;
        // Before any source line a broken translation line does not fail the load.
        EXPECT_TRUE(TranslationTable().LoadFromBytes("2 " + bad + "\n1 A\n")) << bad;
    }
    // Two-, three- and four-byte sequences are understood; the last as a surrogate pair.
    TranslationTable table = TableFrom("1 \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\n");
    ASSERT_EQ(table.Count(), 1u);
    EXPECT_EQ(table.SourceAt(0), u"\u00E9\u20AC\U0001F600");
}

TEST(LoadTable, MissingFileLeavesTableAlone) {
    TranslationTable table = TableFrom("1 A\n2 a\n");
    EXPECT_FALSE(table.LoadTable(TESSAVO_TEST_DATA "/no_such_locale.ini"));
    ASSERT_EQ(table.Count(), 1u);
    EXPECT_EQ(table.Translate("A"), "a");
}

TEST(LoadTable, ReloadReplacesEntriesAndLookups) {
    TranslationTable table = TableFrom("1 A\n2 x\n");
    ASSERT_TRUE(table.LoadFromBytes("1 B\n2 y\n"));
    ASSERT_EQ(table.Count(), 1u);
    EXPECT_EQ(table.Translate("B"), "y");
    EXPECT_EQ(table.ReverseTranslate("x"), "x");
    EXPECT_EQ(table.Translate("A"), "A");  // no stale match: learned instead
    EXPECT_EQ(table.Count(), 2u);
    table.ClearTable();
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_EQ(table.Translate("B"), "B");
}

// --- translate and reverse translate ------------------------------------------------------

TEST(Translate, EmptyTableLearnsNothing) {
    TranslationTable table;
    EXPECT_EQ(table.Translate("HIGH"), "HIGH");
    EXPECT_EQ(table.Translate(u"HIGH"), u"HIGH");
    EXPECT_EQ(table.ReverseTranslate("HIGH"), "HIGH");
    EXPECT_EQ(table.Count(), 0u);
}

TEST(Translate, CaseFoldsAsciiOnly) {
    TranslationTable table = TableFrom("1 Channel\n2 채널\n1 \xC3\xA9t\xC3\xA9\n2 summer\n");
    EXPECT_EQ(table.Translate("CHANNEL"), "채널");
    EXPECT_EQ(table.Translate("channel"), "채널");
    EXPECT_EQ(table.ReverseTranslate("채널"), "Channel");
    EXPECT_EQ(table.Translate("ÉTÉ"), "ÉTÉ");  // no match: É is not é; learned
    EXPECT_EQ(table.Translate("éTé"), "summer");
    EXPECT_EQ(table.ReverseTranslate("SUMMER"), "été");
    EXPECT_EQ(table.Translate("Channel "), "Channel ");  // lengths must agree
}

TEST(Translate, FirstEntryWinsBothWays) {
    TranslationTable table = TableFrom("1 Mode\n2 first\n1 MODE\n2 second\n1 Other\n2 FIRST\n");
    EXPECT_EQ(table.Translate("mode"), "first");
    EXPECT_EQ(table.Translate("MODE"), "first");
    EXPECT_EQ(table.ReverseTranslate("first"), "Mode");
    EXPECT_EQ(table.ReverseTranslate("First"), "Mode");
}

TEST(Translate, EntryWithoutTranslation) {
    TranslationTable table = TableFrom("1 Known\n2 k\n1 Bare\n1 Also bare\n1 Next\n2 n\n");
    EXPECT_EQ(table.Translate("Bare"), "");
    EXPECT_EQ(table.Translate("Also bare"), "");
    EXPECT_EQ(table.ReverseTranslate(""), "Bare");
    EXPECT_EQ(table.ReverseTranslate(u""), "Bare");
}

TEST(Translate, Learning) {
    TranslationTable table = TableFrom("1 Channel\n2 K\n");
    EXPECT_EQ(table.Translate("HIGH"), "HIGH");
    ASSERT_EQ(table.Count(), 2u);
    EXPECT_EQ(table.SourceAt(1), u"HIGH");
    EXPECT_EQ(table.TranslationAt(1), u"HIGH");
    EXPECT_EQ(table.Translate("high"), "HIGH");
    EXPECT_EQ(table.ReverseTranslate("high"), "HIGH");
    EXPECT_EQ(table.Count(), 2u);

    EXPECT_EQ(table.Translate(" padded "), " padded ");  // learned untrimmed
    EXPECT_EQ(table.SourceAt(2), u" padded ");
    EXPECT_EQ(table.Translate("padded"), "padded");  // ... so the trimmed form is new again
    EXPECT_EQ(table.Count(), 4u);

    // A learned entry never hides a file entry: "K" is learned, reverse still finds Channel.
    EXPECT_EQ(table.Translate("K"), "K");
    EXPECT_EQ(table.ReverseTranslate("K"), "Channel");

    const std::u16string notLearned[] = {
        u"", u"   ", u"\t\n", u"\u00E9", u"12:30", u"\uD55C\uAD6D\uC5B4", u"HDD \uD55C",
    };
    const std::size_t before = table.Count();
    for (const std::u16string& text : notLearned) {
        EXPECT_EQ(table.Translate(text), text) << Utf16ToUtf8(text);
        EXPECT_EQ(table.Count(), before) << Utf16ToUtf8(text);
    }
}

TEST(Translate, NumbersPassUnchanged) {
    // Entries for the numbers prove they are not looked up at all.
    TranslationTable table = TableFrom(
        "1 16\n2 sixteen\n1  16\n2 sixteen\n1 $10\n2 ten\n1 -987\n2 minus\n1 16 \n2 blank\n");
    const std::size_t before = table.Count();
    for (const char* number : {"16", " 16", "$10", "0x1F", "X1f", "-5", "+7"}) {
        EXPECT_EQ(table.Translate(number), number);
        EXPECT_EQ(table.Count(), before) << number;
    }
    EXPECT_EQ(table.Translate("-987"), "minus");  // the fallback value itself is a text
    EXPECT_EQ(table.Translate("16 "), "blank");   // nothing may follow the digits
    EXPECT_EQ(table.Count(), before);
    for (const char* text : {"1.5 TB", "720P", "0x"}) {
        EXPECT_EQ(table.Translate(text), text);
        EXPECT_EQ(table.SourceAt(table.Count() - 1), Utf8ToUtf16(text)) << text;
    }
    // Reverse translate knows no numbers.
    TranslationTable reverse = TableFrom("1 sixteen\n2 16\n");
    EXPECT_EQ(reverse.ReverseTranslate("16"), "sixteen");
    EXPECT_EQ(reverse.ReverseTranslate("unknown"), "unknown");
    EXPECT_EQ(reverse.Count(), 1u);
}

TEST(Translate, EscapedLineBreakMatchesTwoLineCaption) {
    TranslationTable table = TableFrom("1 Full Recording\\nDay\n2 Days\\x41\\\n");
    EXPECT_EQ(table.Translate("full recording\nday"), "DaysA");
    EXPECT_EQ(table.ReverseTranslate("DaysA"), "Full Recording\nDay");
}

// The indexes must give exactly what a scan of the table in order gives, through learning.
TEST(Translate, IndexesAgreeWithScan) {
    const std::vector<std::string> words = {"a",  "A",   "b", "ab", "AB", " a", "é", "É",
                                            "한", "a한", "",  "12", "x1", "X1", "z", "-987"};
    std::mt19937 random(20240611u);
    auto pick = [&] { return words[random() % words.size()]; };

    std::string file;
    for (int i = 0; i < 300; ++i) {
        file += "1 " + pick() + pick() + "\n";
        if (random() % 4 != 0)
            file += "2 " + pick() + pick() + "\n";
    }
    TranslationTable table = TableFrom(file);

    std::vector<std::string> sources;
    std::vector<std::string> translations;
    for (std::size_t i = 0; i < table.Count(); ++i) {
        sources.push_back(Utf16ToUtf8(table.SourceAt(i)));
        translations.push_back(Utf16ToUtf8(table.TranslationAt(i)));
    }
    auto scan = [](const std::vector<std::string>& column, const std::string& text) {
        for (std::size_t i = 0; i < column.size(); ++i) {
            if (SameTextAscii(column[i], text))
                return static_cast<int>(i);
        }
        return -1;
    };

    for (int step = 0; step < 3000; ++step) {
        const std::string text = pick() + pick() + (random() % 3 == 0 ? pick() : "");
        if (random() % 2 == 0) {
            std::string expected = text;
            if (ParseIntDef(text, -987) == -987) {
                if (const int hit = scan(sources, text); hit >= 0) {
                    expected = translations[hit];
                } else if (!Trim(text).empty() && IsLatinText(Utf8ToUtf16(text))) {
                    sources.push_back(text);
                    translations.push_back(text);
                }
            }
            ASSERT_EQ(table.Translate(text), expected) << "translate '" << text << "'";
        } else {
            const int hit = scan(translations, text);
            ASSERT_EQ(table.ReverseTranslate(text), hit >= 0 ? sources[hit] : text)
                << "reverse '" << text << "'";
        }
    }
    ASSERT_EQ(table.Count(), sources.size());
    EXPECT_GT(sources.size(), 320u);  // learning took place
    for (std::size_t i = 0; i < sources.size(); ++i) {
        EXPECT_EQ(Utf16ToUtf8(table.SourceAt(i)), sources[i]);
        EXPECT_EQ(Utf16ToUtf8(table.TranslationAt(i)), translations[i]);
    }
}

// --- the process-wide table ---------------------------------------------------------------

using StartMultiLanguageTest = TempFolder;

TEST_F(StartMultiLanguageTest, LoadsLocaleIniAndInstallsCallback) {
    fs::copy_file(TESSAVO_TEST_DATA "/locale_korean.ini", dir_ / "locale.ini");
    SetTranslateCallback(nullptr);
    StartMultiLanguage(dir_.string());
    EXPECT_EQ(LocaleFilePath(), (dir_ / "locale.ini").string());
    EXPECT_EQ(LocaleTable().Count(), 5u);
    EXPECT_EQ(translate("Channel"), "채널");
    EXPECT_EQ(translate(u"Calculate"), u"\uACC4\uC0B0");
    EXPECT_EQ(reverseTranslate("채널"), "Channel");
    EXPECT_EQ(reverseTranslate(u"\uACC4\uC0B0"), "Calculate");
    ASSERT_TRUE(GetTranslateCallback());
    EXPECT_EQ(GetTranslateCallback()("Select Model"), "모델 선택");
    EXPECT_EQ(GetTranslateCallback()("HIGH"), "HIGH");
    EXPECT_EQ(LocaleTable().Count(), 6u);  // the callback learns into the same table

    StopMultiLanguage();
    EXPECT_EQ(LocaleTable().Count(), 0u);
    EXPECT_EQ(translate("Channel"), "Channel");
}

TEST_F(StartMultiLanguageTest, WithoutLocaleIni) {
    SetTranslateCallback(nullptr);
    StartMultiLanguage(dir_.string() + "/");  // a trailing separator is not doubled
    EXPECT_EQ(LocaleFilePath(), (dir_ / "locale.ini").string());
    EXPECT_EQ(LocaleTable().Count(), 0u);
    EXPECT_EQ(translate("HIGH"), "HIGH");
    EXPECT_EQ(reverseTranslate("HIGH"), "HIGH");
    EXPECT_EQ(LocaleTable().Count(), 0u);
    ASSERT_TRUE(GetTranslateCallback());
    EXPECT_EQ(GetTranslateCallback()("HIGH"), "HIGH");
}

TEST_F(StartMultiLanguageTest, FailedLoadIsSwallowed) {
    WriteFile(dir_ / "locale.ini",
              "\xEF\xBB\xBF"
              "1 Channel\n2 Kanal\n");
    SetTranslateCallback(nullptr);
    StartMultiLanguage(dir_.string());
    EXPECT_EQ(LocaleTable().Count(), 0u);
    EXPECT_EQ(translate("Channel"), "Channel");
    EXPECT_TRUE(GetTranslateCallback());
}

}  // namespace
}  // namespace tessavo
