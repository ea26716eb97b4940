// The bundled sample database: reproducible by its generator, well formed, and covering every
// option the window can offer, with values that follow the documented bitrate rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/numbers.h"
#include "tools/sample_db/sample_db.h"

namespace tessavo {
namespace {

const NumberSeparators kFileSeparators{'.', ','};

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string SamplePath() {
    return std::string(TESSAVO_SAMPLE_DATA) + "/HddInfo.ini";
}

TEST(SampleDatabase, CheckedInFileIsWhatTheGeneratorWrites) {
    const std::string out = testing::TempDir() + "tessavo_sample_db_regenerated.ini";
    ASSERT_TRUE(sampledb::WriteSampleDatabase(out));
    const std::string regenerated = ReadBytes(out);
    std::filesystem::remove(out);
    const std::string checkedIn = ReadBytes(SamplePath());
    ASSERT_FALSE(checkedIn.empty()) << SamplePath();

    const std::vector<std::string> want = SplitLines(regenerated);
    const std::vector<std::string> have = SplitLines(checkedIn);
    for (std::size_t i = 0; i < std::min(want.size(), have.size()); ++i) {
        ASSERT_EQ(have[i], want[i])
            << "first difference at line " << i + 1 << "; rebuild the target update-sample-db";
    }
    EXPECT_EQ(have.size(), want.size());
    EXPECT_TRUE(checkedIn == regenerated) << "line ends or the final line break differ";
}

TEST(SampleDatabase, WriterReportsAnUnwritablePath) {
    EXPECT_FALSE(sampledb::WriteSampleDatabase(testing::TempDir() + "no_such_dir/x/HddInfo.ini"));
}

// --- The checked-in file, read with plain string handling -----------------------------------

using Fields = std::vector<std::string>;

struct ParsedFile {
    std::vector<std::string> problems;
    std::map<std::string, std::vector<Fields>> records;  // section name -> records in key order
};

// Splits a value the writer produced: every field ends with "|".
bool SplitRecord(const std::string& value, Fields& fields) {
    fields.clear();
    if (value.empty() || value.back() != '|')
        return false;
    std::size_t start = 0;
    while (start < value.size()) {
        const std::size_t bar = value.find('|', start);
        fields.push_back(value.substr(start, bar - start));
        start = bar + 1;
    }
    return true;
}

ParsedFile ParseSampleFile(const std::string& text) {
    ParsedFile parsed;
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::string current;
    int lineNo = 0;
    for (const std::string& line : SplitLines(text)) {
        ++lineNo;
        const std::string where = "line " + std::to_string(lineNo) + ": ";
        for (char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
                parsed.problems.push_back(where + "a byte outside printable ASCII");
                break;
            }
        }
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            if (sections.count(current))
                parsed.problems.push_back(where + "section repeated: " + current);
            sections[current];
            continue;
        }
        if (current.empty()) {
            if (line.empty() || line.front() != ';' || line.find('=') != std::string::npos)
                parsed.problems.push_back(where + "before the first section, not a comment");
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0) {
            parsed.problems.push_back(where + "not key=value");
            continue;
        }
        const std::string key = line.substr(0, eq);
        if (!sections[current].emplace(key, line.substr(eq + 1)).second)
            parsed.problems.push_back(where + "key repeated: " + key);
    }

    const std::map<std::string, std::size_t> fieldCounts = {
        {"MODEL", 8}, {"QUAL", 7}, {"RATE", 5}, {"HIS", 15}};
    for (const auto& [name, count] : fieldCounts) {
        if (!sections.count(name)) {
            parsed.problems.push_back("section missing: " + name);
            continue;
        }
        const auto& keys = sections[name];
        int32_t cnt = -1;
        if (!keys.count("CNT") || !TryParseInt(keys.at("CNT"), cnt) || cnt < 0) {
            parsed.problems.push_back(name + ": no usable CNT");
            continue;
        }
        if (keys.size() != static_cast<std::size_t>(cnt) + 1)
            parsed.problems.push_back(name + ": keys other than CNT and 0..CNT-1");
        std::vector<Fields>& records = parsed.records[name];
        for (int32_t i = 0; i < cnt; ++i) {
            const std::string key = std::to_string(i);
            Fields fields;
            if (!keys.count(key)) {
                parsed.problems.push_back(name + " " + key + ": missing");
            } else if (!SplitRecord(keys.at(key), fields) || fields.size() != count) {
                parsed.problems.push_back(name + " " + key + ": not " + std::to_string(count) +
                                          " fields each ended by |");
                fields.clear();
            }
            records.push_back(fields);
        }
    }
    for (const auto& [name, keys] : sections) {
        if (!fieldCounts.count(name))
            parsed.problems.push_back("unknown section: " + name);
    }
    return parsed;
}

std::string Join(const Fields& parts) {
    std::string out;
    for (const std::string& p : parts) out += p + "|";
    return out;
}

// The option lists as the window builds them; a rule without codes is the one for any other code.
struct ListRule {
    std::set<std::string> codes;
    std::vector<std::string> entries;
};

const std::vector<ListRule> kIpResolutionRules = {
    {{"QT61R", "QT63R", "QT67R"}, {"4M", "3M", "1080P", "SXGA", "720P", "D1", "CIF"}},
    {{"QT20", "QT10", "QT10S", "QT00S"}, {"1080P", "SXGA", "720P", "D1", "CIF"}},
    {{"QT90", "QT5240"}, {"1080P", "720P", "D1", "CIF"}},
    {{}, {"1080P", "720P"}},
};

const std::vector<ListRule> kAnalogResolutionRules = {
    {{"KM20", "KM10"}, {"960H", "D1", "HALF_D1", "CIF"}},
    {{"VR30", "VR40"}, {"720P", "960H", "D1", "HALF_D1", "CIF"}},
    {{"VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60"},
     {"1080P", "720P", "960H", "D1", "HALF_D1", "CIF"}},
    {{"VR70"}, {"4M", "1080P", "720P", "960H", "D1", "HALF_D1", "CIF"}},
    {{"ZB30"}, {"960H", "D1", "CIF"}},
    {{}, {"D1", "HALF_D1", "CIF"}},
};

const std::vector<ListRule> kCameraRules = {
    {{"QT90"}, {"JE2", "ANALOG"}},
    {{"QT61R", "QT63R", "QT67R"}, {"JE9"}},
    {{}, {"JE2"}},
};

const std::vector<std::string> kQualities = {"ULTRA", "SUPER", "HIGH", "MID", "LOW"};
const std::vector<std::string> kStandards = {"NTSC", "PAL"};
const std::set<std::string> kFixedTableModels = {"VR30",   "VR50",    "VR7310", "VR7320",
                                                 "VR7330", "VR7320S", "VR60",   "VR70"};
const std::set<std::string> kFullRateListModels = {"QT20",  "QT10",  "QT10S",
                                                   "QT61R", "QT63R", "QT67R"};

std::vector<std::string> ListFor(const std::vector<ListRule>& rules, const std::string& code) {
    for (const ListRule& rule : rules) {
        if (rule.codes.empty() || rule.codes.count(code))
            return rule.entries;
    }
    return {};
}

std::set<std::string> ResolutionsOf(const std::string& code) {
    std::set<std::string> all;
    for (const std::string& r : ListFor(kAnalogResolutionRules, code)) all.insert(r);
    for (const std::string& r : ListFor(kIpResolutionRules, code)) all.insert(r);
    return all;
}

struct ModelInfo {
    std::string code;
    std::vector<std::string> channelCounts;
    bool hybrid = false;
    int32_t firstIp = 0;
};

// Camera types a lookup can be asked for on this model's channels.
std::set<std::string> CamerasOf(const ModelInfo& m) {
    if (!m.hybrid)
        return {"ANALOG"};
    std::set<std::string> cameras;
    const int maxChannels = std::stoi(m.channelCounts.back());
    if (m.firstIp == 0 || m.firstIp > 1)
        cameras.insert("ANALOG");
    if (m.firstIp != 0 && m.firstIp <= maxChannels) {
        for (const std::string& c : ListFor(kCameraRules, m.code)) cameras.insert(c);
    }
    return cameras;
}

double Pixels(const std::string& resolution) {
    static const std::map<std::string, double> pixels = {
        {"4M", 2560.0 * 1440},   {"3M", 2048.0 * 1536},    {"1080P", 1920.0 * 1080},
        {"SXGA", 1280.0 * 1024}, {"720P", 1280.0 * 720},   {"960H", 960.0 * 480},
        {"D1", 720.0 * 480},     {"HALF_D1", 720.0 * 240}, {"CIF", 360.0 * 240},
    };
    return pixels.at(resolution);
}

double RuleKbits(const std::string& resolution, const std::string& quality) {
    static const std::map<std::string, double> factor = {
        {"ULTRA", 1.6}, {"SUPER", 1.3}, {"HIGH", 1.0}, {"MID", 0.7}, {"LOW", 0.4}};
    return 2000 * std::sqrt(Pixels(resolution) / Pixels("D1")) * factor.at(quality);
}

// A number as the writer writes it: parses with '.', and formatting it again gives the same text.
bool ReadWrittenNumber(const std::string& text, double& value) {
    return TryParseFloat(text, value, kFileSeparators) &&
           FormatGeneral(value, kFileSeparators) == text;
}

class SampleDatabaseFile : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        parsed_ = new ParsedFile(ParseSampleFile(ReadBytes(SamplePath())));
        models_ = new std::vector<ModelInfo>;
        for (const Fields& f : parsed_->records["MODEL"]) {
            if (f.empty())
                continue;
            ModelInfo m;
            m.code = f[0];
            const char* counts[] = {"4", "8", "12", "16"};
            for (int i = 0; i < 4; ++i) {
                if (f[2 + i] == "Y")
                    m.channelCounts.push_back(counts[i]);
            }
            m.hybrid = f[6] != "N";
            m.firstIp = ParseIntDef(f[7], -1);
            models_->push_back(m);
        }
    }
    static void TearDownTestSuite() {
        delete parsed_;
        delete models_;
        parsed_ = nullptr;
        models_ = nullptr;
    }
    const std::vector<Fields>& Records(const std::string& section) {
        return parsed_->records[section];
    }
    static ParsedFile* parsed_;
    static std::vector<ModelInfo>* models_;
};

ParsedFile* SampleDatabaseFile::parsed_ = nullptr;
std::vector<ModelInfo>* SampleDatabaseFile::models_ = nullptr;

TEST_F(SampleDatabaseFile, IsWellFormed) {
    for (const std::string& problem : parsed_->problems) ADD_FAILURE() << problem;
    EXPECT_FALSE(Records("QUAL").empty());
    EXPECT_FALSE(Records("RATE").empty());
    EXPECT_FALSE(Records("HIS").empty());
}

TEST_F(SampleDatabaseFile, NamesEveryModelCodeOnceWithUsableSettings) {
    const std::set<std::string> expected = {
        "QT61R",  "QT63R",   "QT67R", "QT20", "QT10", "QT10S", "QT00S",  "QT90",
        "QT5240", "KM20",    "KM10",  "VR40", "VR30", "VR50",  "VR7310", "VR7320",
        "VR7330", "VR7320S", "VR60",  "VR70", "ZB30", "ZN50",  "ZW6+"};
    std::multiset<std::string> seen;
    for (const Fields& f : Records("MODEL")) {
        ASSERT_FALSE(f.empty());
        seen.insert(f[0]);
        EXPECT_FALSE(f[1].empty()) << f[0];
        for (int i = 2; i <= 6; ++i) EXPECT_TRUE(f[i] == "Y" || f[i] == "N") << Join(f);
        int32_t firstIp = -1;
        EXPECT_TRUE(TryParseInt(f[7], firstIp) && f[7] == FormatInt(firstIp)) << Join(f);
        EXPECT_GE(firstIp, 0) << Join(f);
    }
    EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()), expected);
    EXPECT_EQ(seen.size(), expected.size()) << "a code appears twice";

    for (const ModelInfo& m : *models_) {
        EXPECT_FALSE(m.channelCounts.empty()) << m.code;
        if (m.hybrid && !m.channelCounts.empty()) {
            EXPECT_LE(m.firstIp, std::stoi(m.channelCounts.back()))
                << m.code << ": a hybrid model whose IP channels never show";
        }
    }

    // The window starts on the first model: it should be an ordinary one.
    ASSERT_FALSE(models_->empty());
    EXPECT_FALSE(models_->front().hybrid);
    EXPECT_EQ(models_->front().firstIp, 0);

    auto any = [&](auto pred) { return std::any_of(models_->begin(), models_->end(), pred); };
    EXPECT_TRUE(any([](const ModelInfo& m) { return m.hybrid && m.firstIp == 1; }));
    EXPECT_TRUE(any([](const ModelInfo& m) { return m.hybrid && m.firstIp > 1; }));
    EXPECT_TRUE(any([](const ModelInfo& m) { return !m.hybrid && m.firstIp > 0; }));
    EXPECT_TRUE(any([](const ModelInfo& m) {
        return m.channelCounts == std::vector<std::string>{"8", "16"};
    }));
}

TEST_F(SampleDatabaseFile, HasOneUsableRateForEveryFrameRateListTheWindowAsksFor) {
    std::map<std::string, const Fields*> byKey;
    for (const Fields& f : Records("RATE")) {
        ASSERT_FALSE(f.empty());
        EXPECT_TRUE(byKey.emplace(Join({f[0], f[1], f[2], f[3]}), &f).second)
            << "repeated (only the first counts): " << Join(f);
    }
    std::size_t needed = 0;
    for (const ModelInfo& m : *models_) {
        for (const std::string& standard : kStandards) {
            const int fullRate = standard == "NTSC" ? 30 : 25;
            for (const std::string& channels : m.channelCounts) {
                for (const std::string& res : ResolutionsOf(m.code)) {
                    ++needed;
                    const std::string key = Join({m.code, standard, channels, res});
                    auto it = byKey.find(key);
                    if (it == byKey.end()) {
                        ADD_FAILURE() << "no RATE record for " << key;
                        continue;
                    }
                    const std::string& maxFps = (*it->second)[4];
                    int32_t ceiling = 0;
                    ASSERT_TRUE(maxFps.size() > 3 && maxFps.ends_with("FPS") &&
                                TryParseInt(maxFps.substr(0, maxFps.size() - 3), ceiling))
                        << key << maxFps;
                    EXPECT_GE(ceiling, 2) << key << maxFps;
                    EXPECT_LE(ceiling, fullRate) << key << maxFps;
                    if (kFullRateListModels.count(m.code)) {
                        EXPECT_EQ(ceiling, fullRate) << key << maxFps;
                    }
                }
            }
        }
    }
    EXPECT_EQ(byKey.size(), needed) << "RATE records that no model or channel count asks for";
}

TEST_F(SampleDatabaseFile, HasAFrameSizeForEveryQualBasedSetting) {
    std::map<std::string, const Fields*> byKey;
    for (const Fields& f : Records("QUAL")) {
        ASSERT_FALSE(f.empty());
        EXPECT_TRUE(byKey.emplace(Join({f[0], f[1], f[2], f[3], f[4]}), &f).second)
            << "repeated: " << Join(f);
    }
    std::size_t needed = 0;
    for (const ModelInfo& m : *models_) {
        if (m.code == "ZN50" || kFixedTableModels.count(m.code))
            continue;
        for (const std::string& standard : kStandards) {
            for (const std::string& res : ResolutionsOf(m.code)) {
                for (const std::string& quality : kQualities) {
                    for (const std::string& camera : CamerasOf(m)) {
                        ++needed;
                        const std::string key = Join({m.code, standard, res, quality, camera});
                        auto it = byKey.find(key);
                        if (it == byKey.end()) {
                            ADD_FAILURE() << "no QUAL record for " << key;
                            continue;
                        }
                        const Fields& f = *it->second;
                        double size = 0;
                        EXPECT_TRUE(ReadWrittenNumber(f[5], size) && size > 0) << Join(f);
                        EXPECT_EQ(f[6], "Y") << Join(f);
                    }
                }
            }
        }
    }
    EXPECT_EQ(byKey.size(), needed) << "QUAL records that no lookup can reach";
}

TEST_F(SampleDatabaseFile, HasDataRatesForEveryComplexityModelSetting) {
    std::map<std::string, const Fields*> byKey;
    for (const Fields& f : Records("HIS")) {
        ASSERT_FALSE(f.empty());
        EXPECT_TRUE(byKey.emplace(Join({f[0], f[1], f[2], f[3], f[4]}), &f).second)
            << "repeated: " << Join(f);
    }
    const auto zn50 = std::find_if(models_->begin(), models_->end(),
                                   [](const ModelInfo& m) { return m.code == "ZN50"; });
    ASSERT_NE(zn50, models_->end());
    std::size_t needed = 0;
    for (const std::string& standard : kStandards) {
        for (const std::string& channels : zn50->channelCounts) {
            for (const std::string& res : ResolutionsOf("ZN50")) {
                for (const std::string& quality : kQualities) {
                    ++needed;
                    const std::string key = Join({"ZN50", standard, channels, res, quality});
                    auto it = byKey.find(key);
                    if (it == byKey.end()) {
                        ADD_FAILURE() << "no HIS record for " << key;
                        continue;
                    }
                    double previous = 0;
                    for (int i = 5; i < 15; ++i) {
                        double rate = 0;
                        EXPECT_TRUE(ReadWrittenNumber((*it->second)[i], rate)) << key << i;
                        EXPECT_GT(rate, previous) << key << " rates must rise with the frame rate";
                        previous = rate;
                    }
                }
            }
        }
    }
    EXPECT_EQ(byKey.size(), needed) << "HIS records that no lookup can reach";
}

TEST_F(SampleDatabaseFile, ValuesFollowTheBitrateRule) {
    // A full-rate channel writes the rule's bitrate; the file rounds to a thousandth of a kilobyte.
    for (const Fields& f : Records("QUAL")) {
        ASSERT_FALSE(f.empty());
        const double fullRate = f[1] == "PAL" ? 25 : 30;
        const double size = ParseFloatDef(f[5], 0, kFileSeparators);
        EXPECT_NEAR(size, RuleKbits(f[2], f[3]) / 8 / fullRate, 0.0005 + 1e-9) << Join(f);
    }
    // Bytes per second, rounded to whole bytes, with the built-in tables' NTSC frame-rate factor.
    const int frameRates[10] = {1, 2, 3, 4, 5, 6, 7, 10, 15, 30};
    const double factor[10] = {4 / 45.0,   5 / 45.0,   6 / 45.0,   7 / 45.0,    8 / 45.0,
                               48 / 225.0, 56 / 225.0, 80 / 225.0, 120 / 225.0, 1.0};
    for (const Fields& f : Records("HIS")) {
        ASSERT_FALSE(f.empty());
        for (int i = 0; i < 10; ++i) {
            const double rate = ParseFloatDef(f[5 + i], 0, kFileSeparators);
            EXPECT_NEAR(rate, RuleKbits(f[3], f[4]) * factor[i] * 1000 / 8, 0.5 + 1e-9)
                << Join(f) << " at " << frameRates[i] << " fps";
        }
    }
}

}  // namespace
}  // namespace tessavo
