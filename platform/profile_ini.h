// A reader and writer with Windows private-profile semantics, reading the file once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessavo {

class ProfileIni {
  public:
    // Longest value handed out, in bytes, as the profile reader's buffer allows.
    static constexpr std::size_t kMaxValueLength = 2047;

    // A missing or unreadable file reads as empty: every key gives its default.
    static ProfileIni FromFile(const std::string& path);
    static ProfileIni FromBytes(std::string_view bytes);

    // Section and key names match without regard to ASCII case; the first of duplicate sections
    // or keys wins; blanks around the value and one pair of enclosing quotes are dropped.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;

    // Updates the first matching key in place, or adds the key (and the section) at the end.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    // Writes the whole file through a temporary file and one rename, so a failure leaves the old
    // file whole. Returns false (and a reason) when it cannot write.
    bool SaveAtomically(const std::string& path, std::string* error = nullptr) const;

    std::string ToText() const;

  private:
    struct Line {
        std::string text;  // the line as read or written, without its line end
        int section = -1;  // index into sections_ for a section line
        std::string key;   // for key=value lines: the key as written, trimmed
    };
    struct Section {
        std::string name;
        std::size_t headerLine = 0;
        std::vector<std::size_t> keyLines;
    };
    const Section* FindSection(std::string_view name) const;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

}  // namespace tessavo
