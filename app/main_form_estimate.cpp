// TForm1: data volumes and totals, the recording-time estimate and the encoding-cost indicator.
#include <QPalette>

#include "app/main_form.h"
#include "cost/encoding_cost.h"
#include "estimate/data_volume.h"
#include "estimate/recording_time.h"
#include "localisation/U_MultiLanguage.h"
#include "platform/text.h"

namespace tessavo {

namespace {
QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}
std::string S(const QString& text) {
    return text.toStdString();
}
}  // namespace

// ---- data volumes and totals -----------------------------------------------------------------

void TForm1::CalcChannelData(int row, const std::string& sizeText, const std::string& audioText) {
    const ChannelVolumeTexts texts = ChannelVolumes(FamilyOf(FModelName), sizeText, audioText);
    GridTable& grid = AGridHdd->Table();
    grid.SetCell(6, row, texts.perHour);
    grid.SetCell(7, row, texts.perDay);
}

void TForm1::CalcAllChannelData(bool totalRowPresent) {
    const GridTable& grid = AGridHdd->Table();
    const int last = grid.RowCount() - (totalRowPresent ? 2 : 1);
    for (int row = 2; row <= last; ++row) {
        CalcChannelData(row, reverseTranslate(grid.Cell(8, row)),
                        reverseTranslate(grid.Cell(5, row)));
    }
}

void TForm1::AddTotalRow() {
    const int row = AppendGridRow(AGridHdd);
    GridTable& grid = AGridHdd->Table();
    grid.MergeCells(0, row, 4, 1);
    for (int col = 0; col < grid.ColCount(); ++col) {
        grid.SetBackground(col, row, CellColour::ButtonFace());
    }
    grid.SetCell(0, row, translate("Total"));
    totalRowPresent_ = true;
}

void TForm1::CalcTotals(int editedRow, const std::string& editedFps) {
    GridTable& grid = AGridHdd->Table();
    int fpsSum = 0;
    double hourSum = 0;
    double daySum = 0;
    const int totalRow = grid.RowCount() - 1;
    for (int row = 2; row < totalRow; ++row) {
        if (!grid.IsChecked(0, row))
            continue;
        fpsSum += ReadFpsCell(row == editedRow ? editedFps : reverseTranslate(grid.Cell(4, row)));
        hourSum += ReadVolumeCell(reverseTranslate(grid.Cell(6, row)));
        daySum += ReadVolumeCell(reverseTranslate(grid.Cell(7, row)));
    }
    const std::string hourText = TotalVolumeText(hourSum);
    const std::string dayText = TotalVolumeText(daySum);
    grid.SetCell(4, totalRow, TotalFpsText(fpsSum));
    grid.SetCell(6, totalRow, hourText);
    grid.SetCell(7, totalRow, dayText);
    AGridTotal->Table().SetCell(1, 0, hourText);
    AGridTotal->Table().SetCell(1, 1, dayText);
    CalcRecordingTime();
    ShowEncodingCost();
}

// ---- disk size and recording time --------------------------------------------------------------

std::string TForm1::GetHddSizeText() const {
    if (rbtn1->isChecked())
        return reverseTranslate(S(cbHDD->currentText()));
    return TypedHddSizeText(S(edHDD->text()));
}

void TForm1::CalcRecordingTime() {
    const RecordingTimeTexts texts =
        EstimateRecordingTime(GetHddSizeText(), reverseTranslate(AGridTotal->Table().Cell(1, 0)));
    GridTable& totals = AGridTotal->Table();
    totals.SetCell(1, 4, translate(texts.hours));
    totals.SetCell(1, 3, translate(texts.days));
    totals.SetCell(1, 2, texts.hddSize);
}

void TForm1::cbHDDChange() {
    CalcRecordingTime();
}

void TForm1::rbtn1Click() {
    cbHDD->setEnabled(true);
    edHDD->setEnabled(false);
    QPalette palette = edHDD->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    edHDD->setPalette(palette);
    btnCalc->setEnabled(false);
}

void TForm1::rbtn2Click() {
    cbHDD->setEnabled(false);
    edHDD->setEnabled(true);
    QPalette palette = edHDD->palette();
    palette.setColor(QPalette::Base, Qt::white);
    edHDD->setPalette(palette);
    edHDD->setFocus();
    btnCalc->setEnabled(true);
}

bool TForm1::edHDDKeyPress(char32_t typed) {
    return IsHddSizeKeyAccepted(typed);
}

void TForm1::btnCalcClick() {
    if (Trim(S(edHDD->text())).empty()) {
        ShowMessage(FormMessage::Icon::None, "Input HDD Size");
        edHDD->setFocus();
    }
    CalcAllChannelData(true);
    CalcTotals(-1, "");
}

CellAlign TForm1::AGridTotalGetAlignment(int, int col) const {
    return col == 0 ? CellAlign::Left : CellAlign::Right;
}

// ---- encoding cost
// -------------------------------------------------------------------------------

std::string TForm1::VideoStandardOfButtons() const {
    return rbtnNtsc->isChecked() ? "NTSC" : "PAL";
}

double TForm1::CalcEncodingCost(const std::string& resolution, const std::string& fps) const {
    // A translated resolution name must weigh what its source name weighs.
    return tessavo::CalcEncodingCost(reverseTranslate(resolution), fps, VideoStandardOfButtons(),
                                     FModelName);
}

void TForm1::CalcAllEncodingCosts() {
    const GridTable& grid = AGridHdd->Table();
    const int totalRow = grid.RowCount() - 1;
    for (int row = 2; row < totalRow && row - 2 < static_cast<int>(FEncodingCosts.size()); ++row) {
        FEncodingCosts[static_cast<std::size_t>(row - 2)] =
            CalcEncodingCost(grid.Cell(2, row), grid.Cell(4, row));
    }
}

void TForm1::SetEncodingLimit() {
    FEncodingLimit = 0;
    FEncodingLimit =
        EncodingBudget(FModelName, VideoStandardOfButtons(), S(cbChannel->currentText()));
    lbLimitMax->setText(Q(EncodingLimitText(FEncodingLimit)));
}

void TForm1::ShowEncodingCost() {
    if (S(lbLimitMax->text()) == kFreeLimitText) {
        lbLimitValue->setText("Free");
        SetOverLimitState(false);
        return;
    }
    const double used = UsedEncodingCost(FEncodingCosts, S(cbChannel->currentText()));
    lbLimitValue->setText(Q(UsedEncodingCostText(used)));
    if (FEncodingLimit != 0)
        SetOverLimitState(used > FEncodingLimit);
}

void TForm1::SetOverLimitState(bool over) {
    overLimit_ = over;
    lbOverState1->setBlinking(over);
    for (QLabel* label : {static_cast<QLabel*>(lbOverState1), lbLimitValue}) {
        QFont font = label->font();
        font.setBold(over);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, over ? QColor(255, 0, 0) : QColor(0, 0, 0));
        label->setPalette(palette);
    }
}

}  // namespace tessavo
