// Channel captions, IP channels and the per-model rules that keep frame rate and quality within
// what a recorder can record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessavo {

// "JE2" when the caption contains it, else "ANALOG" when it contains that, else empty
// (case-sensitive; "Ch 05 / JE9" gives empty, which the lookup treats as any camera).
std::string CameraTypeOfCaption(std::string_view caption);

// "Ch 03"; with a camera type "Ch 03 / JE2". The two-argument form always appends the camera,
// even an empty one, as the camera pick of the ALL row does.
std::string ChannelCaption(int channel);
std::string ChannelCaption(int channel, std::string_view cameraType);

// Channel c (from 1) records an IP camera when the model's first IP channel f is positive and
// c >= f. IsIpChannel(1, f) therefore also tells whether the ALL row uses the IP lists (f = 1).
bool IsIpChannel(int channel, int firstIpChannel);

// The channel count the rules use: the channel-count text as an integer, 4 when it is not one.
int RuleChannelCount(std::string_view channelCountText);
// The frame-rate number: every "FPS" removed, the rest an integer (not trimmed), 0 otherwise.
int FrameRateNumber(std::string_view fpsText);

// The display texts (translations) of the qualities the rules compare with and write. The
// caller builds them once with translate("ULTRA"), translate("SUPER"), translate("HIGH").
struct QualityDisplayTexts {
    std::string ultra;
    std::string super;
    std::string high;
};

// The text itself when the list holds it exactly (case-sensitive), else the list's first
// entry. With an empty list there is nothing better to offer, so the text comes back unchanged.
std::string ValidIpResolution(std::string_view text, const std::vector<std::string>& ipResolutions);
std::string ValidIpQuality(std::string_view text, const std::vector<std::string>& ipQualities);
std::string ValidFps(std::string_view text, const std::vector<std::string>& fpsList);

// The four rules. Common inputs: the model code (compared exactly), the channel count
// (RuleChannelCount), the current frame-rate list (FillFpsList's answer for the row), the
// quality display texts, and the resolution as its source text ("4M", "D1", ...; compared
// exactly). Quality and frame-rate texts are the cell texts.
//
// A rule that would take the k-th entry of a list shorter than k leaves the frame rate as it
// was; no rule reads past the end of the list.

// QT20, QT10, QT10S with more than 4 channels, resolution neither "D1" nor "CIF": at 8 channels
// ULTRA takes the second entry and other qualities the first; at 16 the fourth and the second.
// Other counts keep the frame rate.
void AdjustFpsForQuality(std::string_view modelName, int channelCount,
                         const std::vector<std::string>& fpsList,
                         const QualityDisplayTexts& qualities, std::string_view resolution,
                         std::string& fps, std::string_view quality);

// QT61R, QT63R, QT67R: the entry chosen by channel count, resolution and quality (ULTRA, SUPER,
// other); combinations outside the table keep the frame rate.
void AdjustFpsForResolution(std::string_view modelName, int channelCount,
                            const std::vector<std::string>& fpsList,
                            const QualityDisplayTexts& qualities, std::string_view resolution,
                            std::string& fps, std::string_view quality);

// QT20, QT10, QT10S with more than 4 channels, resolution neither "D1" nor "CIF": lowers the
// quality when the frame rate is too high for it (8 channels: ULTRA above 15 -> SUPER;
// 16 channels: ULTRA or SUPER above 15 -> HIGH, ULTRA above 7 -> HIGH).
void LimitQualityForFps(std::string_view modelName, int channelCount,
                        const QualityDisplayTexts& qualities, std::string_view resolution,
                        std::string_view fps, std::string& quality);

// QT61R, QT63R, QT67R. Up to 4 channels or at "D1"/"CIF": only 4 channels at "4M" with exactly
// 30 become "15FPS", other texts stay as they are. Otherwise the frame rate is lowered to the
// ceiling of channel count, resolution and quality and always rewritten as the number followed
// by "FPS" (a text without a number becomes "0FPS").
void LimitFpsForQuality(std::string_view modelName, int channelCount,
                        const QualityDisplayTexts& qualities, std::string_view resolution,
                        std::string& fps, std::string_view quality);

}  // namespace tessavo
