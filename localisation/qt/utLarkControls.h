// TLarkComboBox: a combo box that shows translations of the items it is handed and gives the
// handed (source) texts back, so program code never sees the display language.
//
// The control is driven through a small request layer that stands in for the Windows combo-box
// messages, under their numbers: SendRequest(message, wParam, lParam). Seven requests are the
// control's own and work on the source items (add, get text, get text length, reset, select by
// text, find by text); every other request goes to the platform part, which answers it on the
// displayed list, as the Windows control would. Qt's own QComboBox functions (addItem,
// insertItem, ...) are that same displayed list: use them only where a passed-on request would
// do, for they never touch the source items. The unit-wide translate callback is the one of
// U_MultiLanguage.h (SetTranslateCallback / GetTranslateCallback), which the localisation
// start-up installs before any window exists.
//
// Construction and destruction order: the source list must exist before the platform part can
// send the control a request and must outlive every request the platform part sends while it
// is torn down. C++ builds the QComboBox base before our members and destroys it after them,
// but neither end can reach our handler: the platform part never sends our requests by itself
// (they come only through SendRequest), and while a base is being built or destroyed a virtual
// call reaches only the base's version, never WndProc. So no request ever meets a missing list.
#pragma once

#include <QComboBox>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessavo {

// Request numbers, as the Windows messages they stand for (CB_ADDSTRING and its sisters).
enum class ComboRequest : unsigned {
    GetEditText = 0x000D,        // WM_GETTEXT: wParam buffer size, lParam.buffer
    GetEditTextLength = 0x000E,  // WM_GETTEXTLENGTH
    AddString = 0x0143,          // CB_ADDSTRING: lParam.text
    DeleteString = 0x0144,       // CB_DELETESTRING: wParam index
    GetCount = 0x0146,           // CB_GETCOUNT
    GetCurSel = 0x0147,          // CB_GETCURSEL
    GetLBText = 0x0148,          // CB_GETLBTEXT: wParam index, lParam.buffer
    GetLBTextLen = 0x0149,       // CB_GETLBTEXTLEN: wParam index
    InsertString = 0x014A,       // CB_INSERTSTRING: wParam index (-1: at the end), lParam.text
    ResetContent = 0x014B,       // CB_RESETCONTENT
    FindString = 0x014C,         // CB_FINDSTRING: wParam start index, lParam.text (prefix)
    SelectString = 0x014D,       // CB_SELECTSTRING: wParam start index, lParam.text
    SetCurSel = 0x014E,          // CB_SETCURSEL: wParam index (-1: no selection)
    FindStringExact = 0x0158,    // CB_FINDSTRINGEXACT: wParam start index, lParam.text
};

// CB_ERR: the failure result of every request.
inline constexpr intptr_t kComboError = -1;

// A request's second argument (the message's lParam): a text handed in, or a buffer to fill.
// A buffer must hold the text's length plus its terminating zero; the control does not check
// (callers ask for the length first), as the Windows control does not.
struct RequestArg {
    std::string_view text;
    char* buffer = nullptr;
};

class TLarkComboBox : public QComboBox {
    Q_OBJECT
    // Always stored with the layout: it has no default value.
    Q_PROPERTY(bool TextConvert READ TextConvert WRITE SetTextConvert STORED true)
  public:
    explicit TLarkComboBox(QWidget* owner = nullptr);
    ~TLarkComboBox() override;

    // Whether added items show the translate callback's answer (true after construction).
    bool TextConvert() const { return textConvert_; }
    void SetTextConvert(bool convert) { textConvert_ = convert; }

    // Texts are 8-bit (UTF-8). Results are indexes, lengths or kComboError, as the message's.
    intptr_t SendRequest(unsigned message, intptr_t wParam = 0, RequestArg lParam = {});
    intptr_t SendRequest(ComboRequest message, intptr_t wParam = 0, RequestArg lParam = {}) {
        return SendRequest(static_cast<unsigned>(message), wParam, lParam);
    }

    // Typed shorthands over SendRequest.
    int AddString(std::string_view source);
    // The source text of an item; nothing for an index outside the source items.
    std::optional<std::string> SourceText(int index);
    int FindStringExact(int startIndex, std::string_view source);
    int SelectString(int startIndex, std::string_view source);
    void ResetContent();

    const std::vector<std::string>& SourceItems() const { return sourceItems_; }

  protected:
    // The handler of every request: the seven of our own, the rest to PlatformRequest.
    virtual intptr_t WndProc(unsigned message, intptr_t wParam, RequestArg lParam);
    // The platform control's answer, on the displayed list and edit text.
    intptr_t PlatformRequest(unsigned message, intptr_t wParam, RequestArg lParam);

  private:
    // First source item after startIndex equal to the text, ASCII letters ignoring case.
    intptr_t ScanSourceItems(intptr_t startIndex, std::string_view text) const;

    std::vector<std::string> sourceItems_;
    bool textConvert_ = true;
};

}  // namespace tessavo
