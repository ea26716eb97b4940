// A reader and writer with Windows private-profile semantics, reading the file once.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessavo {

// Syntax as the system's profile-string reader understands it:
// - "[name]" starts a section (leading blanks allowed; the name runs to the first ']' and is
//   trimmed); a line starting with '[' but lacking ']' is an ordinary line.
// - "key=value": the key is the trimmed text before the first '='; lines without '=' and
//   lines before the first section are kept when writing but never read.
// - Names match without regard to ASCII case; the first of duplicate sections or keys wins.
// - Lines end at LF or CR LF; a UTF-8 byte-order mark at the very start is skipped.
class ProfileIni {
  public:
    // Longest value handed out, in bytes, as the profile reader's buffer allows.
    static constexpr std::size_t kMaxValueLength = 2047;

    // A missing or unreadable file reads as empty: every key gives its default.
    static ProfileIni FromFile(const std::string& path);
    static ProfileIni FromBytes(std::string_view bytes);

    // The value ends at a NUL byte (the system hands out zero-terminated text); then blanks
    // around it and one pair of matching enclosing quotes (" or ') are dropped, and it is cut at
    // kMaxValueLength bytes. A key that is absent gives `fallback` unchanged.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;

    // Updates the first matching key in place (keeping the key's spelling), or adds the key after
    // the last non-blank line of the first matching section, or adds the section at the end.
    // Every other line stays as it was. Returns false, changing nothing, for names or values a
    // line-based file cannot hold: CR, LF or NUL anywhere, ']' in the section, '=' in the key,
    // a key starting with '[', or an empty key or section after trimming.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

    // Writes ToText() to a temporary file in the target's folder, flushes it to disk and
    // renames it over the target, so any failure leaves the old file whole. Returns false and,
    // if `error` is given, a reason when it cannot write.
    bool SaveAtomically(const std::string& path, std::string* error = nullptr) const;

    // Every line ends with CR LF when the text read used CR LF at its first line end, with LF
    // otherwise (new files included); a byte-order mark read is written back.
    std::string ToText() const;

  private:
    struct Section {
        std::string name;                // trimmed, as written
        std::vector<std::string> lines;  // header line first, then the body, without line ends
        // ASCII-folded key -> index into `lines` of its first occurrence.
        std::unordered_map<std::string, std::size_t> keys;
    };
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    void AddLine(Section& section, std::string line);

    std::vector<std::string> preamble_;  // lines before the first section
    std::vector<Section> sections_;      // in file order, duplicates included
    // ASCII-folded section name -> index into sections_ of its first occurrence.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    bool crlf_ = false;
    bool bom_ = false;
};

}  // namespace tessavo
