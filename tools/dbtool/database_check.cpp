// Checks a model database for what the window would offer but the database cannot answer.
#include "database_check.h"

#include <set>
#include <string_view>

#include "channels/channel_rules.h"
#include "channels/option_lists.h"
#include "estimate/bitrate_lookup.h"
#include "model/fixed_tables.h"
#include "model/ini_loader.h"
#include "platform/numbers.h"

namespace tessavo {

namespace {

struct SectionRule {
    const char* name;
    std::size_t minFields;
    bool exact;
    std::vector<std::size_t> yesNoFields;
    std::vector<std::size_t> integerFields;
    std::vector<std::size_t> numberFields;
};

const std::vector<SectionRule>& SectionRules() {
    static const std::vector<SectionRule> rules = {
        {"MODEL", 8, false, {2, 3, 4, 5, 6}, {7}, {}},
        {"QUAL", 7, false, {6}, {}, {5}},
        {"RATE", 5, false, {}, {}, {}},
        {"HIS", 15, true, {}, {}, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    };
    return rules;
}

void CheckSection(const ProfileIni& ini, const SectionRule& rule, std::vector<std::string>& out) {
    const std::string where = std::string("[") + rule.name + "] ";
    constexpr std::string_view kAbsent = "\x01";
    const std::string cntText = ini.GetString(rule.name, "CNT", kAbsent);
    int32_t count = 0;
    if (cntText == kAbsent) {
        if (!ini.GetString(rule.name, "0", "").empty())
            out.push_back(where + "CNT missing: none of the records is read");
        return;
    }
    if (!TryParseInt(cntText, count) || count < 0) {
        out.push_back(where + "CNT \"" + cntText + "\" is not a count: no record is read");
        return;
    }
    if (count > kMaxRecordsPerSection) {
        out.push_back(where + "CNT " + cntText + " is beyond what is read");
        count = kMaxRecordsPerSection;
    }
    for (int32_t i = 0; i < count; ++i) {
        const std::string key = FormatInt(i);
        const std::string value = ini.GetString(rule.name, key, "");
        const std::string at = where + key + ": ";
        if (value.empty()) {
            out.push_back(at + "missing or empty");
            continue;
        }
        const std::vector<std::string> fields = FieldSplit(value);
        if (rule.exact ? fields.size() != rule.minFields : fields.size() < rule.minFields) {
            out.push_back(at + FormatInt(static_cast<int64_t>(fields.size())) + " fields, needs " +
                          (rule.exact ? "exactly " : "at least ") +
                          FormatInt(static_cast<int64_t>(rule.minFields)));
            continue;
        }
        for (const std::size_t k : rule.yesNoFields) {
            if (fields[k] != "Y" && fields[k] != "N")
                out.push_back(at + "field " + FormatInt(static_cast<int64_t>(k)) + " \"" +
                              fields[k] + "\" is neither Y nor N");
        }
        for (const std::size_t k : rule.integerFields) {
            int32_t ignored = 0;
            if (!TryParseInt(fields[k], ignored))
                out.push_back(at + "field " + FormatInt(static_cast<int64_t>(k)) + " \"" +
                              fields[k] + "\" is not an integer (reads as 0)");
        }
        for (const std::size_t k : rule.numberFields) {
            double ignored = 0;
            if (!TryParseFloat(fields[k], ignored))
                out.push_back(at + "field " + FormatInt(static_cast<int64_t>(k)) + " \"" +
                              fields[k] + "\" is not a number (reads as 0)");
        }
    }
}

// Keeps the first of equal lines, in order.
class Lines {
  public:
    explicit Lines(std::vector<std::string>& out) : out_(out) {}
    void Add(std::string line) {
        if (seen_.insert(line).second)
            out_.push_back(std::move(line));
    }

  private:
    std::vector<std::string>& out_;
    std::set<std::string> seen_;
};

}  // namespace

DatabaseCheck CheckDatabase(const ProfileIni& ini) {
    DatabaseCheck check;
    for (const SectionRule& rule : SectionRules()) CheckSection(ini, rule, check.malformed);

    TranslationTable table;
    const ModelDatabase db = LoadModelDatabase(ini, table);
    FixedTables fixed;
    FillFixedTables(fixed);
    RateIndex rates;
    rates.Build(db.Rates, table);
    BitrateIndex bitrates;
    bitrates.Build(db.QualitySizes, db.HiSilicon, fixed, table);

    Lines missing(check.missing);
    for (const TModel& model : db.Models) {
        if (model.Code.empty())
            continue;  // an empty element: reported as malformed
        ++check.models;
        const std::string& code = model.Code;
        TextList resolutions, ipResolutions, qualities, ipQualities, cameras, fps;
        FillResolutionLists(code, table, resolutions, ipResolutions);
        FillQualityLists(code, table, qualities, ipQualities);
        FillCameraList(code, cameras);
        const int32_t first = model.FirstIpChannel;
        for (const char* standard : {"NTSC", "PAL"}) {
            for (const std::string& count : ChannelCountItems(model)) {
                const int channels = ParseIntDef(count, 0);
                for (const bool ip : {false, true}) {
                    // The ALL row offers the analog lists unless every channel is an IP channel.
                    const bool offered =
                        ip ? (first > 0 && first <= channels) : !IsIpChannel(1, first);
                    if (!offered)
                        continue;
                    std::set<std::string> cameraTypes;
                    if (!model.Hybrid) {
                        cameraTypes.insert("");
                    } else if (!ip) {
                        cameraTypes.insert("ANALOG");
                    } else {
                        for (const std::string& camera : cameras)
                            cameraTypes.insert(CameraTypeOfCaption(ChannelCaption(first, camera)));
                    }
                    for (const std::string& resolution : ip ? ipResolutions : resolutions) {
                        FillFpsList(rates, code, standard, resolution, count, fps);
                        if (fps.empty()) {
                            missing.Add(code + ": no RATE record for " + standard + ", " + count +
                                        " channels, " + resolution + " (empty frame-rate list)");
                        }
                        for (const std::string& quality : ip ? ipQualities : qualities) {
                            if (IsComplexityModel(code)) {
                                if (!bitrates.FindHiSilicon(code, standard, resolution, quality,
                                                            count)) {
                                    missing.Add(code + ": no HIS record for " + standard + ", " +
                                                count + " channels, " + resolution + ", " +
                                                quality + " (rate 0)");
                                }
                                continue;
                            }
                            if (IsFixedTableModel(code))
                                continue;
                            for (const std::string& camera : cameraTypes) {
                                if (!bitrates.FindQualitySize(code, standard, resolution, quality,
                                                              camera)) {
                                    missing.Add(code + ": no QUAL record for " + standard + ", " +
                                                resolution + ", " + quality + ", camera " +
                                                (camera.empty() ? "any" : camera) + " (rate 0)");
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    return check;
}

}  // namespace tessavo
