// Channel edits in the real window: check boxes, picks in channel rows and the ALL row, the
// per-model frame-rate and quality rules, the complexity choice and the automatic unticking.
#include <gtest/gtest.h>

#include "tests/window_fixture.h"

namespace tessavo {
namespace {

class WindowEdits : public WindowFixture {
  protected:
    std::string Total(int row) { return Form().AGridTotal->Table().Cell(1, row); }
};

TEST_F(WindowEdits, UntickAndRetick) {
    Start();  // VR50, 4 channels of CIF at 15 fps: 262 MB per hour each, cost 15 each
    Toggle(4);
    GridTable& g = Grid();
    EXPECT_FALSE(g.IsChecked(0, 4));
    EXPECT_EQ(g.Style(2, 4).background, CellColour::Rgb(213, 213, 213));
    EXPECT_EQ(g.Style(2, 4).font, CellColour::GrayText());
    EXPECT_EQ(Form().FEncodingCosts[2], 0);
    EXPECT_EQ(g.Cell(6, 4), "262 MB");  // an unticked channel keeps its own figures
    EXPECT_EQ(Total(0), "786   MB");
    EXPECT_EQ(g.Cell(4, 6), "45FPS");
    EXPECT_EQ(Form().lbLimitValue->text(), "45");
    // A cleared row offers no editor.
    const auto out = driver_->Execute(R"({"do":"pick","col":2,"row":4,"text":"D1"})");
    ASSERT_EQ(out.size(), 1u);
    Toggle(4);
    EXPECT_EQ(g.Style(2, 4).background, CellColour::Rgb(255, 255, 255));  // white, not 247
    EXPECT_EQ(g.Style(2, 4).font, CellColour::Rgb(0, 0, 0));
    EXPECT_EQ(Form().FEncodingCosts[2], 15);
    EXPECT_EQ(Total(0), "1,048   MB");
    // Every channel unticked: no finite estimate.
    for (int row = 2; row <= 5; ++row) Toggle(row);
    EXPECT_EQ(Total(0), "0   MB");
    EXPECT_EQ(g.Cell(4, 6), "0FPS");
    EXPECT_EQ(Total(2), "-");
    EXPECT_EQ(Total(3), "-");
    EXPECT_EQ(Total(4), "-");
}

TEST_F(WindowEdits, ChannelRowPickRecomputesThatRow) {
    Start();
    Pick(2, 3, "D1");  // VR50 NTSC D1: default 15 fps, HIGH 1066.667 kbit/s
    GridTable& g = Grid();
    EXPECT_EQ(g.Cell(4, 3), "15FPS");
    EXPECT_EQ(g.Cell(8, 3), "1066.667");
    EXPECT_EQ(g.Cell(6, 3), "497 MB");  // (1066.667 / 8 + 8) * 3600 / 1024
    EXPECT_EQ(Form().FEncodingCosts[1], 60);
    Pick(4, 3, "7FPS");
    EXPECT_EQ(Form().FEncodingCosts[1], 30);  // 7.5 x 4
    Pick(5, 3, "OFF");
    EXPECT_EQ(g.Cell(5, 3), "OFF");
    Pick(3, 3, "SUPER");
    EXPECT_EQ(g.Cell(4, 3), "15FPS");  // a quality pick takes the list's default again
}

TEST_F(WindowEdits, AllRowPickOnHybridWithLaterIpChannels) {
    Start();
    PickModel("QT90", "4");  // first IP channel 3; IP resolutions 1080P, 720P, D1, CIF
    Pick(2, 1, "HALF_D1");
    GridTable& g = Grid();
    EXPECT_EQ(g.Cell(2, 1), "HALF_D1");
    EXPECT_EQ(g.Cell(2, 2), "HALF_D1");
    EXPECT_EQ(g.Cell(2, 3), "HALF_D1");
    EXPECT_EQ(g.Cell(2, 4), "1080P");  // not an IP resolution: the first one instead
    EXPECT_EQ(g.Cell(2, 5), "1080P");
    EXPECT_FALSE(Form().plMessage->isVisible());
    EXPECT_EQ(Form().AdvProgress1->maximum(), 100);
    Pick(2, 1, "D1");
    EXPECT_EQ(g.Cell(2, 5), "D1");
    // A camera picked in the ALL row goes into every caption, analog channels included.
    Pick(1, 1, "ANALOG");
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(g.Cell(1, c + 1), "Ch 0" + std::to_string(c) + " / ANALOG");
    }
    Pick(5, 1, "OFF");
    for (int row = 1; row <= 5; ++row) EXPECT_EQ(g.Cell(5, row), "OFF");
}

TEST_F(WindowEdits, Qt20FrameRateAndQualityRules) {
    Start();
    PickModel("QT20", "8");  // every channel IP; NTSC ceiling 30
    Pick(2, 2, "1080P");
    Pick(3, 2, "ULTRA");
    GridTable& g = Grid();
    EXPECT_EQ(g.Cell(4, 2), "15FPS");
    Pick(4, 2, "30FPS");
    EXPECT_EQ(g.Cell(3, 2), "SUPER");
    EXPECT_EQ(g.Cell(4, 2), "30FPS");
    Do(R"({"do":"channels","text":"16"})");
    Pick(2, 2, "720P");
    Pick(3, 2, "ULTRA");
    EXPECT_EQ(g.Cell(4, 2), "8FPS");
    Pick(4, 2, "10FPS");
    EXPECT_EQ(g.Cell(3, 2), "HIGH");
}

TEST_F(WindowEdits, Qt6xFrameRateCeilings) {
    Start();
    PickModel("QT63R", "16");
    GridTable& g = Grid();
    Pick(2, 2, "4M");
    EXPECT_EQ(g.Cell(4, 2), "15FPS");  // a resolution pick does not run the resolution rule
    Pick(3, 2, "ULTRA");
    EXPECT_EQ(g.Cell(4, 2), "5FPS");
    Pick(4, 2, "30FPS");
    EXPECT_EQ(g.Cell(4, 2), "5FPS");
    Do(R"({"do":"channels","text":"4"})");
    Pick(2, 2, "4M");
    Pick(4, 2, "30FPS");
    EXPECT_EQ(g.Cell(4, 2), "15FPS");
    Do(R"({"do":"standard","value":"PAL"})");
    Pick(2, 2, "4M");
    Pick(4, 2, "25FPS");
    EXPECT_EQ(g.Cell(4, 2), "25FPS");
}

TEST_F(WindowEdits, ComplexityChoice) {
    Start();
    PickModel("ZN50", "4");
    GridTable& g = Grid();
    const std::string midSize = g.Cell(8, 2);
    Pick(7, 1, "Complexity-HIGH");
    EXPECT_DOUBLE_EQ(Form().FComplexityFactor, 1.63);
    EXPECT_EQ(g.Cell(7, 1), "Complexity-HIGH");
    EXPECT_NE(g.Cell(8, 2), midSize);
    EXPECT_DOUBLE_EQ(std::stod(g.Cell(8, 2)) / std::stod(midSize), 1.63 / 1.31);
    EXPECT_NE(g.Cell(7, 2).find(" MB"), std::string::npos);  // channel rows show volumes
    Pick(7, 1, "Complexity-LOW");
    EXPECT_DOUBLE_EQ(Form().FComplexityFactor, 1.0);
    Do(R"({"do":"channels","text":"8"})");
    EXPECT_EQ(g.Cell(7, 1), "Complexity-MID");
    EXPECT_DOUBLE_EQ(Form().FComplexityFactor, 1.31);
}

TEST_F(WindowEdits, AllRowFrameRateOutsideTheListTakesItsFirstEntry) {
    Start();
    Form().AGridHddGetEditorType(4, 1);  // the ALL row's list, as when its editor opened
    Form().ApplyAllRowChange(4, "99FPS");
    for (int row = 2; row <= 5; ++row) EXPECT_EQ(Grid().Cell(4, row), "30FPS");
}

TEST_F(WindowEdits, DoubleClickUnticksFromTheLastChannelUntilTheBudgetFits) {
    Start();
    PickModel("VR7320", "4");  // budget 1920 at every count
    Pick(2, 1, "1080P");
    Pick(4, 1, "30FPS");  // 4 x 30 x 21.3333 = 2560
    TForm1& f = Form();
    ASSERT_TRUE(f.OverLimitState());
    EXPECT_TRUE(f.lbOverState1->blinking());
    EXPECT_EQ(f.lbLimitValue->text(), "2560");
    Do(R"({"do":"dblclickLimit"})");
    EXPECT_FALSE(Grid().IsChecked(0, 5));
    EXPECT_TRUE(Grid().IsChecked(0, 4));
    EXPECT_FALSE(f.OverLimitState());
    EXPECT_EQ(f.lbLimitValue->text(), "1920");
    EXPECT_EQ(Grid().Cell(4, 6), "90FPS");
    // In the normal state a double click does nothing.
    Do(R"({"do":"dblclickLimit"})");
    EXPECT_TRUE(Grid().IsChecked(0, 4));
}

TEST_F(WindowEdits, DoubleClickNeverUnticksChannelOne) {
    // A ceiling of 200 lets one D1 channel cost 800, above KM20's budget of 640.
    Start(
        "[MODEL]\nCNT=1\n0=KM20|fast|Y|N|N|N|N|0|\n"
        "[QUAL]\nCNT=1\n0=KM20|NTSC|D1|HIGH|ANALOG|10|Y|\n"
        "[RATE]\nCNT=2\n0=KM20|NTSC|4|CIF|30FPS|\n1=KM20|NTSC|4|D1|200FPS|\n");
    Pick(2, 1, "D1");
    Pick(4, 1, "200FPS");
    ASSERT_TRUE(Form().OverLimitState());
    Do(R"({"do":"dblclickLimit"})");
    EXPECT_TRUE(Grid().IsChecked(0, 2));
    for (int row = 3; row <= 5; ++row) EXPECT_FALSE(Grid().IsChecked(0, row));
    EXPECT_TRUE(Form().OverLimitState());
    EXPECT_EQ(Form().lbLimitValue->text(), "800");
    EXPECT_EQ(Grid().Cell(4, 6), "200FPS");
    EXPECT_EQ(Form().FEncodingCosts[1], 0);
}

}  // namespace
}  // namespace tessavo
