// The data rate of one channel setting on the selected model, from the HIS records, the built-in
// tables or the QUAL records. Window-free: the window passes its state in.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "localisation/U_MultiLanguage.h"
#include "model/fixed_tables.h"
#include "model/record_index.h"
#include "model/records.h"

namespace tessavo {

// The complexity model: HIS records, answers in bytes per second.
bool IsComplexityModel(std::string_view modelName);
// Models served by a built-in table, answers in kilobits per second. Every other model reads
// QUAL records and answers in kilobytes per second.
bool IsFixedTableModel(std::string_view modelCode);

// Finds records and table rows for a lookup without scanning: every text comparison passes both
// sides through reverse translate and then compares exactly; the index only narrows the search
// to the records whose texts agree but for ASCII case (see FoldedKeyIndex), which are then
// checked afresh in stored order.
//
// Keeps pointers to the arrays, the tables and the translation table it was built from. Build()
// again whenever the record arrays are replaced (the workbook conversion does) or the table is
// reloaded; the table learning new texts needs no rebuild.
class BitrateIndex {
  public:
    void Build(const PQualitySize& qualitySizes, const PHisilcon& hiSilicon,
               const FixedTables& fixedTables, const TranslationTable& table);

    // First QUAL record in stored order; an empty camera type accepts any record's camera.
    const TQualitySize* FindQualitySize(std::string_view model, std::string_view standard,
                                        std::string_view resolution, std::string_view quality,
                                        std::string_view cameraType) const;
    // First HIS record in stored order whose reverse-translated Channels equals `channelCount`
    // exactly (the drop-down text, itself not translated).
    const THiSiliconData* FindHiSilicon(std::string_view model, std::string_view standard,
                                        std::string_view resolution, std::string_view quality,
                                        std::string_view channelCount) const;

    enum class Table { VR70, VR60, VR50, VR30 };
    // The rate of the LAST row of the table that counts (standard, resolution and fps match;
    // the model too for VR30), as if every row were examined with later rows overwriting
    // earlier ones; `found` false when no row counts or the quality names none of the five.
    double FixedRate(Table which, std::string_view model, std::string_view standard,
                     std::string_view resolution, std::string_view quality, int32_t fps,
                     bool& found) const;

    const TranslationTable* Translations() const { return table_; }

  private:
    struct FixedIndex {
        std::span<const TFixedData> rows;
        FoldedKeyIndex index;
    };

    const PQualitySize* qualitySizes_ = nullptr;
    const PHisilcon* hiSilicon_ = nullptr;
    const TranslationTable* table_ = nullptr;
    FoldedKeyIndex qualityIndex_;
    FoldedKeyIndex hiSiliconIndex_;
    std::array<FixedIndex, 4> fixed_;
};

// What a lookup needs besides the row's own texts.
struct BitrateContext {
    const BitrateIndex* index = nullptr;
    // Current text of the channel-count drop-down; read for the complexity model only.
    std::string_view channelCount;
    // FComplexityFactor; multiplies HIS rates only.
    double complexityFactor = 1.0;
};

// The rate of one channel in the unit of the model's family, as general-format text; "0" when
// no record or row answers. Texts may be display texts. `fpsText` such as "15FPS" or "15".
std::string LookupBitrate(const BitrateContext& context, std::string_view modelCode,
                          std::string_view standard, std::string_view resolution,
                          std::string_view quality, std::string_view fpsText,
                          std::string_view cameraType);

// Multiplier of fps x FrameSize for the QT61R family; 1.0 where it has no entry.
double FrameRateCorrection(int32_t fps);

}  // namespace tessavo
