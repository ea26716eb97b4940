// The option lists a recorder model offers: resolutions, qualities, cameras, channel counts and
// frame rates.
#include "channels/option_lists.h"

#include <algorithm>
#include <cassert>
#include <initializer_list>

#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

namespace {

using Names = std::vector<std::string_view>;

// One row of a per-model rule; a row without codes is the row for any other code.
struct ModelRule {
    Names codes;
    Names entries;
};
using Rules = std::vector<ModelRule>;

bool IsIn(std::string_view code, const Names& codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

const Names& EntriesFor(std::string_view modelCode, const Rules& rules) {
    for (const ModelRule& rule : rules) {
        if (rule.codes.empty() || IsIn(modelCode, rule.codes))
            return rule.entries;
    }
    static const Names kNone;
    return kNone;
}

const Rules& IpResolutionRules() {
    static const Rules rules = {
        {{"QT61R", "QT63R", "QT67R"}, {"4M", "3M", "1080P", "SXGA", "720P", "D1", "CIF"}},
        {{"QT20", "QT10", "QT10S", "QT00S"}, {"1080P", "SXGA", "720P", "D1", "CIF"}},
        {{"QT90", "QT5240"}, {"1080P", "720P", "D1", "CIF"}},
        {{}, {"1080P", "720P"}},
    };
    return rules;
}

const Rules& ResolutionRules() {
    static const Rules rules = {
        {{"KM20", "KM10"}, {"960H", "D1", "HALF_D1", "CIF"}},
        {{"VR30", "VR40"}, {"720P", "960H", "D1", "HALF_D1", "CIF"}},
        {{"VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60"},
         {"1080P", "720P", "960H", "D1", "HALF_D1", "CIF"}},
        {{"VR70"}, {"4M", "1080P", "720P", "960H", "D1", "HALF_D1", "CIF"}},
        {{"ZB30"}, {"960H", "D1", "CIF"}},
        {{}, {"D1", "HALF_D1", "CIF"}},
    };
    return rules;
}

const Rules& QualityRules() {
    static const Names all(QualityNames.begin(), QualityNames.end());
    static const Names fromSuper(QualityNames.begin() + 1, QualityNames.end());
    static const Rules rules = {
        {{"KM20", "KM10", "VR30", "VR40", "VR50", "VR7310", "VR7320", "VR7330", "VR60", "VR70"},
         fromSuper},
        {{}, all},
    };
    return rules;
}

const Rules& IpQualityRules() {
    static const Names all(QualityNames.begin(), QualityNames.end());
    static const Names fromSuper(QualityNames.begin() + 1, QualityNames.end());
    static const Rules rules = {
        {{"QT20", "QT10", "QT10S", "QT61R", "QT63R", "QT67R"}, all},
        {{}, fromSuper},
    };
    return rules;
}

const Rules& CameraRules() {
    static const Rules rules = {
        {{"QT90"}, {"JE2", "ANALOG"}},
        {{"QT61R", "QT63R", "QT67R"}, {"JE9"}},
        {{}, {"JE2"}},
    };
    return rules;
}

const Names kFixedFpsListModels = {"QT20", "QT10", "QT10S", "QT61R", "QT63R", "QT67R"};

void FillTranslated(TextList& list, TranslationTable& table, const Names& names) {
    list.clear();
    for (std::string_view name : names) list.push_back(table.Translate(name));
}

std::string RateKey(const TranslationTable& table, std::string_view model,
                    std::string_view standard, std::string_view channels,
                    std::string_view resolution) {
    std::string key;
    FoldedKeyIndex::AppendField(key, table, model);
    FoldedKeyIndex::AppendField(key, table, standard);
    FoldedKeyIndex::AppendField(key, table, channels);
    FoldedKeyIndex::AppendField(key, table, resolution);
    return key;
}

TextList WithFps(std::initializer_list<int> rates) {
    TextList list;
    for (int rate : rates) list.push_back(FormatInt(rate) + "FPS");
    return list;
}

}  // namespace

void FillResolutionLists(std::string_view modelCode, TranslationTable& table,
                         TextList& resolutionList, TextList& ipResolutionList) {
    FillTranslated(ipResolutionList, table, EntriesFor(modelCode, IpResolutionRules()));
    FillTranslated(resolutionList, table, EntriesFor(modelCode, ResolutionRules()));
}

void FillQualityLists(std::string_view modelCode, TranslationTable& table, TextList& qualityList,
                      TextList& ipQualityList) {
    FillTranslated(qualityList, table, EntriesFor(modelCode, QualityRules()));
    FillTranslated(ipQualityList, table, EntriesFor(modelCode, IpQualityRules()));
}

void FillCameraList(std::string_view modelName, TextList& cameraList) {
    cameraList.clear();
    if (modelName.empty())
        return;
    for (std::string_view camera : EntriesFor(modelName, CameraRules()))
        cameraList.emplace_back(camera);
}

TextList ChannelCountItems(const TModel& model) {
    TextList items;
    if (model.Ch4)
        items.emplace_back("4");
    if (model.Ch8)
        items.emplace_back("8");
    if (model.Ch12)
        items.emplace_back("12");
    if (model.Ch16)
        items.emplace_back("16");
    return items;
}

void RateIndex::Build(const PRate& rates, const TranslationTable& table) {
    rates_ = &rates;
    table_ = &table;
    index_.Clear();
    index_.Reserve(rates.size());
    for (std::size_t i = 0; i < rates.size(); ++i) {
        const TRate& rate = rates[i];
        index_.Add(RateKey(table, rate.Model, rate.Standard, rate.Channels, rate.Resolution),
                   static_cast<uint32_t>(i));
    }
}

const TRate* RateIndex::Find(std::string_view model, std::string_view standard,
                             std::string_view resolution, std::string_view channelCount) const {
    if (rates_ == nullptr)
        return nullptr;
    assert(index_.Size() == rates_->size() && "rebuild after replacing the rates");
    const TranslationTable& table = *table_;
    const auto candidates = index_.Find(RateKey(table, model, standard, channelCount, resolution));
    if (candidates.empty())
        return nullptr;
    const std::string wantModel = table.ReverseTranslate(model);
    const std::string wantStandard = table.ReverseTranslate(standard);
    const std::string wantChannels = table.ReverseTranslate(channelCount);
    const std::string wantResolution = table.ReverseTranslate(resolution);
    for (uint32_t i : candidates) {
        const TRate& rate = (*rates_)[i];
        if (table.ReverseTranslate(rate.Model) == wantModel &&
            table.ReverseTranslate(rate.Standard) == wantStandard &&
            table.ReverseTranslate(rate.Channels) == wantChannels &&
            SameTextAscii(table.ReverseTranslate(rate.Resolution), wantResolution)) {
            return &rate;
        }
    }
    return nullptr;
}

TextList FpsEntriesForCeiling(std::string_view modelName, std::string_view maxFps) {
    const std::string ceiling = ReplaceAll(maxFps, "FPS", "");
    if (IsIn(modelName, kFixedFpsListModels)) {
        if (ceiling == "30")
            return WithFps({30, 15, 10, 8, 5, 4, 3, 2, 1});
        return WithFps({25, 12, 10, 8, 5, 4, 3, 2, 1});
    }
    const int32_t n = ParseIntDef(ceiling, 15);
    switch (n) {
        case 12:
            return WithFps({12, 6, 5, 4, 3, 2, 1});
        case 15:
            return WithFps({15, 10, 7, 6, 5, 4, 3, 2, 1});
        case 25:
            return WithFps({25, 12, 8, 6, 5, 4, 3, 2, 1});
        case 30:
            return WithFps({30, 15, 10, 7, 5, 4, 3, 2, 1});
        default: {
            // A corrupt ceiling such as 2147483647FPS must not build billions of entries.
            TextList list;
            for (int32_t rate = std::min(n, kMaxFpsCeiling); rate >= 1; --rate) {
                list.push_back(FormatInt(rate) + "FPS");
            }
            return list;
        }
    }
}

void FillFpsList(const RateIndex& rates, std::string_view modelName, std::string_view standard,
                 std::string_view resolution, std::string_view channelCount, TextList& fpsList) {
    fpsList.clear();
    const TRate* rate = rates.Find(modelName, standard, resolution, channelCount);
    if (rate != nullptr)
        fpsList = FpsEntriesForCeiling(modelName, rate->MaxFps);
}

}  // namespace tessavo
