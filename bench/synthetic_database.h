// Synthetic model databases and locale tables of a chosen size, built in memory for benchmarks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "localisation/U_MultiLanguage.h"
#include "model/fixed_tables.h"
#include "model/records.h"

namespace tessavo::bench {

struct SyntheticSize {
    std::size_t models;
    std::size_t qualitySizes;
    std::size_t rates;
    std::size_t hiSilicon;
    std::size_t localeEntries;
};

// One channel question as the grid would ask it, in display texts.
struct ChannelQuery {
    std::string model;
    std::string standard;
    std::string resolution;
    std::string quality;
    std::string fps;
    std::string camera;
    std::string channels;
};

struct SyntheticData {
    TranslationTable table;
    ModelDatabase database;
    FixedTables fixedTables;
    // Questions spread over the families: QUAL models, ZN50, table models, QT61R family.
    std::vector<ChannelQuery> queries;
};

// Records hold translated texts, as the loader leaves them.
SyntheticData MakeSyntheticData(const SyntheticSize& size, unsigned seed);

}  // namespace tessavo::bench
