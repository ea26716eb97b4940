// Candidate index over database records, keyed on the case-folded source form of their texts.
#include "model/record_index.h"

#include "platform/text.h"

namespace tessavo {

namespace {
// Collisions between differently split fields would only add candidates, which the exact check
// rejects; the unit separator just keeps them rare.
constexpr char kFieldEnd = '\x1F';
}  // namespace

void FoldedKeyIndex::AppendField(std::string& key, const TranslationTable& table,
                                 std::string_view text) {
    AppendPlainField(key, table.ReverseTranslate(text));
}

void FoldedKeyIndex::AppendPlainField(std::string& key, std::string_view text) {
    key.append(AsciiLower(text));
    key.push_back(kFieldEnd);
}

void FoldedKeyIndex::Add(std::string key, uint32_t record) {
    candidates_[std::move(key)].push_back(record);
    ++records_;
}

std::span<const uint32_t> FoldedKeyIndex::Find(const std::string& key) const {
    const auto hit = candidates_.find(key);
    if (hit == candidates_.end())
        return {};
    return hit->second;
}

}  // namespace tessavo
