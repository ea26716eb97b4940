// The translation table read from locale.ini: loading, escapes, translate, reverse translate.
#include "localisation/U_MultiLanguage.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "localisation/utlevel.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

namespace {

constexpr int32_t kNotANumber = -987;
constexpr char kEndOfFile = '\x1A';

// Lookups compare the 8-bit forms with ASCII-only case folding, so that is the index key.
std::string LookupKey(std::u16string_view text) {
    return AsciiLower(Utf16ToUtf8(text));
}

bool IsBlank(std::u16string_view text) {
    for (char16_t c : text) {
        if (c > u' ')
            return false;
    }
    return true;
}

// A strict decoder: a line with any malformed sequence counts as blank rather than being
// shown half-garbled. Four-byte sequences become surrogate pairs.
std::optional<std::u16string> DecodeUtf8Line(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    const std::size_t n = bytes.size();
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    std::size_t i = 0;
    while (i < n) {
        const unsigned char lead = at(i);
        std::size_t len = 0;
        uint32_t cp = 0;
        uint32_t minimum = 0;
        if (lead < 0x80) {
            out.push_back(static_cast<char16_t>(lead));
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            len = 2, cp = lead & 0x1Fu, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            len = 3, cp = lead & 0x0Fu, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            len = 4, cp = lead & 0x07u, minimum = 0x10000;
        } else {
            return std::nullopt;  // stray continuation byte or invalid lead
        }
        if (i + len > n)
            return std::nullopt;
        for (std::size_t k = 1; k < len; ++k) {
            if ((at(i + k) & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (at(i + k) & 0x3Fu);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        AppendCodePoint(out, cp);
        i += len;
    }
    return out;
}

bool IsNumberText(std::u16string_view text) {
    return ParseIntDef(Utf16ToUtf8(text), kNotANumber) != kNotANumber;
}

}  // namespace

// --- escapes ------------------------------------------------------------------------------

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

int32_t HexToInteger(std::string_view text) {
    // Unsigned so that long texts wrap like 32-bit arithmetic instead of overflowing.
    uint32_t value = 0;
    for (char c : text) value = value * 16u + static_cast<uint32_t>(HexDigitValue(c));
    return static_cast<int32_t>(value);
}

std::u16string Unescape(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c != u'\\') {
            out.push_back(c);
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            break;  // a trailing backslash is dropped
        const char16_t next = text[i + 1];
        if (next == u'n' || next == u'N') {
            out.push_back(u'\n');
            i += 2;
        } else if (next == u'r' || next == u'R') {
            out.push_back(u'\r');
            i += 2;
        } else if (next == u'x' || next == u'X') {
            std::string digits;
            for (std::size_t k = i + 2; k < i + 4 && k < text.size(); ++k) {
                // Anything outside ASCII cannot be a hex digit; it counts as 0 like other junk.
                digits.push_back(text[k] < 0x80 ? static_cast<char>(text[k]) : '\0');
            }
            // 80..FF stand for Latin-1, the code points they name.
            out.push_back(static_cast<char16_t>(HexToInteger(digits) & 0xFF));
            i += 4;
        } else {
            ++i;  // unknown escape: drop the backslash, read the next character afresh
        }
    }
    return out;
}

bool IsLatinText(std::u16string_view text) {
    bool latin = false;
    for (char16_t c : text) {
        if (c >= 0x100)
            return false;
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            latin = true;
    }
    return latin;
}

// --- the table ----------------------------------------------------------------------------

void TranslationTable::ClearTable() {
    sources_.clear();
    translations_.clear();
    bySource_.clear();
    byTranslation_.clear();
}

void TranslationTable::RebuildIndex() {
    bySource_.clear();
    byTranslation_.clear();
    bySource_.reserve(sources_.size());
    byTranslation_.reserve(sources_.size());
    // emplace keeps the first entry for a key: the first match wins in both directions.
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        bySource_.emplace(LookupKey(sources_[i]), i);
        byTranslation_.emplace(LookupKey(translations_[i]), i);
    }
}

bool TranslationTable::LoadTable(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return false;
    ClearTable();
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return false;
    return LoadFromBytes(bytes);
}

bool TranslationTable::LoadFromBytes(std::string_view bytes) {
    ClearTable();
    bool ok = true;
    std::string line;
    std::size_t pos = 0;
    bool endOfFile = false;
    while (!endOfFile && pos < bytes.size()) {
        line.clear();
        while (pos < bytes.size()) {
            const char b = bytes[pos++];
            if (b == kEndOfFile) {
                endOfFile = true;
                break;
            }
            if (b == '\n')
                break;
            if (b != '\r')  // CR LF ends the line at the LF; a lone CR is simply dropped
                line.push_back(b);
        }
        const std::optional<std::u16string> decoded = DecodeUtf8Line(line);
        if (!decoded)
            continue;
        const std::u16string text = Unescape(*decoded);
        if (IsBlank(text))
            continue;
        std::u16string body = text.size() > 2 ? text.substr(2) : std::u16string();
        if (text[0] == u'1') {
            sources_.push_back(std::move(body));
            translations_.emplace_back();
        } else if (text[0] == u'2') {
            if (sources_.empty()) {
                ok = false;
                break;
            }
            translations_.back() = std::move(body);
        }
    }
    RebuildIndex();
    return ok;
}

std::u16string TranslationTable::Translate(std::u16string_view text) {
    if (sources_.empty())
        return std::u16string(text);  // nothing is learned into an empty table
    if (IsNumberText(text))
        return std::u16string(text);
    std::string key = LookupKey(text);
    if (const auto hit = bySource_.find(key); hit != bySource_.end())
        return translations_[hit->second];
    if (ProgramLevel() <= 6 && !IsBlank(text) && IsLatinText(text)) {
        const std::size_t index = sources_.size();
        sources_.emplace_back(text);
        translations_.emplace_back(text);
        bySource_.emplace(key, index);
        byTranslation_.emplace(std::move(key), index);
    }
    return std::u16string(text);
}

std::string TranslationTable::Translate(std::string_view text) {
    return Utf16ToUtf8(Translate(std::u16string_view(Utf8ToUtf16(text))));
}

std::string TranslationTable::ReverseTranslate(std::u16string_view text) const {
    std::string key = LookupKey(text);
    if (const auto hit = byTranslation_.find(key); hit != byTranslation_.end())
        return Utf16ToUtf8(sources_[hit->second]);
    return Utf16ToUtf8(text);
}

std::string TranslationTable::ReverseTranslate(std::string_view text) const {
    return ReverseTranslate(std::u16string_view(Utf8ToUtf16(text)));
}

// --- the process-wide instance ------------------------------------------------------------

namespace {
std::string& StoredLocalePath() {
    static std::string path;
    return path;
}
TranslateCallback& StoredCallback() {
    static TranslateCallback callback;
    return callback;
}
}  // namespace

TranslationTable& LocaleTable() {
    static TranslationTable table;
    return table;
}

void StartMultiLanguage(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path.push_back('/');
    path += "locale.ini";
    StoredLocalePath() = path;
    try {
        std::error_code error;
        if (std::filesystem::exists(path, error))
            LocaleTable().LoadTable(path);
    } catch (...) {
        // A damaged locale.ini must never keep the program from starting.
    }
    SetTranslateCallback(
        [](const std::string& text) { return LocaleTable().Translate(std::string_view(text)); });
}

void StopMultiLanguage() {
    LocaleTable().ClearTable();
    StoredLocalePath().clear();
}

const std::string& LocaleFilePath() {
    return StoredLocalePath();
}

std::string translate(std::string_view text) {
    return LocaleTable().Translate(text);
}

std::u16string translate(std::u16string_view text) {
    return LocaleTable().Translate(text);
}

std::string reverseTranslate(std::string_view text) {
    return LocaleTable().ReverseTranslate(text);
}

std::string reverseTranslate(std::u16string_view text) {
    return LocaleTable().ReverseTranslate(text);
}

void SetTranslateCallback(TranslateCallback callback) {
    StoredCallback() = std::move(callback);
}

const TranslateCallback& GetTranslateCallback() {
    return StoredCallback();
}

}  // namespace tessavo
