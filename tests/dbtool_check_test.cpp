// The database check: what the window offers but the records cannot answer, and malformed keys.
#include "database_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "model/workbook_conversion.h"
#include "platform/numbers.h"

namespace tessavo {
namespace {

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

TEST(DatabaseCheck, SampleDatabaseLeavesNothingUnanswered) {
    const DatabaseCheck check =
        CheckDatabase(ProfileIni::FromFile(TESSAVO_SAMPLE_DATA "/HddInfo.ini"));
    EXPECT_GT(check.models, 0u);
    EXPECT_TRUE(check.missing.empty()) << Join(check.missing);
    EXPECT_TRUE(check.malformed.empty()) << Join(check.malformed);
}

// Every combination the window offers for three models, one of each family: QT20 (QUAL
// records, hybrid, IP channels from 3 of 4), ZN50 (HIS records, 8 channels) and VR50 (built-in
// table: RATE records only).
ModelDatabase CompleteDatabase() {
    ModelDatabase db;
    db.Models = {{"QT20", "QT20", true, false, false, false, true, 3},
                 {"ZN50", "ZN50", false, true, false, false, false, 0},
                 {"VR50", "VR50", true, false, false, false, false, 0}};
    const std::vector<std::string> all = {"ULTRA", "SUPER", "HIGH", "MID", "LOW"};
    const std::vector<std::string> otherAnalog = {"D1", "HALF_D1", "CIF"};
    const std::vector<std::string> qt20Ip = {"1080P", "SXGA", "720P", "D1", "CIF"};
    for (const char* standard : {"NTSC", "PAL"}) {
        for (const std::string& r : otherAnalog) {
            db.Rates.push_back({"QT20", standard, "4", r, "30FPS"});
            db.Rates.push_back({"ZN50", standard, "8", r, "30FPS"});
            for (const std::string& q : all) {
                db.QualitySizes.push_back({"QT20", standard, r, q, "ANALOG", true, 10});
                db.HiSilicon.push_back(
                    {"ZN50", standard, "8", r, q, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}});
            }
        }
        for (const std::string& r : qt20Ip) {
            if (r != "D1" && r != "CIF")
                db.Rates.push_back({"QT20", standard, "4", r, "30FPS"});
            for (const std::string& q : all)
                db.QualitySizes.push_back({"QT20", standard, r, q, "JE2", true, 20});
        }
        for (const char* r : {"1080P", "720P", "960H", "D1", "HALF_D1", "CIF"})
            db.Rates.push_back({"VR50", standard, "4", r, "30FPS"});
    }
    return db;
}

ProfileIni IniOf(const ModelDatabase& db) {
    ProfileIni ini = ProfileIni::FromBytes("");
    auto section = [&](const char* name, const auto& records, auto&& valueOf) {
        for (std::size_t i = 0; i < records.size(); ++i)
            ini.SetString(name, FormatInt(static_cast<int64_t>(i)), valueOf(records[i]));
        ini.SetString(name, "CNT", FormatInt(static_cast<int64_t>(records.size())));
    };
    section("MODEL", db.Models, ModelValue);
    section("QUAL", db.QualitySizes, QualityValue);
    section("RATE", db.Rates, RateValue);
    section("HIS", db.HiSilicon, HiSiliconValue);
    return ini;
}

template <typename Records, typename Pred>
void EraseOne(Records& records, Pred pred) {
    const auto it = std::find_if(records.begin(), records.end(), pred);
    ASSERT_NE(it, records.end());
    records.erase(it);
}

TEST(DatabaseCheck, ReportsEachCombinationThatLostItsRecord) {
    const DatabaseCheck complete = CheckDatabase(IniOf(CompleteDatabase()));
    EXPECT_EQ(complete.models, 3u);
    ASSERT_TRUE(complete.Clean()) << Join(complete.missing) << Join(complete.malformed);

    struct Case {
        const char* name;
        std::function<void(ModelDatabase&)> damage;
        std::vector<std::string> missing;
    } cases[] = {
        {"IP frame size",
         [](ModelDatabase& db) {
             EraseOne(db.QualitySizes, [](const TQualitySize& q) {
                 return q.Standard == "PAL" && q.Resolution == "SXGA" && q.Quality == "HIGH";
             });
         },
         {"QT20: no QUAL record for PAL, SXGA, HIGH, camera JE2 (rate 0)"}},
        {"analog frame size for another camera",
         [](ModelDatabase& db) {
             for (TQualitySize& q : db.QualitySizes) {
                 if (q.Standard == "NTSC" && q.Resolution == "HALF_D1" && q.Quality == "MID")
                     q.Camera = "JE2";
             }
         },
         {"QT20: no QUAL record for NTSC, HALF_D1, MID, camera ANALOG (rate 0)"}},
        {"table model frame rate",
         [](ModelDatabase& db) {
             EraseOne(db.Rates, [](const TRate& r) {
                 return r.Model == "VR50" && r.Standard == "NTSC" && r.Resolution == "960H";
             });
         },
         {"VR50: no RATE record for NTSC, 4 channels, 960H (empty frame-rate list)"}},
        {"frame rate for another channel count",
         [](ModelDatabase& db) {
             for (TRate& r : db.Rates) {
                 if (r.Model == "QT20" && r.Standard == "PAL" && r.Resolution == "1080P")
                     r.Channels = "8";
             }
         },
         {"QT20: no RATE record for PAL, 4 channels, 1080P (empty frame-rate list)"}},
        {"data rates",
         [](ModelDatabase& db) {
             EraseOne(db.HiSilicon, [](const THiSiliconData& h) {
                 return h.Standard == "PAL" && h.Resolution == "CIF" && h.Quality == "LOW";
             });
         },
         {"ZN50: no HIS record for PAL, 8 channels, CIF, LOW (rate 0)"}},
        {"a QUAL record the table model does not need",
         [](ModelDatabase& db) {
             db.QualitySizes.push_back({"VR50", "NTSC", "D1", "HIGH", "", false, 1});
         },
         {}},
        {"IP channels moved beyond the channel count",
         [](ModelDatabase& db) {
             db.Models[0].FirstIpChannel = 5;
             // only the analog lists remain in use: the IP-only resolutions may go
             std::erase_if(db.Rates, [](const TRate& r) { return r.Resolution == "SXGA"; });
         },
         {}},
    };
    for (const Case& c : cases) {
        ModelDatabase db = CompleteDatabase();
        c.damage(db);
        const DatabaseCheck check = CheckDatabase(IniOf(db));
        EXPECT_EQ(check.missing, c.missing) << c.name;
        EXPECT_TRUE(check.malformed.empty()) << c.name << "\n" << Join(check.malformed);
    }
}

TEST(DatabaseCheck, NamesMalformedRecordsByKey) {
    const DatabaseCheck check = CheckDatabase(
        ProfileIni::FromBytes("[MODEL]\nCNT=3\n0=A|B|y|Y|Y|Y|N|x|\n1=A|B|Y|\n"
                              "[QUAL]\nCNT=abc\n0=A|NTSC|D1|HIGH|ANALOG|1|Y|\n"
                              "[RATE]\n0=A|NTSC|4|D1|30FPS|\n"
                              "[HIS]\nCNT=2\n0=Z|NTSC|8|D1|LOW|1|2|3|4|5|6|7|8|9|1,5|\n"));
    const std::vector<std::string> expected = {
        "[MODEL] 0: field 2 \"y\" is neither Y nor N",
        "[MODEL] 0: field 7 \"x\" is not an integer (reads as 0)",
        "[MODEL] 1: 3 fields, needs at least 8",
        "[MODEL] 2: missing or empty",
        "[QUAL] CNT \"abc\" is not a count: no record is read",
        "[RATE] CNT missing: none of the records is read",
        "[HIS] 0: field 14 \"1,5\" is not a number (reads as 0)",
        "[HIS] 1: missing or empty",
    };
    EXPECT_EQ(check.malformed, expected) << Join(check.malformed);
    EXPECT_FALSE(check.Clean());
}

}  // namespace
}  // namespace tessavo
