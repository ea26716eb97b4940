// Small text helpers with the semantics the calculator relies on (ASCII-only case folding).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessavo {

// Drops characters at or below the blank from both ends.
std::string Trim(std::string_view text);

// Replaces every occurrence of `from` (case-sensitive); an empty `from` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

bool Contains(std::string_view text, std::string_view part);

std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

// Equality that ignores case for A-Z only; every other byte must be identical.
bool SameTextAscii(std::string_view a, std::string_view b);

// "%0.2d": the number with at least two digits, zero-padded.
std::string TwoDigits(int number);

// "%5s": right-aligned in a field of `width` characters (longer texts stay whole).
std::string PadLeft(std::string_view text, std::size_t width);

// Appends one code point as UTF-16 (a surrogate pair above U+FFFF).
void AppendCodePoint(std::u16string& out, uint32_t codePoint);

// UTF-8 <-> UTF-16. Broken UTF-8 yields U+FFFD for each bad byte; unpaired surrogates likewise.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace tessavo
