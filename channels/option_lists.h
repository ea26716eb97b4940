// The option lists a recorder model offers: resolutions, qualities, cameras, channel counts and
// frame rates. Window-free: the window passes its state in and shows the lists it gets back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/U_MultiLanguage.h"
#include "model/record_index.h"
#include "model/records.h"

namespace tessavo {

using TextList = std::vector<std::string>;

// Best first; every quality list is a slice of it.
inline constexpr std::array<std::string_view, 5> QualityNames = {"ULTRA", "SUPER", "HIGH", "MID",
                                                                 "LOW"};

// Model codes are compared exactly; a code no rule names gets the rule's last row. Entries are
// display texts (translate of the source names; translating may teach the table new texts).
void FillResolutionLists(std::string_view modelCode, TranslationTable& table,
                         TextList& resolutionList, TextList& ipResolutionList);
void FillQualityLists(std::string_view modelCode, TranslationTable& table, TextList& qualityList,
                      TextList& ipQualityList);

// Camera types an IP channel of a hybrid model may take, default first; never translated.
// An empty model name (nothing selected) gives an empty list.
void FillCameraList(std::string_view modelName, TextList& cameraList);

// Items of the channel-count drop-down, smallest first: a subset of "4", "8", "12", "16".
TextList ChannelCountItems(const TModel& model);

// Finds the RATE record for a model, standard, resolution and channel count without scanning.
// Both sides pass through reverse translate; model, standard and channel count must then be
// equal exactly, the resolution ignoring ASCII case. The first record in stored order wins.
// With an empty translation table this is a plain comparison of the texts as loaded.
//
// Keeps pointers to the rates and the table: Build() again whenever the rate array is replaced
// (after the workbook conversion) or the table is reloaded. Learning needs no rebuild.
class RateIndex {
  public:
    void Build(const PRate& rates, const TranslationTable& table);
    // nullptr when no record matches (or before Build).
    const TRate* Find(std::string_view model, std::string_view standard,
                      std::string_view resolution, std::string_view channelCount) const;

  private:
    const PRate* rates_ = nullptr;
    const TranslationTable* table_ = nullptr;
    FoldedKeyIndex index_;
};

// Highest frame rate a ceiling can list; far above any recorder, so a damaged record stays cheap.
inline constexpr int32_t kMaxFpsCeiling = 1000;

// Frame rates for a ceiling text such as "30FPS", highest first. `modelName` (FModelName)
// selects the fixed 30/25 lists of the QT20/QT10/QT61R families.
TextList FpsEntriesForCeiling(std::string_view modelName, std::string_view maxFps);

// Refills `fpsList` from the first matching RATE record; empty when none matches. The caller
// passes FModelName as `modelName`: it serves both for the record match and for the model rule.
void FillFpsList(const RateIndex& rates, std::string_view modelName, std::string_view standard,
                 std::string_view resolution, std::string_view channelCount, TextList& fpsList);

}  // namespace tessavo
