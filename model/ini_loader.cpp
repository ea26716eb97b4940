// Loads HddInfo.ini into the four record arrays; every string field passes through translate.
#include "model/ini_loader.h"

#include <algorithm>

#include "platform/numbers.h"

namespace tessavo {

namespace {

bool IsYes(const std::string& field) {
    return field == "Y";
}

// The record count of a section: not an integer reads as none, and so does a negative count,
// which no writer produces.
std::size_t RecordCount(const ProfileIni& ini, std::string_view section) {
    const int32_t count = ParseIntDef(ini.GetString(section, "CNT", "0"), 0);
    return static_cast<std::size_t>(std::clamp<int32_t>(count, 0, kMaxRecordsPerSection));
}

// Fills a section's array: one element per key 0..CNT-1; an element whose value is missing or
// has a field count the section does not accept stays empty. `take` sets an element from its
// fields.
template <typename Record, typename Accepts, typename Take>
std::vector<Record> LoadSection(const ProfileIni& ini, std::string_view section, Accepts accepts,
                                Take take) {
    std::vector<Record> records(RecordCount(ini, section));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string value = ini.GetString(section, FormatInt(static_cast<int64_t>(i)), "");
        if (value.empty())
            continue;
        const std::vector<std::string> fields = FieldSplit(value);
        if (accepts(fields.size()))
            take(records[i], fields);
    }
    return records;
}

}  // namespace

std::vector<std::string> FieldSplit(std::string_view value) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < value.size()) {
        std::size_t end = value.find_first_of("|\r\n", pos);
        if (end == std::string_view::npos) {
            fields.emplace_back(value.substr(pos));
            break;
        }
        fields.emplace_back(value.substr(pos, end - pos));
        // A CR LF pair inside the value is one break, as the line list that splits it sees it.
        pos = (value[end] == '\r' && end + 1 < value.size() && value[end + 1] == '\n') ? end + 2
                                                                                       : end + 1;
    }
    return fields;
}

ModelDatabase LoadModelDatabase(const ProfileIni& ini, TranslationTable& table) {
    const auto text = [&table](const std::string& field) {
        return table.Translate(std::string_view(field));
    };
    const auto number = [](const std::string& field) { return ParseFloatDef(field, 0); };

    ModelDatabase db;
    db.Models = LoadSection<TModel>(
        ini, "MODEL", [](std::size_t n) { return n >= 8; },
        [&](TModel& m, const std::vector<std::string>& f) {
            m.Code = text(f[0]);
            m.Name = text(f[1]);
            m.Ch4 = IsYes(f[2]);
            m.Ch8 = IsYes(f[3]);
            m.Ch12 = IsYes(f[4]);
            m.Ch16 = IsYes(f[5]);
            m.Hybrid = f[6] != "N";
            m.FirstIpChannel = ParseIntDef(f[7], 0);
        });
    // The file holds the frame size before the mark; the record the other way round.
    db.QualitySizes = LoadSection<TQualitySize>(
        ini, "QUAL", [](std::size_t n) { return n >= 7; },
        [&](TQualitySize& q, const std::vector<std::string>& f) {
            q.Model = text(f[0]);
            q.Standard = text(f[1]);
            q.Resolution = text(f[2]);
            q.Quality = text(f[3]);
            q.Camera = text(f[4]);
            q.FrameSize = number(f[5]);
            q.Flag = IsYes(f[6]);
        });
    db.Rates = LoadSection<TRate>(
        ini, "RATE", [](std::size_t n) { return n >= 5; },
        [&](TRate& r, const std::vector<std::string>& f) {
            r.Model = text(f[0]);
            r.Standard = text(f[1]);
            r.Channels = text(f[2]);
            r.Resolution = text(f[3]);
            r.MaxFps = text(f[4]);
        });
    db.HiSilicon = LoadSection<THiSiliconData>(
        ini, "HIS", [](std::size_t n) { return n == 15; },
        [&](THiSiliconData& h, const std::vector<std::string>& f) {
            h.Model = text(f[0]);
            h.Standard = text(f[1]);
            h.Channels = text(f[2]);
            h.Resolution = text(f[3]);
            h.Quality = text(f[4]);
            for (std::size_t k = 0; k < h.DataRates.size(); ++k) h.DataRates[k] = number(f[5 + k]);
        });
    return db;
}

ModelDatabase LoadModelDatabaseFile(const std::string& path, TranslationTable& table) {
    return LoadModelDatabase(ProfileIni::FromFile(path), table);
}

}  // namespace tessavo
