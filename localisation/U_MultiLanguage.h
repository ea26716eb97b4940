// The translation table (source text -> display text) read from locale.ini, with translate,
// reverse translate and learning; one process-wide instance owned by this module.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessavo {

class TranslationTable {
  public:
    // Replaces the content with the file's entries; false when the file is missing (table
    // unchanged) or the load failed part-way (entries read before the failure stay).
    bool LoadTable(const std::string& path);
    // The same, from the file's bytes.
    bool LoadFromBytes(std::string_view bytes);
    void ClearTable();

    // Unicode form.
    std::u16string Translate(std::u16string_view text);
    // 8-bit form (UTF-8 here).
    std::string Translate(std::string_view text);
    std::string ReverseTranslate(std::u16string_view text) const;
    std::string ReverseTranslate(std::string_view text) const;

    // Zero means no locale.ini was loaded: every text shows as written.
    std::size_t Count() const { return sources_.size(); }
    const std::u16string& SourceAt(std::size_t i) const { return sources_[i]; }
    const std::u16string& TranslationAt(std::size_t i) const { return translations_[i]; }

  private:
    void RebuildIndex();
    std::vector<std::u16string> sources_;
    std::vector<std::u16string> translations_;
    // ASCII-folded UTF-8 key -> first entry with that source / that translation.
    std::unordered_map<std::string, std::size_t> bySource_;
    std::unordered_map<std::string, std::size_t> byTranslation_;
};

std::u16string Unescape(std::u16string_view text);
int HexDigitValue(char c);
int32_t HexToInteger(std::string_view text);
bool IsLatinText(std::u16string_view text);

// The process-wide table.
TranslationTable& LocaleTable();

// Module start-up: reads FOLDER/locale.ini when it exists (failures are swallowed) and installs
// the 8-bit translate as the translating combo box's callback. Shut-down clears the table.
void StartMultiLanguage(const std::string& folder);
void StopMultiLanguage();
const std::string& LocaleFilePath();

// Shorthands on the process-wide table, as display code calls them.
std::string translate(std::string_view text);
std::u16string translate(std::u16string_view text);
std::string reverseTranslate(std::string_view text);
std::string reverseTranslate(std::u16string_view text);

// The translating combo box's unit-wide callback (8-bit text in, 8-bit text out).
using TranslateCallback = std::function<std::string(const std::string&)>;
void SetTranslateCallback(TranslateCallback callback);
const TranslateCallback& GetTranslateCallback();

}  // namespace tessavo
