// The channel grid in the real window: rebuild per model family, captions, colours, alignment,
// editor kinds, the Total row, the disk-size box and the cost indicator.
#include <gtest/gtest.h>
#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>

#include "tests/window_fixture.h"

namespace tessavo {
namespace {

using List = std::vector<std::string>;

class WindowGrid : public WindowFixture {
  protected:
    List Row(int row) {
        List cells;
        for (int col = 1; col <= 5; ++col) cells.push_back(Grid().Cell(col, row));
        return cells;
    }
};

TEST_F(WindowGrid, PlainModelRowsColoursAndTotalRow) {
    Start();
    ASSERT_EQ(Form().FModelName, "VR50");
    GridTable& g = Grid();
    ASSERT_EQ(g.RowCount(), 7);
    EXPECT_EQ(Row(1), (List{"ALL", "CIF", "HIGH", "15FPS", "ON"}));
    for (int c = 1; c <= 4; ++c) {
        const int row = c + 1;
        EXPECT_EQ(Row(row), (List{"Ch 0" + std::to_string(c), "CIF", "HIGH", "15FPS", "ON"}));
        EXPECT_TRUE(g.HasCheckBox(0, row));
        EXPECT_TRUE(g.IsChecked(0, row));
        const CellColour expected =
            c % 2 ? CellColour::Rgb(247, 247, 247) : CellColour::Rgb(255, 255, 255);
        for (int col = 0; col < 9; ++col) {
            EXPECT_EQ(g.Style(col, row).background, expected) << row << "," << col;
            EXPECT_FALSE(g.Style(col, row).bold);
        }
    }
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(g.Style(col, 1).background, CellColour::Rgb(233, 233, 243));
        EXPECT_TRUE(g.Style(col, 1).bold);
    }
    EXPECT_FALSE(g.HasCheckBox(0, 1));
    // Total row: one merged caption over columns 0 to 3, button face, no check box.
    EXPECT_EQ(g.Cell(0, 6), "Total");
    EXPECT_FALSE(g.HasCheckBox(0, 6));
    const auto merge = g.MergeAt(3, 6);
    ASSERT_TRUE(merge.has_value());
    EXPECT_EQ(merge->col, 0);
    EXPECT_EQ(merge->colSpan, 4);
    EXPECT_EQ(g.Style(8, 6).background, CellColour::ButtonFace());
    EXPECT_EQ(g.Cell(1, 0), "Channel");
    EXPECT_EQ(g.ColWidth(1), 70);
    EXPECT_DOUBLE_EQ(Form().FComplexityFactor, 1.0);
    EXPECT_EQ(Form().AGridHddGetAlignment(2, 1), CellAlign::Center);
    EXPECT_EQ(Form().AGridHddGetAlignment(6, 6), CellAlign::Right);
    EXPECT_EQ(Form().AGridHddGetAlignment(6, 4), CellAlign::Center);
    EXPECT_EQ(Form().AGridHddGetAlignment(0, 6), CellAlign::Center);
}

TEST_F(WindowGrid, HybridWithLaterFirstIpChannel) {
    Start();
    PickModel("QT90");  // hybrid, first IP channel 3, cameras JE2 and ANALOG
    GridTable& g = Grid();
    EXPECT_EQ(g.Cell(1, 0), "Channel / Camera");
    EXPECT_EQ(g.ColWidth(1), 160);
    EXPECT_EQ(g.Cell(1, 1), "JE2");
    EXPECT_EQ(g.Cell(2, 1), "CIF");  // the ALL row shows the analog defaults
    EXPECT_EQ(g.Cell(1, 2), "Ch 01 / ANALOG");
    EXPECT_EQ(g.Cell(1, 3), "Ch 02 / ANALOG");
    EXPECT_EQ(g.Cell(1, 4), "Ch 03 / JE2");
    EXPECT_EQ(g.Cell(1, 5), "Ch 04 / JE2");
    EXPECT_EQ(g.Cell(2, 4), "1080P");  // first IP resolution
    EXPECT_EQ(g.Cell(3, 4), "HIGH");   // second IP quality
    EXPECT_EQ(Form().AGridHddGetAlignment(2, 1), CellAlign::Left);
    EXPECT_EQ(Form().AGridHddGetAlignment(1, 1), CellAlign::Center);
    // Editors: the ALL row offers only ANALOG as camera; an IP channel offers its captions.
    EXPECT_EQ(Form().AGridHddGetEditorType(1, 1).items, (List{"ANALOG"}));
    EXPECT_EQ(Form().AGridHddGetEditorType(1, 4).items, (List{"Ch 03 / JE2", "Ch 03 / ANALOG"}));
    EXPECT_EQ(Form().AGridHddGetEditorType(1, 2).items, (List{"Ch 01 / ANALOG"}));
    EXPECT_EQ(Form().AGridHddGetEditorType(2, 4).items, Form().FIpResolutionList);
    EXPECT_EQ(Form().AGridHddGetEditorType(2, 2).items, Form().FResolutionList);
    EXPECT_EQ(Form().AGridHddGetEditorType(2, 1).items, Form().FResolutionList);
}

TEST_F(WindowGrid, AllIpModelUsesTheIpListsInTheAllRow) {
    Start();
    PickModel("QT20");
    EXPECT_EQ(Row(1), (List{"JE2", "1080P", "SUPER", "15FPS", "ON"}));
    EXPECT_EQ(Form().AGridHddGetEditorType(1, 1).items, Form().FCameraList);
    EXPECT_EQ(Form().AGridHddGetEditorType(2, 1).items, Form().FIpResolutionList);
    EXPECT_EQ(Form().AGridHddGetEditorType(3, 1).items, Form().FIpQualityList);
    EXPECT_EQ(Grid().Cell(1, 2), "Ch 01 / JE2");
}

TEST_F(WindowGrid, ComplexityModelAndItsReset) {
    Start();
    PickModel("ZN50");
    EXPECT_EQ(Grid().Cell(7, 1), "Complexity-MID");
    EXPECT_DOUBLE_EQ(Form().FComplexityFactor, 1.31);
    const CellEditor editor = Form().AGridHddGetEditorType(7, 1);
    EXPECT_EQ(editor.kind, CellEditor::Kind::DropDown);
    EXPECT_EQ(editor.items, (List{"Complexity-LOW", "Complexity-MID", "Complexity-HIGH"}));
    EXPECT_EQ(Form().DropDownRows(), 3);
    EXPECT_EQ(Form().AGridHddGetEditorType(7, 2).kind, CellEditor::Kind::None);
    PickModel("VR50");
    EXPECT_EQ(Grid().Cell(7, 1), "");
    EXPECT_DOUBLE_EQ(Form().FComplexityFactor, 1.0);
    EXPECT_EQ(Form().AGridHddGetEditorType(7, 1).kind, CellEditor::Kind::None);
}

TEST_F(WindowGrid, EditorKindsPerCell) {
    Start();
    TForm1& f = Form();
    using Kind = CellEditor::Kind;
    // Header, volume, size and check-box columns and the Total row are never edited.
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(f.AGridHddGetEditorType(col, 0).kind, Kind::None) << col;
        EXPECT_EQ(f.AGridHddGetEditorType(col, 6).kind, Kind::None) << col;
    }
    for (int row = 1; row <= 5; ++row) {
        for (int col : {0, 6, 8}) EXPECT_EQ(f.AGridHddGetEditorType(col, row).kind, Kind::None);
    }
    EXPECT_EQ(f.AGridHddGetEditorType(1, 2).kind, Kind::None);  // plain model: no camera
    EXPECT_EQ(f.AGridHddGetEditorType(5, 2).items, (List{"ON", "OFF"}));
    // The FPS editor offers the row's list and sets the shared editor to 30 rows, which then
    // also holds for the next drop-down.
    const CellEditor fps = f.AGridHddGetEditorType(4, 3);
    EXPECT_EQ(fps.items,
              (List{"30FPS", "15FPS", "10FPS", "7FPS", "5FPS", "4FPS", "3FPS", "2FPS", "1FPS"}));
    EXPECT_EQ(f.FFpsList, fps.items);
    EXPECT_EQ(f.DropDownRows(), 30);
    EXPECT_EQ(f.AGridHddGetEditorType(2, 3).kind, Kind::DropDown);
    EXPECT_EQ(f.DropDownRows(), 30);
    // A cleared row offers nothing in columns 1 to 5.
    Grid().SetChecked(0, 3, false);
    for (int col = 1; col <= 5; ++col) {
        EXPECT_EQ(f.AGridHddGetEditorType(col, 3).kind, Kind::None) << col;
    }
    // The driver's pick goes through the same query: no editor, no pick.
    const auto out = driver_->Execute(R"({"do":"pick","col":6,"row":2,"text":"1 MB"})");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NE(out[0].find("error"), std::string::npos);
}

TEST_F(WindowGrid, DiskSizeBoxAndEstimate) {
    Start();
    TForm1& f = Form();
    GridTable& totals = f.AGridTotal->Table();
    ASSERT_EQ(totals.Cell(1, 0), "1,048   MB");
    EXPECT_EQ(totals.Cell(1, 2), "312,500   MB");
    Do(R"({"do":"hdd","text":"1 TB"})");
    EXPECT_EQ(totals.Cell(1, 2), "976,562   MB");
    EXPECT_EQ(totals.Cell(1, 4), "931.8 Hour");  // 976,562.5 / 1,048
    EXPECT_EQ(totals.Cell(1, 3), "38.8  Day");
    // Typed mode keeps the figures until Calculate; letters never reach the field.
    Do(R"({"do":"hddTyped"})");
    EXPECT_FALSE(f.cbHDD->isEnabled());
    EXPECT_TRUE(f.edHDD->isEnabled());
    EXPECT_TRUE(f.btnCalc->isEnabled());
    EXPECT_EQ(totals.Cell(1, 2), "976,562   MB");
    Do(R"({"do":"type","text":"2a0x00"})");
    EXPECT_EQ(f.edHDD->text(), "2000");
    Do(R"({"do":"calc"})");
    EXPECT_EQ(totals.Cell(1, 2), "1,953,125   MB");
    Do(R"({"do":"type","text":"\b\b\b.5"})");
    EXPECT_EQ(f.edHDD->text(), "2.5");
    Do(R"({"do":"clearTyped"})");
    EXPECT_EQ(f.edHDD->text(), "");
    Do(R"({"do":"calc"})");
    const QJsonObject dump = driver_->Dump();
    const QJsonArray messages = dump["messages"].toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject()["text"].toString(), "Input HDD Size");
    EXPECT_EQ(totals.Cell(1, 2), "0   MB");
    EXPECT_EQ(totals.Cell(1, 3), "0  Day");
    EXPECT_EQ(totals.Cell(1, 4), "0 Hour");
    Do(R"({"do":"hddPreset"})");
    EXPECT_TRUE(f.cbHDD->isEnabled());
    EXPECT_FALSE(f.btnCalc->isEnabled());
    EXPECT_EQ(f.AGridTotalGetAlignment(0, 0), CellAlign::Left);
    EXPECT_EQ(f.AGridTotalGetAlignment(0, 1), CellAlign::Right);
}

TEST_F(WindowGrid, CostIndicatorAgainstTheBudget) {
    Start();
    TForm1& f = Form();
    EXPECT_EQ(f.lbLimitValue->text(), "60");  // 4 x CIF x 15
    EXPECT_EQ(f.lbLimitMax->text(), " / 1280");
    EXPECT_FALSE(f.OverLimitState());
    PickModel("QT20");  // no budget
    EXPECT_EQ(f.lbLimitValue->text(), "Free");
    EXPECT_EQ(f.lbLimitMax->text(), " / Free");
    EXPECT_FALSE(f.lbOverState1->blinking());
    PickModel("VR70");
    Do(R"({"do":"channels","text":"8"})");
    EXPECT_EQ(f.lbLimitMax->text(), " / 5120");
    Do(R"({"do":"standard","value":"PAL"})");
    EXPECT_EQ(f.lbLimitMax->text(), " / 4288");
}

// A model whose database lacks frame-rate data: the cell stays empty and says why.
TEST_F(WindowGrid, MissingFrameRateDataLeavesTheCellEmptyWithAHint) {
    Start(
        "[MODEL]\nCNT=2\n0=KM20|no rates|Y|N|N|N|N|0|\n1=KM10|one rate|Y|N|N|N|N|0|\n"
        "[QUAL]\nCNT=1\n0=KM20|NTSC|CIF|HIGH|ANALOG|10|Y|\n"
        "[RATE]\nCNT=1\n0=KM10|NTSC|4|CIF|1FPS|\n");
    GridTable& g = Grid();
    EXPECT_EQ(g.Cell(4, 2), "");
    EXPECT_FALSE(g.Hint(4, 2).empty());
    EXPECT_EQ(g.Cell(8, 2), "0");
    EXPECT_EQ(g.Cell(6, 2), "28 MB");  // audio only
    EXPECT_EQ(Form().FEncodingCosts[0], 0);
    Do(R"({"do":"model","index":1})");
    EXPECT_EQ(g.Cell(4, 2), "1FPS");  // a ceiling of 1: its only entry
    EXPECT_FALSE(g.Hint(4, 2).empty());
    EXPECT_EQ(Form().FEncodingCosts[0], 1);
}

TEST_F(WindowGrid, ModelWithoutChannelCountsKeepsAnEmptyGrid) {
    Start("[MODEL]\nCNT=1\n0=KM20|no channels|N|N|N|N|N|0|\n");
    EXPECT_EQ(Form().cbChannel->count(), 0);
    EXPECT_EQ(Grid().RowCount(), 2);
    EXPECT_EQ(Grid().Cell(1, 1), "");
    for (int col = 0; col < 9; ++col) {
        EXPECT_EQ(Form().AGridHddGetEditorType(col, 1).kind, CellEditor::Kind::None);
    }
}

}  // namespace
}  // namespace tessavo
