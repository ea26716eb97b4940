// Candidate index over database records, keyed on the case-folded source form of their texts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "localisation/U_MultiLanguage.h"

namespace tessavo {

// Records are compared with inputs after reverse translate on both sides. Keying each record on
// the ASCII-folded reverse translation of its fields narrows a query to a few candidates, which
// the caller then checks exactly, in stored order.
//
// The key stays valid while the table learns: learning only appends entries (t, t) for a text t
// that no source matched. Such an entry can only change reverse(x) for an x that no earlier
// translation matched, i.e. from x itself to t, and t equals x but for ASCII case. So the
// folded reverse translation of any text never changes; only the exact form may, which is why
// candidates are checked afresh. Loading another locale.ini is not learning: rebuild then.
class FoldedKeyIndex {
  public:
    // Appends the folded reverse translation of `text` as the next field of `key`.
    static void AppendField(std::string& key, const TranslationTable& table, std::string_view text);
    // For fields compared without translation (the channel count of the HIS check).
    static void AppendPlainField(std::string& key, std::string_view text);

    void Clear() {
        candidates_.clear();
        records_ = 0;
    }
    void Reserve(std::size_t records) { candidates_.reserve(records); }
    // Record indices must be added in stored order.
    void Add(std::string key, uint32_t record);
    // Record indices in stored order; empty when no record has the key.
    std::span<const uint32_t> Find(const std::string& key) const;
    // Number of records added since the last Clear().
    std::size_t Size() const { return records_; }

  private:
    std::unordered_map<std::string, std::vector<uint32_t>> candidates_;
    std::size_t records_ = 0;
};

}  // namespace tessavo
