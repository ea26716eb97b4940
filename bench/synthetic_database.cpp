// Synthetic model databases and locale tables of a chosen size, built in memory for benchmarks.
#include "bench/synthetic_database.h"

#include <random>

#include "platform/numbers.h"

namespace tessavo::bench {

namespace {

const std::vector<std::string> kNamedModels = {
    "ZN50", "KM20",   "KM10",   "VR40",   "ZB30",    "QT61R",  "QT63R", "QT67R",
    "QT20", "QT10",   "QT10S",  "QT00S",  "QT90",    "QT5240", "ZW6+",  "VR30",
    "VR50", "VR7310", "VR7320", "VR7330", "VR7320S", "VR60",   "VR70"};
const std::vector<std::string> kStandards = {"NTSC", "PAL"};
const std::vector<std::string> kResolutions = {"4M",   "3M", "1080P",   "SXGA", "720P",
                                               "960H", "D1", "HALF_D1", "CIF"};
const std::vector<std::string> kQualities = {"ULTRA", "SUPER", "HIGH", "MID", "LOW"};
const std::vector<std::string> kCameras = {"ANALOG", "JE2", "JE9"};
const std::vector<std::string> kChannels = {"4", "8", "12", "16"};
const std::vector<std::string> kCeilings = {"30FPS", "25FPS", "15FPS", "12FPS", "7FPS"};
const std::vector<std::string> kCaptions = {"Select Model",
                                            "Channel",
                                            "Camera",
                                            "Resolution",
                                            "Quality",
                                            "FPS",
                                            "Audio",
                                            "Data / Hour",
                                            "Data / Day",
                                            "Total",
                                            "HDD Size",
                                            "Full Recording Day",
                                            "Full Recording Time",
                                            "Calculate",
                                            "Encoding Cost Limit",
                                            "Complexity-LOW",
                                            "Complexity-MID",
                                            "Complexity-HIGH",
                                            "Input HDD Size",
                                            "ON",
                                            "OFF"};

std::string ModelCode(std::size_t i) {
    if (i < kNamedModels.size())
        return kNamedModels[i];
    static const char* const kPrefixes[] = {"KM", "VR", "QT", "ZB", "ZW"};
    return std::string(kPrefixes[i % 5]) + FormatInt(static_cast<int64_t>(100 + i)) +
           (i % 3 == 0 ? "S" : "");
}

// "1 source" / "2 translation" lines of locale.ini.
void AddEntry(std::string& bytes, const std::string& source, const std::string& translation) {
    bytes += "1 " + source + "\n2 " + translation + "\n";
}

}  // namespace

SyntheticData MakeSyntheticData(const SyntheticSize& size, unsigned seed) {
    std::mt19937 random(seed);
    SyntheticData data;

    // The locale: the option names and captions first, then generated captions to the size.
    std::string bytes = "; generated locale\n";
    std::size_t entries = 0;
    for (const std::string& name : kResolutions) AddEntry(bytes, name, name + "-x"), ++entries;
    for (const std::string& name : kQualities) AddEntry(bytes, name, "Q-" + name), ++entries;
    for (const std::string& name : kCameras) AddEntry(bytes, name, "Kamera " + name), ++entries;
    for (const std::string& name : kCaptions) AddEntry(bytes, name, "[" + name + "]"), ++entries;
    AddEntry(bytes, "15FPS", "15 B/s"), ++entries;
    for (std::size_t i = 0; entries < size.localeEntries; ++i, ++entries) {
        const std::string n = FormatInt(static_cast<int64_t>(i));
        AddEntry(bytes, "Caption " + n, "Beschriftung " + n);
    }
    data.table.LoadFromBytes(bytes);
    TranslationTable& table = data.table;
    auto t = [&table](const std::string& text) { return table.Translate(std::string_view(text)); };

    ModelDatabase& db = data.database;
    for (std::size_t i = 0; i < size.models; ++i) {
        TModel model;
        model.Code = ModelCode(i);
        model.Name = "Recorder " + model.Code;
        model.Ch4 = model.Ch8 = model.Ch16 = true;
        model.Ch12 = i % 2 == 0;
        model.Hybrid = model.Code.rfind("QT", 0) == 0;
        model.FirstIpChannel = model.Hybrid ? 5 : 0;
        db.Models.push_back(std::move(model));
    }
    // Combinations in a fixed order, models cycling fastest so every model gets records.
    std::uniform_real_distribution<double> frame(2.0, 60.0);
    for (std::size_t i = 0; i < size.qualitySizes; ++i) {
        std::size_t k = i;
        TQualitySize r;
        r.Model = t(db.Models[k % size.models].Code), k /= size.models;
        r.Quality = t(kQualities[k % kQualities.size()]), k /= kQualities.size();
        r.Resolution = t(kResolutions[k % kResolutions.size()]), k /= kResolutions.size();
        r.Standard = t(kStandards[k % kStandards.size()]), k /= kStandards.size();
        r.Camera = t(kCameras[k % kCameras.size()]);
        r.FrameSize = frame(random);
        db.QualitySizes.push_back(std::move(r));
    }
    for (std::size_t i = 0; i < size.rates; ++i) {
        std::size_t k = i;
        TRate r;
        r.Model = t(db.Models[k % size.models].Code), k /= size.models;
        r.Resolution = t(kResolutions[k % kResolutions.size()]), k /= kResolutions.size();
        r.Channels = t(kChannels[k % kChannels.size()]), k /= kChannels.size();
        r.Standard = t(kStandards[k % kStandards.size()]);
        r.MaxFps = kCeilings[random() % kCeilings.size()];
        db.Rates.push_back(std::move(r));
    }
    // HIS records: the complexity model first, then sisters that share the section.
    for (std::size_t i = 0; i < size.hiSilicon; ++i) {
        const std::size_t perModel =
            kQualities.size() * kResolutions.size() * kChannels.size() * kStandards.size();
        std::size_t k = i % perModel;
        THiSiliconData r;
        r.Model = i < perModel ? "ZN50" : "ZN" + FormatInt(static_cast<int64_t>(50 + i / perModel));
        r.Quality = t(kQualities[k % kQualities.size()]), k /= kQualities.size();
        r.Resolution = t(kResolutions[k % kResolutions.size()]), k /= kResolutions.size();
        r.Channels = t(kChannels[k % kChannels.size()]), k /= kChannels.size();
        r.Standard = t(kStandards[k % kStandards.size()]);
        for (double& rate : r.DataRates) rate = frame(random) * 1000;
        db.HiSilicon.push_back(std::move(r));
    }
    FillFixedTables(data.fixedTables);

    // Sixteen questions in display texts, as the grid's cells hold them.
    const char* const families[] = {"KM20", "ZN50",   "VR70", "QT63R",
                                    "ZB30", "VR7320", "QT90", "VR30"};
    for (std::size_t i = 0; i < 16; ++i) {
        ChannelQuery q;
        q.model = families[i % 8];
        q.standard = t(kStandards[i % 2]);
        q.resolution = t(i % 3 == 0 ? "D1" : (i % 3 == 1 ? "CIF" : "720P"));
        q.quality = t(kQualities[i % kQualities.size()]);
        q.fps = i % 2 ? "15FPS" : t("15FPS");
        q.camera = i % 4 == 3 ? "" : t(kCameras[i % kCameras.size()]);
        q.channels = kChannels[i % kChannels.size()];
        data.queries.push_back(std::move(q));
    }
    return data;
}

}  // namespace tessavo::bench
