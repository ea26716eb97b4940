// Channel captions, IP channels and the per-model rules that keep frame rate and quality within
// what a recorder can record.
#include "channels/channel_rules.h"

#include <algorithm>
#include <initializer_list>
#include <span>

#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

namespace {

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> codes) {
    return std::find(codes.begin(), codes.end(), text) != codes.end();
}

bool IsQtFamily(std::string_view model) {
    return IsOneOf(model, {"QT20", "QT10", "QT10S"});
}

bool IsQtRFamily(std::string_view model) {
    return IsOneOf(model, {"QT61R", "QT63R", "QT67R"});
}

bool IsD1OrCif(std::string_view resolution) {
    return resolution == "D1" || resolution == "CIF";
}

// Sets fps to the k-th entry (from 1) when the list has one.
void TakeEntry(const std::vector<std::string>& list, std::size_t k, std::string& fps) {
    if (k >= 1 && k <= list.size())
        fps = list[k - 1];
}

std::string ValidEntry(std::string_view text, const std::vector<std::string>& list) {
    if (list.empty() || std::find(list.begin(), list.end(), text) != list.end())
        return std::string(text);
    return list.front();
}

// One row of a table keyed by channel count and resolution, with one value per quality class.
struct QualityRow {
    int channels;
    std::string_view resolution;
    std::string_view sameAs;  // a second resolution with the same values, or empty
    int ultra;
    int super;
    int other;
};

const QualityRow* FindRow(std::span<const QualityRow> rows, int channels,
                          std::string_view resolution) {
    for (const QualityRow& row : rows) {
        if (row.channels == channels &&
            (resolution == row.resolution || (!row.sameAs.empty() && resolution == row.sameAs)))
            return &row;
    }
    return nullptr;
}

int ForQuality(const QualityRow& row, const QualityDisplayTexts& qualities,
               std::string_view quality) {
    if (quality == qualities.ultra)
        return row.ultra;
    if (quality == qualities.super)
        return row.super;
    return row.other;
}

// Entry (from 1) of the frame-rate list that a QT61R-family model takes.
constexpr QualityRow kEntryByResolution[] = {
    {4, "4M", "", 2, 2, 2},         {8, "4M", "", 3, 2, 2},    {8, "3M", "", 2, 1, 1},
    {8, "SXGA", "1080P", 2, 1, 1},  {16, "4M", "", 5, 3, 2},   {16, "3M", "", 4, 2, 1},
    {16, "SXGA", "1080P", 3, 2, 1}, {16, "720P", "", 2, 1, 1},
};

// Highest frame rate of a QT61R-family model; 0 for no ceiling.
// clang-format off
constexpr QualityRow kFpsCeiling[] = {
    {8, "4M", "", 10, 15, 15},
    {8, "3M", "", 15, 0, 0},
    {8, "SXGA", "1080P", 15, 0, 0},
    {16, "4M", "", 5, 10, 15},
    {16, "3M", "", 8, 15, 0},
    {16, "SXGA", "1080P", 10, 15, 0},
    {16, "720P", "", 15, 0, 0},
};
// clang-format on

}  // namespace

std::string CameraTypeOfCaption(std::string_view caption) {
    if (Contains(caption, "JE2"))
        return "JE2";
    if (Contains(caption, "ANALOG"))
        return "ANALOG";
    return {};
}

std::string ChannelCaption(int channel) {
    return "Ch " + TwoDigits(channel);
}

std::string ChannelCaption(int channel, std::string_view cameraType) {
    return ChannelCaption(channel) + " / " + std::string(cameraType);
}

bool IsIpChannel(int channel, int firstIpChannel) {
    return firstIpChannel > 0 && channel >= firstIpChannel;
}

int RuleChannelCount(std::string_view channelCountText) {
    return ParseIntDef(channelCountText, 4);
}

int FrameRateNumber(std::string_view fpsText) {
    return ParseIntDef(ReplaceAll(fpsText, "FPS", ""), 0);
}

std::string ValidIpResolution(std::string_view text,
                              const std::vector<std::string>& ipResolutions) {
    return ValidEntry(text, ipResolutions);
}

std::string ValidIpQuality(std::string_view text, const std::vector<std::string>& ipQualities) {
    return ValidEntry(text, ipQualities);
}

std::string ValidFps(std::string_view text, const std::vector<std::string>& fpsList) {
    return ValidEntry(text, fpsList);
}

void AdjustFpsForQuality(std::string_view modelName, int channelCount,
                         const std::vector<std::string>& fpsList,
                         const QualityDisplayTexts& qualities, std::string_view resolution,
                         std::string& fps, std::string_view quality) {
    if (!IsQtFamily(modelName) || channelCount <= 4 || IsD1OrCif(resolution))
        return;
    const bool ultra = quality == qualities.ultra;
    if (channelCount == 8)
        TakeEntry(fpsList, ultra ? 2 : 1, fps);
    else if (channelCount == 16)
        TakeEntry(fpsList, ultra ? 4 : 2, fps);
}

void AdjustFpsForResolution(std::string_view modelName, int channelCount,
                            const std::vector<std::string>& fpsList,
                            const QualityDisplayTexts& qualities, std::string_view resolution,
                            std::string& fps, std::string_view quality) {
    if (!IsQtRFamily(modelName))
        return;
    if (const QualityRow* row = FindRow(kEntryByResolution, channelCount, resolution))
        TakeEntry(fpsList, static_cast<std::size_t>(ForQuality(*row, qualities, quality)), fps);
}

void LimitQualityForFps(std::string_view modelName, int channelCount,
                        const QualityDisplayTexts& qualities, std::string_view resolution,
                        std::string_view fps, std::string& quality) {
    if (!IsQtFamily(modelName) || channelCount <= 4 || IsD1OrCif(resolution))
        return;
    const int n = FrameRateNumber(fps);
    const bool ultra = quality == qualities.ultra;
    const bool super = quality == qualities.super;
    if (channelCount == 8 && ultra && n > 15)
        quality = qualities.super;
    else if (channelCount == 16 && (ultra || super) && n > 15)
        quality = qualities.high;
    else if (channelCount == 16 && ultra && n > 7)
        quality = qualities.high;
}

void LimitFpsForQuality(std::string_view modelName, int channelCount,
                        const QualityDisplayTexts& qualities, std::string_view resolution,
                        std::string& fps, std::string_view quality) {
    if (!IsQtRFamily(modelName))
        return;
    int n = FrameRateNumber(fps);
    if (channelCount <= 4 || IsD1OrCif(resolution)) {
        if (channelCount == 4 && resolution == "4M" && n == 30)
            fps = "15FPS";
        return;
    }
    if (const QualityRow* row = FindRow(kFpsCeiling, channelCount, resolution)) {
        const int ceiling = ForQuality(*row, qualities, quality);
        if (ceiling > 0 && n > ceiling)
            n = ceiling;
    }
    fps = FormatInt(n) + "FPS";
}

}  // namespace tessavo
