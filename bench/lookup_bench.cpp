// Frame-rate lists and bitrate lookups as one grid rebuild of 16 channels asks them.
#include <benchmark/benchmark.h>

#include "bench/synthetic_database.h"
#include "channels/option_lists.h"
#include "estimate/bitrate_lookup.h"

namespace tessavo::bench {
namespace {

// Roughly the sample database: 23 models, a few thousand records, a short locale.
constexpr SyntheticSize kSmall{23, 2600, 900, 320, 80};
constexpr SyntheticSize kLarge{90, 20000, 5000, 2000, 1000};

void RunGridQuestions(benchmark::State& state, const SyntheticSize& size) {
    SyntheticData data = MakeSyntheticData(size, 42);
    RateIndex rates;
    rates.Build(data.database.Rates, data.table);
    BitrateIndex bitrates;
    bitrates.Build(data.database.QualitySizes, data.database.HiSilicon, data.fixedTables,
                   data.table);
    TextList fpsList;
    std::size_t answered = 0;
    for (auto _ : state) {
        for (const ChannelQuery& q : data.queries) {
            FillFpsList(rates, q.model, q.standard, q.resolution, q.channels, fpsList);
            answered += !fpsList.empty();
            const BitrateContext context{&bitrates, q.channels, 1.31};
            std::string rate = LookupBitrate(context, q.model, q.standard, q.resolution, q.quality,
                                             q.fps, q.camera);
            answered += rate != "0";
            benchmark::DoNotOptimize(rate);
        }
    }
    state.counters["answered_per_pass"] =
        static_cast<double>(answered) / static_cast<double>(state.iterations());
}

void BM_GridQuestionsSmall(benchmark::State& state) {
    RunGridQuestions(state, kSmall);
}
void BM_GridQuestionsLarge(benchmark::State& state) {
    RunGridQuestions(state, kLarge);
}
BENCHMARK(BM_GridQuestionsSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridQuestionsLarge)->Unit(benchmark::kMicrosecond);

// Building the indexes once after loading.
void BM_BuildIndexesLarge(benchmark::State& state) {
    SyntheticData data = MakeSyntheticData(kLarge, 42);
    for (auto _ : state) {
        RateIndex rates;
        rates.Build(data.database.Rates, data.table);
        BitrateIndex bitrates;
        bitrates.Build(data.database.QualitySizes, data.database.HiSilicon, data.fixedTables,
                       data.table);
        benchmark::DoNotOptimize(bitrates);
    }
}
BENCHMARK(BM_BuildIndexesLarge)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessavo::bench

BENCHMARK_MAIN();
