// TForm1: reactions to edits in the channel grid (check boxes, drop-down picks, the ALL row),
// the per-model constraints and the automatic unticking down to the encoding budget.
#include <QApplication>

#include "app/main_form.h"
#include "channels/channel_rules.h"
#include "localisation/U_MultiLanguage.h"
#include "platform/pauses.h"
#include "platform/text.h"

namespace tessavo {

namespace {
const CellColour kWhite = CellColour::Rgb(255, 255, 255);
const CellColour kBlack = CellColour::Rgb(0, 0, 0);
const CellColour kClearedRow = CellColour::Rgb(213, 213, 213);
}  // namespace

bool TForm1::IsChannelRow(int row) const {
    return totalRowPresent_ && row >= 2 && row <= AGridHdd->Table().RowCount() - 2;
}

void TForm1::SetChannelCost(int row, double cost) {
    const int slot = row - 2;
    if (slot >= 0 && slot < static_cast<int>(FEncodingCosts.size())) {
        FEncodingCosts[static_cast<std::size_t>(slot)] = cost;
    }
}

TForm1::RuleInputs TForm1::CurrentRuleInputs() const {
    return RuleInputs{
        RuleChannelCount(cbChannel->currentText().toStdString()),
        QualityDisplayTexts{translate("ULTRA"), translate("SUPER"), translate("HIGH")}};
}

void TForm1::AGridHddCheckBoxClick(int, int row, bool ticked) {
    if (!IsChannelRow(row))
        return;
    GridTable& grid = AGridHdd->Table();
    if (ticked) {
        grid.SetRowStyle(row, kWhite, kBlack, false);
        SetChannelCost(row, CalcEncodingCost(grid.Cell(2, row), grid.Cell(4, row)));
    } else {
        grid.SetRowStyle(row, kClearedRow, CellColour::GrayText(), false);
        SetChannelCost(row, 0);
    }
    CalcTotals(-1, "");
}

void TForm1::AdjustFpsAfterPick(int column, const std::string& resolution, std::string& fps,
                                const std::string& quality) {
    const RuleInputs rules = CurrentRuleInputs();
    // The rules know the source names; a locale may show "D1" as something else.
    const std::string sourceResolution = reverseTranslate(resolution);
    FillFpsList(FModelName, FVideoStandard, resolution, cbChannel->currentText().toStdString());
    if (FFpsList.size() >= 2)
        fps = FFpsList[1];
    AdjustFpsForQuality(FModelName, rules.channelCount, FFpsList, rules.qualities, sourceResolution,
                        fps, quality);
    if (column != 2) {
        AdjustFpsForResolution(FModelName, rules.channelCount, FFpsList, rules.qualities,
                               sourceResolution, fps, quality);
    }
}

void TForm1::LimitAfterFpsPick(const std::string& resolution, std::string& fps,
                               std::string& quality) {
    const RuleInputs rules = CurrentRuleInputs();
    const std::string sourceResolution = reverseTranslate(resolution);
    LimitQualityForFps(FModelName, rules.channelCount, rules.qualities, sourceResolution, fps,
                       quality);
    LimitFpsForQuality(FModelName, rules.channelCount, rules.qualities, sourceResolution, fps,
                       quality);
}

void TForm1::AGridHddComboChange(int col, int row, int, const std::string& text) {
    GridTable& grid = AGridHdd->Table();
    if (row != 1 && !IsChannelRow(row))
        return;
    if (row == 1 && !totalRowPresent_)
        return;
    grid.SetCell(col, row, text);
    const std::string resolution = grid.Cell(2, row);
    std::string quality = grid.Cell(3, row);
    std::string fps = grid.Cell(4, row);
    std::string audio = grid.Cell(5, row);
    switch (col) {
        case 2:
        case 3:
            // A resolution pick keeps the resolution rule out; a quality pick runs both.
            AdjustFpsAfterPick(col, resolution, fps, quality);
            grid.SetCell(4, row, fps);
            break;
        case 4:
            LimitAfterFpsPick(resolution, fps, quality);
            grid.SetCell(3, row, quality);
            grid.SetCell(4, row, fps);
            break;
        case 5:
            audio = text;
            break;
        default:
            break;
    }
    if (row == 1) {
        ProgressReset(100);
        plMessage->setVisible(true);
        if (col == 7) {
            const std::string choice =
                AsciiUpper(ReplaceAll(ReplaceAll(grid.Cell(7, 1), "%", ""), "Complexity-", ""));
            FComplexityFactor = choice == "HIGH" ? 1.63 : choice == "MID" ? 1.31 : 1.0;
        }
        ApplyAllRowChange(col, col == 4 ? fps : text);
        CalcTotals(-1, "");
        AdvProgress1->setValue(AdvProgress1->maximum());
        QCoreApplication::processEvents();
        Pause(500);
        plMessage->setVisible(false);
        return;
    }
    SetChannelCost(row, CalcEncodingCost(resolution, fps));
    const std::string camera = CameraTypeOfCaption(grid.Cell(1, row));
    const std::string channelCount = cbChannel->currentText().toStdString();
    const BitrateContext context{&bitrateIndex_, channelCount, FComplexityFactor};
    const std::string size =
        LookupBitrate(context, FModelName, FVideoStandard, resolution, quality, fps, camera);
    grid.SetCell(8, row, size);
    if (!size.empty())
        CalcChannelData(row, size, audio);
    CalcTotals(row, fps);
}

void TForm1::ApplyAllRowChange(int col, const std::string& value) {
    GridTable& grid = AGridHdd->Table();
    if (grid.RowCount() <= 3)
        return;
    const std::string channelCount = cbChannel->currentText().toStdString();
    const BitrateContext context{&bitrateIndex_, channelCount, FComplexityFactor};
    for (int row = 2; row <= grid.RowCount() - 2; ++row) {
        const int c = row - 1;
        const bool ip = IsIpChannel(c);
        ProgressStep();
        const auto costOfRow = [&] {
            SetChannelCost(row, grid.IsChecked(0, row)
                                    ? CalcEncodingCost(grid.Cell(2, row), grid.Cell(4, row))
                                    : 0);
        };
        switch (col) {
            case 1:
                grid.SetCell(1, row, ChannelCaption(c, value));
                break;
            case 2:
            case 3: {
                if (col == 2) {
                    grid.SetCell(2, row, ip ? ValidIpResolution(value, FIpResolutionList) : value);
                } else {
                    grid.SetCell(3, row, ip ? ValidIpQuality(value, FIpQualityList) : value);
                }
                if (grid.Cell(col, row).empty())
                    continue;
                std::string fps = grid.Cell(4, row);
                AdjustFpsAfterPick(3, grid.Cell(2, row), fps, grid.Cell(3, row));
                grid.SetCell(4, row, fps);
                costOfRow();
                break;
            }
            case 4: {
                std::string fps = ValidFps(value, FFpsList);
                grid.SetCell(4, row, fps);
                std::string quality = grid.Cell(3, row);
                LimitAfterFpsPick(grid.Cell(2, row), fps, quality);
                grid.SetCell(3, row, quality);
                grid.SetCell(4, row, fps);
                costOfRow();
                break;
            }
            default:
                grid.SetCell(col, row, value);
                break;
        }
        const std::string camera = FHybrid ? CameraTypeOfCaption(grid.Cell(1, row)) : "";
        const std::string size =
            LookupBitrate(context, FModelName, FVideoStandard, grid.Cell(2, row), grid.Cell(3, row),
                          grid.Cell(4, row), camera);
        grid.SetCell(8, row, size);
        ProgressStep();
        CalcChannelData(row, size, grid.Cell(5, row));
    }
}

void TForm1::lbOverState1DblClick() {
    if (overLimit_)
        ReduceToLimit();
}

void TForm1::ReduceToLimit() {
    GridTable& grid = AGridHdd->Table();
    for (int row = grid.RowCount() - 2; overLimit_ && row > 2; --row) {
        grid.SetChecked(0, row, false);
        AGridHddCheckBoxClick(0, row, false);
    }
}

}  // namespace tessavo
