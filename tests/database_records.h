// Test helpers: model databases compared field by field, as a workbook can carry them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "model/records.h"
#include "model/workbook_conversion.h"

namespace tessavo::testing {

inline auto RecordFields(const TModel& m) {
    return std::tie(m.Code, m.Name, m.Ch4, m.Ch8, m.Ch12, m.Ch16, m.Hybrid, m.FirstIpChannel);
}
inline auto RecordFields(const TQualitySize& q) {
    return std::tie(q.Model, q.Standard, q.Resolution, q.Quality, q.Camera, q.Flag, q.FrameSize);
}
inline auto RecordFields(const TRate& r) {
    return std::tie(r.Model, r.Standard, r.Channels, r.Resolution, r.MaxFps);
}
inline auto RecordFields(const THiSiliconData& h) {
    return std::tie(h.Model, h.Standard, h.Channels, h.Resolution, h.Quality, h.DataRates);
}

// The record as the INI holds it, for a readable failure.
inline std::string Describe(const TModel& m) {
    return ModelValue(m);
}
inline std::string Describe(const TQualitySize& q) {
    return QualityValue(q);
}
inline std::string Describe(const TRate& r) {
    return RateValue(r);
}
inline std::string Describe(const THiSiliconData& h) {
    return HiSiliconValue(h);
}

template <typename Records>
void ExpectSameRecords(const Records& actual, const Records& expected, const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_TRUE(RecordFields(actual[i]) == RecordFields(expected[i]))
            << what << " " << i << ": " << Describe(actual[i]) << " instead of "
            << Describe(expected[i]);
    }
}

// Compares `actual` with `sample` as it comes back from its workbook: column H says "N" for a
// model that is not hybrid, so such a model's first IP channel comes back 0 and nothing else
// may differ. Returns the codes of the models that took that exception.
inline std::vector<std::string> ExpectSameAsWorkbookCarries(const ModelDatabase& actual,
                                                            const ModelDatabase& sample) {
    PModel expectedModels = sample.Models;
    std::vector<std::string> excepted;
    for (TModel& m : expectedModels) {
        if (!m.Hybrid && m.FirstIpChannel != 0) {
            m.FirstIpChannel = 0;
            excepted.push_back(m.Code);
        }
    }
    ExpectSameRecords(actual.Models, expectedModels, "model");
    ExpectSameRecords(actual.QualitySizes, sample.QualitySizes, "frame size");
    ExpectSameRecords(actual.Rates, sample.Rates, "rate");
    ExpectSameRecords(actual.HiSilicon, sample.HiSilicon, "data rates");
    return excepted;
}

}  // namespace tessavo::testing
