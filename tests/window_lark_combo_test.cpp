// The translating combo box: its own requests on the source items, the requests it passes on to
// the displayed list, the callback and TextConvert switches, and the real localisation start-up.
#include <gtest/gtest.h>
#include <QFile>
#include <QMetaProperty>
#include <QTemporaryDir>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "localisation/U_MultiLanguage.h"
#include "localisation/qt/utLarkControls.h"

namespace tessavo {
namespace {

using List = std::vector<std::string>;

// A callback that knows two words and shows every other text as it is.
std::string FakeTranslate(const std::string& text) {
    static const std::map<std::string, std::string> words{{"HIGH", "Hohe Qualität"},
                                                          {"LOW", "Niedrig"}};
    const auto it = words.find(text);
    return it == words.end() ? text : it->second;
}

class LarkCombo : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = GetTranslateCallback();
        SetTranslateCallback(FakeTranslate);
    }
    void TearDown() override { SetTranslateCallback(saved_); }

    static void Fill(TLarkComboBox& combo, const List& items) {
        for (const std::string& item : items) combo.AddString(item);
    }
    static List Shown(const TLarkComboBox& combo) {
        List shown;
        for (int i = 0; i < combo.count(); ++i) shown.push_back(combo.itemText(i).toStdString());
        return shown;
    }
    static std::string EditText(TLarkComboBox& combo) {
        const intptr_t length = combo.SendRequest(ComboRequest::GetEditTextLength);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        EXPECT_EQ(combo.SendRequest(ComboRequest::GetEditText, length + 1, {{}, text.data()}),
                  length);
        text.resize(static_cast<std::size_t>(length));
        return text;
    }

    TranslateCallback saved_;
};

TEST_F(LarkCombo, RequestsByTheirMessageNumbers) {
    TLarkComboBox combo;
    EXPECT_TRUE(combo.TextConvert());
    // CB_ADDSTRING: the source is kept, its translation shown; the result is the new index.
    EXPECT_EQ(combo.SendRequest(0x0143, 0, {"MID", nullptr}), 0);
    EXPECT_EQ(combo.SendRequest(0x0143, 0, {"HIGH", nullptr}), 1);
    EXPECT_EQ(combo.SendRequest(0x0143, 0, {"LOW", nullptr}), 2);
    EXPECT_EQ(Shown(combo), (List{"MID", "Hohe Qualität", "Niedrig"}));
    EXPECT_EQ(combo.SourceItems(), (List{"MID", "HIGH", "LOW"}));

    // CB_GETLBTEXTLEN and CB_GETLBTEXT give the source, not the longer display text.
    EXPECT_EQ(combo.SendRequest(0x0149, 1), 4);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(combo.SendRequest(0x0148, 1, {{}, buffer}), 4);
    EXPECT_STREQ(buffer, "HIGH");

    // CB_FINDSTRINGEXACT finds the source ignoring the case of its letters; the selection stays.
    EXPECT_EQ(combo.SendRequest(0x0158, -1, {"high", nullptr}), 1);
    EXPECT_EQ(combo.currentIndex(), 0);
    // CB_SELECTSTRING selects through CB_SETCURSEL and answers with the index.
    EXPECT_EQ(combo.SendRequest(0x014D, -1, {"Low", nullptr}), 2);
    EXPECT_EQ(combo.currentIndex(), 2);
    // The edit text is the display text of the selection, the item text its source.
    EXPECT_EQ(EditText(combo), "Niedrig");
    EXPECT_EQ(combo.SourceText(2), "LOW");
    // CB_SETCURSEL and CB_GETCURSEL are the platform's.
    EXPECT_EQ(combo.SendRequest(0x014E, 1), 1);
    EXPECT_EQ(combo.SendRequest(0x0147), 1);
    EXPECT_EQ(EditText(combo), "Hohe Qualität");

    // CB_RESETCONTENT empties both lists.
    EXPECT_EQ(combo.SendRequest(0x014B), 0);
    EXPECT_EQ(combo.count(), 0);
    EXPECT_TRUE(combo.SourceItems().empty());
    EXPECT_EQ(combo.SendRequest(0x0148, 0, {{}, buffer}), kComboError);
}

TEST_F(LarkCombo, WithoutConversionItemsShowAsAddedAndLookupsStillWork) {
    struct Case {
        const char* name;
        bool installCallback;
        bool textConvert;
    };
    const Case cases[] = {{"no callback", false, true}, {"TextConvert false", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetTranslateCallback(c.installCallback ? TranslateCallback(FakeTranslate) : nullptr);
        TLarkComboBox combo;
        combo.SetTextConvert(c.textConvert);
        EXPECT_EQ(combo.property("TextConvert").toBool(), c.textConvert);
        Fill(combo, {"MID", "HIGH", "LOW"});
        EXPECT_EQ(Shown(combo), (List{"MID", "HIGH", "LOW"}));
        EXPECT_EQ(combo.SourceText(1), "HIGH");
        EXPECT_EQ(combo.FindStringExact(-1, "low"), 2);
        EXPECT_EQ(combo.SelectString(-1, "mid"), 0);
        EXPECT_EQ(combo.currentIndex(), 0);
    }
}

TEST_F(LarkCombo, TextConvertIsAStoredPropertySwitchedPerAdd) {
    TLarkComboBox combo;
    const QMetaObject* meta = combo.metaObject();
    const int index = meta->indexOfProperty("TextConvert");
    ASSERT_GE(index, 0);
    EXPECT_TRUE(meta->property(index).isStored());
    combo.AddString("HIGH");
    combo.setProperty("TextConvert", false);
    combo.AddString("HIGH");
    combo.SetTextConvert(true);
    combo.AddString("LOW");
    EXPECT_EQ(Shown(combo), (List{"Hohe Qualität", "HIGH", "Niedrig"}));
}

TEST_F(LarkCombo, ScansStartAfterTheStartIndexAndDoNotWrap) {
    TLarkComboBox combo;
    Fill(combo, {"HIGH", "low", "High", "MID"});
    struct Case {
        int start;
        const char* text;
        int found;
    };
    const Case cases[] = {
        {-1, "high", 0},            // the whole list
        {0, "HIGH", 2},             // after index 0
        {2, "high", -1},            // no match after 2, and the scan does not go back to 0
        {2, "LOW", -1},             // index 1 lies before the start
        {1, "mid", 3},              //
        {3, "MID", -1},             // start at the last item: nothing to scan
        {-1, "HIG", -1},            // a prefix is no match
        {-1, "HIGH ", -1},          // neither is a longer text
        {-1, "Hohe Qualität", -1},  // display texts are not searched
        {-5, "HIGH", 0},            // below -1 counts as the whole list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " " + c.text);
        combo.setCurrentIndex(1);
        EXPECT_EQ(combo.FindStringExact(c.start, c.text), c.found);
        EXPECT_EQ(combo.currentIndex(), 1);
        EXPECT_EQ(combo.SelectString(c.start, c.text), c.found);
        // A failed selection by text leaves the selection as it was.
        EXPECT_EQ(combo.currentIndex(), c.found < 0 ? 1 : c.found);
    }
}

TEST_F(LarkCombo, OnlyAsciiLettersIgnoreCase) {
    TLarkComboBox combo;
    Fill(combo, {"Qualität", "é"});
    EXPECT_EQ(combo.FindStringExact(-1, "QUALITäT"), 0);
    EXPECT_EQ(combo.FindStringExact(-1, "QUALITÄT"), -1);
    EXPECT_EQ(combo.FindStringExact(-1, "É"), -1);
}

TEST_F(LarkCombo, IndexesOutsideTheSourceItemsFailWithoutTouchingTheBuffer) {
    TLarkComboBox combo;
    Fill(combo, {"HIGH", "LOW"});
    for (const intptr_t index : {intptr_t{-1}, intptr_t{2}, intptr_t{100}}) {
        SCOPED_TRACE(index);
        char buffer[8];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(combo.SendRequest(ComboRequest::GetLBText, index, {{}, buffer}), kComboError);
        EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(8, 'x'));
        EXPECT_EQ(combo.SendRequest(ComboRequest::GetLBTextLen, index), kComboError);
        EXPECT_EQ(combo.SourceText(static_cast<int>(index)), std::nullopt);
    }
    combo.ResetContent();
    EXPECT_EQ(combo.SendRequest(ComboRequest::GetLBTextLen, 0), kComboError);
    EXPECT_EQ(combo.SourceText(0), std::nullopt);
    // The list fills again from the start after a reset.
    EXPECT_EQ(combo.AddString("LOW"), 0);
    EXPECT_EQ(combo.SourceText(0), "LOW");
}

TEST_F(LarkCombo, PassedOnRequestsChangeTheDisplayedListOnly) {
    TLarkComboBox combo;
    Fill(combo, {"HIGH", "MID", "LOW"});
    // CB_INSERTSTRING at index 1: shown as given, without a source of its own.
    EXPECT_EQ(combo.SendRequest(ComboRequest::InsertString, 1, {"ULTRA", nullptr}), 1);
    EXPECT_EQ(Shown(combo), (List{"Hohe Qualität", "ULTRA", "MID", "Niedrig"}));
    EXPECT_EQ(combo.SourceItems(), (List{"HIGH", "MID", "LOW"}));
    EXPECT_EQ(combo.SourceText(1), "MID");
    EXPECT_EQ(combo.SendRequest(ComboRequest::GetCount), 4);
    // -1 inserts at the end; an index past the end fails.
    EXPECT_EQ(combo.SendRequest(ComboRequest::InsertString, -1, {"SUPER", nullptr}), 4);
    EXPECT_EQ(combo.SendRequest(ComboRequest::InsertString, 9, {"X", nullptr}), kComboError);
    // CB_DELETESTRING answers with the items left.
    EXPECT_EQ(combo.SendRequest(ComboRequest::DeleteString, 0), 4);
    EXPECT_EQ(combo.SendRequest(ComboRequest::DeleteString, 4), kComboError);
    EXPECT_EQ(Shown(combo), (List{"ULTRA", "MID", "Niedrig", "SUPER"}));
    EXPECT_EQ(combo.SourceItems(), (List{"HIGH", "MID", "LOW"}));
    EXPECT_EQ(combo.SourceText(0), "HIGH");
    // Select by text still answers with source positions, now showing another item there.
    EXPECT_EQ(combo.SelectString(-1, "LOW"), 2);
    EXPECT_EQ(combo.currentText().toStdString(), "Niedrig");
}

TEST_F(LarkCombo, PlatformRequestsOnTheDisplayedList) {
    TLarkComboBox combo;
    Fill(combo, {"HIGH", "LOW", "HIGHER"});
    // CB_FINDSTRING: prefix of a display text, case ignored, wrapping round as Windows does.
    EXPECT_EQ(combo.SendRequest(ComboRequest::FindString, -1, {"hohe", nullptr}), 0);
    EXPECT_EQ(combo.SendRequest(ComboRequest::FindString, 0, {"HIGH", nullptr}), 2);
    EXPECT_EQ(combo.SendRequest(ComboRequest::FindString, 2, {"nied", nullptr}), 1);
    EXPECT_EQ(combo.SendRequest(ComboRequest::FindString, 0, {"zzz", nullptr}), kComboError);
    // CB_SETCURSEL outside the list clears the selection and reports CB_ERR.
    combo.setCurrentIndex(1);
    EXPECT_EQ(combo.SendRequest(ComboRequest::SetCurSel, 3), kComboError);
    EXPECT_EQ(combo.SendRequest(ComboRequest::GetCurSel), -1);
    // WM_GETTEXT copies no more than the buffer holds, with its terminating zero.
    combo.setCurrentIndex(0);
    char small[5];
    EXPECT_EQ(combo.SendRequest(ComboRequest::GetEditText, sizeof small, {{}, small}), 4);
    EXPECT_STREQ(small, "Hohe");
    // A request the control does not know fails.
    EXPECT_EQ(combo.SendRequest(0x0150u, 0), kComboError);
}

TEST(LarkComboStartUp, TheLocalisationStartUpInstallsTranslate) {
    const TranslateCallback saved = GetTranslateCallback();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath("locale.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1 HIGH\n2 HOCH\n");
    file.close();
    SetTranslateCallback(nullptr);
    StartMultiLanguage(folder.path().toStdString());
    {
        TLarkComboBox combo;
        combo.AddString("high");
        combo.AddString("Ultra");
        EXPECT_EQ(combo.itemText(0).toStdString(), "HOCH");
        EXPECT_EQ(combo.itemText(1).toStdString(), "Ultra");
        EXPECT_EQ(combo.SourceText(0), "high");
    }
    // The unknown Latin item was learned by translate.
    EXPECT_EQ(LocaleTable().Count(), 2u);
    StopMultiLanguage();
    SetTranslateCallback(saved);
}

}  // namespace
}  // namespace tessavo
