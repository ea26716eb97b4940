// TLarkComboBox: source items kept, translations shown, requests answered by number.
#include "localisation/qt/utLarkControls.h"

#include <algorithm>
#include <cstring>

#include "localisation/U_MultiLanguage.h"
#include "platform/text.h"

namespace tessavo {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString& text) {
    return text.toStdString();
}

intptr_t CopyWithZero(const std::string& text, char* buffer) {
    if (!buffer)
        return kComboError;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<intptr_t>(text.size());
}

bool StartsWithAscii(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

}  // namespace

TLarkComboBox::TLarkComboBox(QWidget* owner) : QComboBox(owner) {}

TLarkComboBox::~TLarkComboBox() = default;

intptr_t TLarkComboBox::SendRequest(unsigned message, intptr_t wParam, RequestArg lParam) {
    return WndProc(message, wParam, lParam);
}

intptr_t TLarkComboBox::WndProc(unsigned message, intptr_t wParam, RequestArg lParam) {
    const bool inSource = wParam >= 0 && wParam < static_cast<intptr_t>(sourceItems_.size());
    switch (static_cast<ComboRequest>(message)) {
        case ComboRequest::AddString: {
            sourceItems_.emplace_back(lParam.text);
            const TranslateCallback& callback = GetTranslateCallback();
            const std::string shown =
                callback && textConvert_ ? callback(sourceItems_.back()) : sourceItems_.back();
            return PlatformRequest(message, wParam, RequestArg{shown, nullptr});
        }
        case ComboRequest::GetLBText:
            return inSource
                       ? CopyWithZero(sourceItems_[static_cast<std::size_t>(wParam)], lParam.buffer)
                       : kComboError;
        case ComboRequest::GetLBTextLen:
            return inSource ? static_cast<intptr_t>(
                                  sourceItems_[static_cast<std::size_t>(wParam)].size())
                            : kComboError;
        case ComboRequest::ResetContent:
            sourceItems_.clear();
            return PlatformRequest(message, wParam, lParam);
        case ComboRequest::SelectString: {
            const intptr_t found = ScanSourceItems(wParam, lParam.text);
            return found == kComboError
                       ? kComboError
                       : PlatformRequest(static_cast<unsigned>(ComboRequest::SetCurSel), found, {});
        }
        case ComboRequest::FindStringExact:
            return ScanSourceItems(wParam, lParam.text);
        default:
            return PlatformRequest(message, wParam, lParam);
    }
}

intptr_t TLarkComboBox::ScanSourceItems(intptr_t startIndex, std::string_view text) const {
    // No wrap-around: a scan that starts at the last item finds nothing.
    const intptr_t count = static_cast<intptr_t>(sourceItems_.size());
    for (intptr_t i = std::max<intptr_t>(startIndex + 1, 0); i < count; ++i) {
        if (SameTextAscii(sourceItems_[static_cast<std::size_t>(i)], text))
            return i;
    }
    return kComboError;
}

intptr_t TLarkComboBox::PlatformRequest(unsigned message, intptr_t wParam, RequestArg lParam) {
    const intptr_t n = count();
    const bool inList = wParam >= 0 && wParam < n;
    const int index = static_cast<int>(wParam);
    switch (static_cast<ComboRequest>(message)) {
        case ComboRequest::GetEditText: {
            if (!lParam.buffer || wParam <= 0)
                return 0;
            const std::string text = S(currentText());
            const std::size_t length = std::min(text.size(), static_cast<std::size_t>(wParam - 1));
            std::memcpy(lParam.buffer, text.data(), length);
            lParam.buffer[length] = '\0';
            return static_cast<intptr_t>(length);
        }
        case ComboRequest::GetEditTextLength:
            return static_cast<intptr_t>(S(currentText()).size());
        case ComboRequest::AddString:
            addItem(Q(lParam.text));
            return count() - 1;
        case ComboRequest::InsertString:
            if (wParam < -1 || wParam > n)
                return kComboError;
            insertItem(wParam == -1 ? static_cast<int>(n) : index, Q(lParam.text));
            return wParam == -1 ? n : wParam;
        case ComboRequest::DeleteString:
            if (!inList)
                return kComboError;
            removeItem(index);
            return count();
        case ComboRequest::GetCount:
            return n;
        case ComboRequest::GetCurSel:
            return currentIndex();
        case ComboRequest::SetCurSel:
            // As on Windows, -1 or an index past the list clears the selection and reports CB_ERR.
            setCurrentIndex(inList ? index : -1);
            return inList ? wParam : kComboError;
        case ComboRequest::GetLBText:
            return inList ? CopyWithZero(S(itemText(index)), lParam.buffer) : kComboError;
        case ComboRequest::GetLBTextLen:
            return inList ? static_cast<intptr_t>(S(itemText(index)).size()) : kComboError;
        case ComboRequest::ResetContent:
            clear();
            return 0;
        case ComboRequest::FindString: {
            // The Windows prefix search wraps around to the top and stops at the start index.
            for (intptr_t step = 1; step <= n; ++step) {
                const intptr_t i = ((wParam < 0 ? -1 : wParam) + step) % n;
                if (StartsWithAscii(S(itemText(static_cast<int>(i))), lParam.text))
                    return i;
            }
            return kComboError;
        }
        default:
            return kComboError;
    }
}

int TLarkComboBox::AddString(std::string_view source) {
    return static_cast<int>(SendRequest(ComboRequest::AddString, 0, RequestArg{source, nullptr}));
}

std::optional<std::string> TLarkComboBox::SourceText(int index) {
    const intptr_t length = SendRequest(ComboRequest::GetLBTextLen, index);
    if (length < 0)
        return std::nullopt;
    // Room for the terminating zero the request writes, as its callers must give.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    if (SendRequest(ComboRequest::GetLBText, index, RequestArg{{}, text.data()}) != length)
        return std::nullopt;
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int TLarkComboBox::FindStringExact(int startIndex, std::string_view source) {
    return static_cast<int>(
        SendRequest(ComboRequest::FindStringExact, startIndex, RequestArg{source, nullptr}));
}

int TLarkComboBox::SelectString(int startIndex, std::string_view source) {
    return static_cast<int>(
        SendRequest(ComboRequest::SelectString, startIndex, RequestArg{source, nullptr}));
}

void TLarkComboBox::ResetContent() {
    SendRequest(ComboRequest::ResetContent);
}

}  // namespace tessavo
