// TForm1: model selection, option lists and the channel grid (rows, captions, editors).
#include <QApplication>

#include "app/main_form.h"
#include "channels/channel_rules.h"
#include "localisation/U_MultiLanguage.h"
#include "platform/numbers.h"
#include "platform/pauses.h"
#include "platform/text.h"

namespace tessavo {

namespace {

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

// The entry at a position of an option list, or the empty text when the list is shorter.
std::string EntryAt(const std::vector<std::string>& list, std::size_t index) {
    return index < list.size() ? list[index] : std::string();
}

// Position of the entry that equals `text` ignoring ASCII case, or `fallback`.
std::size_t PositionIgnoringCase(const std::vector<std::string>& list, const std::string& text,
                                 std::size_t fallback) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (SameTextAscii(list[i], text))
            return i;
    }
    return fallback;
}

const CellColour kAllRowColour = CellColour::Rgb(233, 233, 243);
const CellColour kOddRowColour = CellColour::Rgb(247, 247, 247);
const CellColour kEvenRowColour = CellColour::Rgb(255, 255, 255);
const CellColour kBlack = CellColour::Rgb(0, 0, 0);

}  // namespace

// ---- model selection and option lists ----------------------------------------------------

void TForm1::FillModelList() {
    const QSignalBlocker blocker(cbModel);
    cbModel->clear();
    if (FModels.empty())
        return;
    for (const TModel& model : FModels) cbModel->addItem(Q(model.Name));
    FModelIndex = 0;
    cbModel->setCurrentIndex(0);
    FModelName = FModels[0].Code;
    FHybrid = FModels[0].Hybrid;
}

void TForm1::FillChannelCountList() {
    const QSignalBlocker blocker(cbChannel);
    cbChannel->clear();
    const TModel* model = SelectedModel();
    if (!model)
        return;
    for (const std::string& count : ChannelCountItems(*model)) cbChannel->addItem(Q(count));
    if (cbChannel->count() > 0)
        cbChannel->setCurrentIndex(0);
}

void TForm1::FillResolutionLists(const std::string& modelCode) {
    tessavo::FillResolutionLists(modelCode, LocaleTable(), FResolutionList, FIpResolutionList);
}

void TForm1::FillQualityLists(const std::string& modelCode) {
    tessavo::FillQualityLists(modelCode, LocaleTable(), FQualityList, FIpQualityList);
}

void TForm1::FillFpsList(const std::string& model, const std::string& standard,
                         const std::string& resolution, const std::string& channelCount) {
    tessavo::FillFpsList(rateIndex_, model, standard, resolution, channelCount, FFpsList);
}

void TForm1::FillCameraList() {
    tessavo::FillCameraList(FModelName, FCameraList);
}

void TForm1::cbModelChange() {
    if (cbModel->count() == 0)
        return;
    FModelIndex = cbModel->currentIndex();
    const TModel* model = SelectedModel();
    if (!model)
        return;
    FModelName = model->Code;
    FHybrid = model->Hybrid;
    ProgressReset(10);
    plMessage->setVisible(true);
    ProgressStep();
    QCoreApplication::processEvents();
    FillQualityLists(FModelName);
    FillResolutionLists(FModelName);
    FillChannelCountList();
    ProgressStep();
    QCoreApplication::processEvents();
    Pause(100);
    RebuildChannelGrid();
    AdvProgress1->setValue(AdvProgress1->maximum());
    QCoreApplication::processEvents();
    plMessage->setVisible(false);
}

void TForm1::cbChannelChange() {
    RebuildChannelGrid();
}

void TForm1::rbtnNtscClick() {
    FVideoStandard = "NTSC";
    RebuildChannelGrid();
}

void TForm1::rbtnPalClick() {
    FVideoStandard = "PAL";
    RebuildChannelGrid();
}

// ---- channel grid ----------------------------------------------------------------------------

void TForm1::RebuildChannelGrid() {
    const std::string channelText = cbChannel->currentText().toStdString();
    const int n = std::clamp(ParseIntDef(channelText, 0), 0, 16);
    const int32_t f = FirstIpChannel();
    ClearGridRows(AGridHdd, 1);
    totalRowPresent_ = false;
    SetChannelColumnLayout(FHybrid);
    if (n == 0)
        return;
    GridTable& grid = AGridHdd->Table();

    std::string resolution;
    std::string quality;
    std::size_t r = 0;
    std::size_t q = 2;
    if (f == 1) {
        resolution = reverseTranslate(EntryAt(FIpResolutionList, 0));
        quality = reverseTranslate(EntryAt(FIpQualityList, 1));
    } else {
        r = PositionIgnoringCase(FResolutionList, translate("CIF"), 0);
        q = PositionIgnoringCase(FQualityList, translate("HIGH"), 2);
        resolution = EntryAt(FResolutionList, r);
        quality = EntryAt(FQualityList, q);
    }
    FillFpsList(FModelName, FVideoStandard, resolution, channelText);
    FillCameraList();

    // A frame-rate list shorter than the default needs: the last entry there is, else none.
    const auto defaultFps = [this](int row) {
        if (FFpsList.size() >= 2)
            return FFpsList[1];
        AGridHdd->Table().SetHint(4, row,
                                  "The model database has no frame-rate data for this model, "
                                  "video standard, channel count and resolution.");
        return FFpsList.empty() ? std::string() : FFpsList.back();
    };

    const int allRow = AppendGridRow(AGridHdd);
    const std::string allFps = reverseTranslate(defaultFps(allRow));
    // A hybrid model without a camera list still needs a caption, or the row would count as empty.
    grid.SetCell(1, allRow, FHybrid && !FCameraList.empty() ? FCameraList[0] : "ALL");
    grid.SetCell(2, allRow, resolution);
    grid.SetCell(3, allRow, translate(quality));
    grid.SetCell(4, allRow, allFps);
    grid.SetCell(5, allRow, "ON");
    if (IsComplexityModel(FModelName)) {
        grid.SetCell(7, allRow, "Complexity-MID");
        FComplexityFactor = 1.31;
    } else {
        grid.SetCell(7, allRow, "");
        FComplexityFactor = 1.0;
    }
    grid.SetRowStyle(allRow, kAllRowColour, kBlack, true);

    for (int c = 1; c <= n; ++c) {
        if (IsIpChannel(c)) {
            resolution = reverseTranslate(EntryAt(FIpResolutionList, 0));
            quality = reverseTranslate(EntryAt(FIpQualityList, 1));
        } else {
            resolution = reverseTranslate(EntryAt(FResolutionList, r));
            quality = reverseTranslate(EntryAt(FQualityList, q));
        }
        FillFpsList(FModelName, FVideoStandard, resolution, channelText);
        const int row = AppendGridRow(AGridHdd);
        const std::string fps = defaultFps(row);
        grid.AddCheckBox(0, row, true);
        std::string camera;
        if (FHybrid)
            camera = IsIpChannel(c) ? EntryAt(FCameraList, 0) : "ANALOG";
        grid.SetCell(1, row, FHybrid ? ChannelCaption(c, camera) : ChannelCaption(c));
        const BitrateContext context{&bitrateIndex_, channelText, FComplexityFactor};
        const std::string size =
            LookupBitrate(context, FModelName, FVideoStandard, resolution, quality, fps, camera);
        grid.SetCell(2, row, resolution);
        grid.SetCell(3, row, translate(quality));
        grid.SetCell(5, row, "ON");
        grid.SetCell(4, row, fps);
        grid.SetCell(8, row, size);
        grid.SetRowStyle(row, c % 2 == 1 ? kOddRowColour : kEvenRowColour, kBlack, false);
    }

    ProgressStep();
    CalcAllChannelData(false);
    ProgressStep();
    AddTotalRow();
    ProgressStep();
    CalcTotals(-1, "");
    SetEncodingLimit();
    CalcAllEncodingCosts();
    ShowEncodingCost();
}

void TForm1::ClearGridRows(StringGrid* grid, int first) {
    GridTable& table = grid->Table();
    for (int row = first; row < table.RowCount(); ++row) {
        table.RemoveCheckBox(0, row);
        for (int col = 0; col < table.ColCount(); ++col) {
            table.SetCell(col, row, "");
            table.SetHint(col, row, "");
        }
        table.SplitRow(row);
    }
    table.SetRowCount(first + 1);
}

int TForm1::AppendGridRow(StringGrid* grid) {
    if (IsSingleEmptyRow(grid))
        return 1;
    GridTable& table = grid->Table();
    table.SetRowCount(table.RowCount() + 1);
    return table.RowCount() - 1;
}

bool TForm1::IsSingleEmptyRow(const StringGrid* grid) const {
    return grid->Table().RowCount() == 2 && grid->Table().Cell(1, 1).empty();
}

void TForm1::SetChannelColumnLayout(bool hybrid) {
    GridTable& table = AGridHdd->Table();
    const int widths[9] = {29, hybrid ? 160 : 70, 84, 90, 71, 55, 91, 115, 0};
    for (int col = 1; col < 9; ++col) table.SetColWidth(col, widths[col]);
    table.SetCell(
        1, 0, hybrid ? translate("Channel") + " / " + translate("Camera") : translate("Channel"));
}

CellAlign TForm1::AGridHddGetAlignment(int row, int col) const {
    if (row <= 1)
        return CellAlign::Center;
    if (col == 1)
        return FHybrid ? CellAlign::Left : CellAlign::Center;
    if (col == 6 || col == 7)
        return CellAlign::Right;
    return CellAlign::Center;
}

int TForm1::ChannelRowCount() const {
    return totalRowPresent_ ? AGridHdd->Table().RowCount() - 3 : 0;
}

CellEditor TForm1::AGridHddGetEditorType(int col, int row) {
    const CellEditor none{CellEditor::Kind::None, {}};
    const GridTable& table = AGridHdd->Table();
    // Only the ALL row and the channel rows of a built grid are edited; the Total row, the header
    // and the volume and size columns are read-only.
    if (ChannelRowCount() == 0 || row < 1 || row >= table.RowCount() - 1)
        return none;
    if (col == 0 || col == 6 || col == 8 || col > 8)
        return none;
    const bool allRow = row == 1;
    const bool enabled = allRow || table.IsChecked(0, row);
    const int32_t f = FirstIpChannel();
    const int c = row - 1;
    const bool ip = allRow ? f == 1 : IsIpChannel(c);
    auto dropDown = [](std::vector<std::string> items) {
        return CellEditor{CellEditor::Kind::DropDown, std::move(items)};
    };
    switch (col) {
        case 1: {
            if (!FHybrid || !enabled)
                return none;
            if (allRow)
                return dropDown(f == 1 ? FCameraList : std::vector<std::string>{"ANALOG"});
            if (!ip)
                return dropDown({ChannelCaption(c, "ANALOG")});
            std::vector<std::string> items;
            for (const std::string& camera : FCameraList)
                items.push_back(ChannelCaption(c, camera));
            return dropDown(items);
        }
        case 2:
            if (!enabled)
                return none;
            return dropDown(ip ? FIpResolutionList : FResolutionList);
        case 3:
            if (!enabled)
                return none;
            return dropDown(ip ? FIpQualityList : FQualityList);
        case 4:
            if (!enabled)
                return none;
            FillFpsList(FModelName, FVideoStandard, table.Cell(2, row),
                        cbChannel->currentText().toStdString());
            AGridHdd->dropDownRows = 30;
            return dropDown(FFpsList);
        case 5:
            if (!enabled)
                return none;
            return dropDown({"ON", "OFF"});
        case 7:
            if (!allRow || !IsComplexityModel(FModelName))
                return none;
            AGridHdd->dropDownRows = 3;
            return dropDown({"Complexity-LOW", "Complexity-MID", "Complexity-HIGH"});
        default:
            return none;
    }
}

}  // namespace tessavo
