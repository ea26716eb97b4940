// The data rate of one channel setting on the selected model, from the HIS records, the built-in
// tables or the QUAL records.
#include "estimate/bitrate_lookup.h"

#include <algorithm>
#include <cassert>
#include <initializer_list>

#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

namespace {

bool IsIn(std::string_view code, std::initializer_list<std::string_view> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string RecordKey(const TranslationTable& table, std::string_view model,
                      std::string_view standard, std::string_view resolution,
                      std::string_view quality) {
    std::string key;
    FoldedKeyIndex::AppendField(key, table, model);
    FoldedKeyIndex::AppendField(key, table, standard);
    FoldedKeyIndex::AppendField(key, table, resolution);
    FoldedKeyIndex::AppendField(key, table, quality);
    return key;
}

std::string FixedKey(const TranslationTable& table, std::string_view standard,
                     std::string_view resolution, int32_t fps) {
    std::string key;
    FoldedKeyIndex::AppendField(key, table, standard);
    FoldedKeyIndex::AppendField(key, table, resolution);
    FoldedKeyIndex::AppendPlainField(key, FormatInt(fps));
    return key;
}

// HIS records carry rates at 1..7, 10, 15 and 30 frames per second; -1 for any other rate.
int HiSiliconSlot(int32_t fps) {
    if (fps >= 1 && fps <= 7)
        return fps - 1;
    switch (fps) {
        case 10:
            return 7;
        case 15:
            return 8;
        case 30:
            return 9;
        default:
            return -1;
    }
}

const double* QualityField(const TFixedData& row, std::string_view quality) {
    if (quality == "LOW")
        return &row.Low;
    if (quality == "MID")
        return &row.Mid;
    if (quality == "HIGH")
        return &row.High;
    if (quality == "SUPER")
        return &row.Super;
    if (quality == "ULTRA")
        return &row.Ultra;
    return nullptr;
}

}  // namespace

bool IsComplexityModel(std::string_view modelName) {
    return modelName == "ZN50";
}

bool IsFixedTableModel(std::string_view modelCode) {
    return IsIn(modelCode,
                {"VR30", "VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60", "VR70"});
}

double FrameRateCorrection(int32_t fps) {
    switch (fps) {
        case 1:
            return 11.3;
        case 2:
            return 6.15;
        case 3:
            return 4.280045351;
        case 4:
            return 3.325660877;
        case 5:
            return 2.803952029;
        case 8:
            return 2.020070232;
        case 10:
            return 1.74617981;
        case 15:
            return 1.373710163;
        default:
            return 1.0;
    }
}

void BitrateIndex::Build(const PQualitySize& qualitySizes, const PHisilcon& hiSilicon,
                         const FixedTables& fixedTables, const TranslationTable& table) {
    qualitySizes_ = &qualitySizes;
    hiSilicon_ = &hiSilicon;
    table_ = &table;

    qualityIndex_.Clear();
    qualityIndex_.Reserve(qualitySizes.size());
    for (std::size_t i = 0; i < qualitySizes.size(); ++i) {
        const TQualitySize& r = qualitySizes[i];
        qualityIndex_.Add(RecordKey(table, r.Model, r.Standard, r.Resolution, r.Quality),
                          static_cast<uint32_t>(i));
    }

    hiSiliconIndex_.Clear();
    hiSiliconIndex_.Reserve(hiSilicon.size());
    for (std::size_t i = 0; i < hiSilicon.size(); ++i) {
        const THiSiliconData& r = hiSilicon[i];
        std::string key = RecordKey(table, r.Model, r.Standard, r.Resolution, r.Quality);
        FoldedKeyIndex::AppendField(key, table, r.Channels);
        hiSiliconIndex_.Add(std::move(key), static_cast<uint32_t>(i));
    }

    fixed_[static_cast<int>(Table::VR70)].rows = fixedTables.FFixedVR70;
    fixed_[static_cast<int>(Table::VR60)].rows = fixedTables.FFixedVR60;
    fixed_[static_cast<int>(Table::VR50)].rows = fixedTables.FFixedVR50;
    fixed_[static_cast<int>(Table::VR30)].rows = fixedTables.FFixedVR30;
    for (FixedIndex& fixed : fixed_) {
        fixed.index.Clear();
        for (std::size_t i = 0; i < fixed.rows.size(); ++i) {
            const TFixedData& row = fixed.rows[i];
            fixed.index.Add(FixedKey(table, row.Standard, row.Resolution, row.Fps),
                            static_cast<uint32_t>(i));
        }
    }
}

const TQualitySize* BitrateIndex::FindQualitySize(std::string_view model, std::string_view standard,
                                                  std::string_view resolution,
                                                  std::string_view quality,
                                                  std::string_view cameraType) const {
    if (qualitySizes_ == nullptr)
        return nullptr;
    assert(qualityIndex_.Size() == qualitySizes_->size() && "rebuild after replacing records");
    const TranslationTable& table = *table_;
    const auto candidates =
        qualityIndex_.Find(RecordKey(table, model, standard, resolution, quality));
    if (candidates.empty())
        return nullptr;
    const std::string wantModel = table.ReverseTranslate(model);
    const std::string wantStandard = table.ReverseTranslate(standard);
    const std::string wantResolution = table.ReverseTranslate(resolution);
    const std::string wantQuality = table.ReverseTranslate(quality);
    const bool anyCamera = cameraType.empty();
    const std::string wantCamera = anyCamera ? std::string() : table.ReverseTranslate(cameraType);
    for (uint32_t i : candidates) {
        const TQualitySize& r = (*qualitySizes_)[i];
        if (table.ReverseTranslate(r.Model) == wantModel &&
            table.ReverseTranslate(r.Standard) == wantStandard &&
            table.ReverseTranslate(r.Resolution) == wantResolution &&
            table.ReverseTranslate(r.Quality) == wantQuality &&
            (anyCamera || table.ReverseTranslate(r.Camera) == wantCamera)) {
            return &r;
        }
    }
    return nullptr;
}

const THiSiliconData* BitrateIndex::FindHiSilicon(std::string_view model, std::string_view standard,
                                                  std::string_view resolution,
                                                  std::string_view quality,
                                                  std::string_view channelCount) const {
    if (hiSilicon_ == nullptr)
        return nullptr;
    assert(hiSiliconIndex_.Size() == hiSilicon_->size() && "rebuild after replacing records");
    const TranslationTable& table = *table_;
    std::string key = RecordKey(table, model, standard, resolution, quality);
    FoldedKeyIndex::AppendPlainField(key, channelCount);
    const auto candidates = hiSiliconIndex_.Find(key);
    if (candidates.empty())
        return nullptr;
    const std::string wantModel = table.ReverseTranslate(model);
    const std::string wantStandard = table.ReverseTranslate(standard);
    const std::string wantResolution = table.ReverseTranslate(resolution);
    const std::string wantQuality = table.ReverseTranslate(quality);
    for (uint32_t i : candidates) {
        const THiSiliconData& r = (*hiSilicon_)[i];
        if (table.ReverseTranslate(r.Model) == wantModel &&
            table.ReverseTranslate(r.Standard) == wantStandard &&
            table.ReverseTranslate(r.Resolution) == wantResolution &&
            table.ReverseTranslate(r.Quality) == wantQuality &&
            table.ReverseTranslate(r.Channels) == channelCount) {
            return &r;
        }
    }
    return nullptr;
}

double BitrateIndex::FixedRate(Table which, std::string_view model, std::string_view standard,
                               std::string_view resolution, std::string_view quality, int32_t fps,
                               bool& found) const {
    found = false;
    if (table_ == nullptr)
        return 0;
    const TranslationTable& table = *table_;
    const std::string upperQuality = AsciiUpper(table.ReverseTranslate(quality));
    const FixedIndex& fixed = fixed_[static_cast<int>(which)];
    const auto candidates = fixed.index.Find(FixedKey(table, standard, resolution, fps));
    if (candidates.empty())
        return 0;
    const bool checkModel = which == Table::VR30;
    const std::string wantModel = checkModel ? table.ReverseTranslate(model) : std::string();
    const std::string wantStandard = table.ReverseTranslate(standard);
    const std::string wantResolution = table.ReverseTranslate(resolution);
    double rate = 0;
    // Rows outside the candidates cannot count, so the last counting candidate is the last
    // counting row of the whole table.
    for (uint32_t i : candidates) {
        const TFixedData& row = fixed.rows[i];
        if (row.Fps != fps || table.ReverseTranslate(row.Standard) != wantStandard ||
            table.ReverseTranslate(row.Resolution) != wantResolution ||
            (checkModel && table.ReverseTranslate(row.Model) != wantModel)) {
            continue;
        }
        if (const double* field = QualityField(row, upperQuality)) {
            rate = *field;
            found = true;
        }
    }
    return rate;
}

std::string LookupBitrate(const BitrateContext& context, std::string_view modelCode,
                          std::string_view standard, std::string_view resolution,
                          std::string_view quality, std::string_view fpsText,
                          std::string_view cameraType) {
    const BitrateIndex* index = context.index;
    if (index == nullptr || index->Translations() == nullptr)
        return "0";
    const TranslationTable& table = *index->Translations();
    const int32_t fps = ParseIntDef(ReplaceAll(table.ReverseTranslate(fpsText), "FPS", ""), 0);

    if (IsComplexityModel(modelCode)) {
        const int slot = HiSiliconSlot(fps);
        if (slot < 0)
            return "0";
        const THiSiliconData* record =
            index->FindHiSilicon(modelCode, standard, resolution, quality, context.channelCount);
        if (record == nullptr)
            return "0";
        return FormatGeneral(record->DataRates[static_cast<std::size_t>(slot)] *
                             context.complexityFactor);
    }

    using Table = BitrateIndex::Table;
    bool fixedModel = true;
    Table which = Table::VR50;
    if (IsIn(modelCode, {"VR50", "VR7310", "VR7320", "VR7330", "VR7320S"})) {
        which = Table::VR50;
    } else if (modelCode == "VR60") {
        which = Table::VR60;
    } else if (modelCode == "VR70") {
        which = Table::VR70;
    } else if (modelCode == "VR30") {
        which = Table::VR30;
    } else {
        fixedModel = false;
    }
    if (fixedModel) {
        bool found = false;
        const double rate =
            index->FixedRate(which, modelCode, standard, resolution, quality, fps, found);
        return found ? FormatGeneral(rate) : "0";
    }

    const TQualitySize* record =
        index->FindQualitySize(modelCode, standard, resolution, quality, cameraType);
    if (record == nullptr)
        return "0";
    if (IsIn(modelCode, {"QT61R", "QT63R", "QT67R"}))
        return FormatGeneral(fps * record->FrameSize * FrameRateCorrection(fps));
    if (modelCode == "ZB30") {
        // Extended precision for 2/3, as the figures were first worked out; only the product is
        // rounded to double.
        constexpr long double kTwoThirds = 2.0L / 3.0L;
        const long double frames = static_cast<long double>(fps) * kTwoThirds + 10.0L;
        return FormatGeneral(static_cast<double>(frames * record->FrameSize));
    }
    return FormatGeneral(fps * record->FrameSize);
}

}  // namespace tessavo
