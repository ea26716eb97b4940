// A locale that renames resolutions and qualities changes what the window shows, never what it
// computes: every model's rows, frame-rate lists, rates, volumes, costs and totals, after the
// rebuild and after picks, equal those of the untranslated run once read back as source texts.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

#include "tests/window_fixture.h"

namespace tessavo {
namespace {

using List = std::vector<std::string>;

const char kRenamingLocale[] =
    "1 CIF\n2 CIF Viertel\n"
    "1 D1\n2 D1 Vollbild\n"
    "1 HIGH\n2 HOCH\n"
    "1 MID\n2 MITTEL\n"
    "1 LOW\n2 NIEDRIG\n";

class WindowTranslatedNames : public WindowFixture {
  protected:
    // The window's figures in source texts, one line per grid row plus totals and cost.
    List Snapshot() {
        TForm1& f = Form();
        GridTable& g = Grid();
        List lines;
        for (int row = 1; row < g.RowCount(); ++row) {
            std::string line = std::to_string(row) + ":";
            for (int col = 1; col < g.ColCount(); ++col)
                line += " | " + reverseTranslate(g.Cell(col, row));
            if (g.HasCheckBox(0, row))
                line += g.IsChecked(0, row) ? " [x]" : " [ ]";
            // The frame rates the row offers for its resolution.
            if (row < g.RowCount() - 1) {
                line += " fps:";
                for (const std::string& fps : f.AGridHddGetEditorType(4, row).items)
                    line += " " + fps;
            }
            lines.push_back(line);
        }
        for (int row = 0; row < f.AGridTotal->Table().RowCount(); ++row) {
            lines.push_back("total " + std::to_string(row) + ": " +
                            reverseTranslate(f.AGridTotal->Table().Cell(1, row)));
        }
        std::string costs = "costs:";
        for (double cost : f.FEncodingCosts) costs += " " + std::to_string(cost);
        lines.push_back(costs + " used " + f.lbLimitValue->text().toStdString() +
                        f.lbLimitMax->text().toStdString());
        return lines;
    }

    // Picks the display text of `source` in a cell's drop-down, when the cell offers it.
    bool PickSource(int col, int row, const std::string& source) {
        const std::string shown = translate(source);
        const List items = Form().AGridHddGetEditorType(col, row).items;
        if (std::find(items.begin(), items.end(), shown) == items.end())
            return false;
        Pick(col, row, shown);
        return true;
    }

    // Every model: after its rebuild, after D1 and LOW in the first channel, after D1 in the
    // ALL row.
    std::vector<List> Run() {
        std::vector<List> steps;
        const int models = Form().cbModel->count();
        for (int i = 0; i < models; ++i) {
            Do("{\"do\":\"model\",\"index\":" + std::to_string(i) + "}");
            steps.push_back(Snapshot());
            if (Grid().RowCount() < 4)
                continue;
            if (PickSource(2, 2, "D1"))
                steps.push_back(Snapshot());
            if (PickSource(3, 2, "LOW"))
                steps.push_back(Snapshot());
            if (PickSource(2, 1, "D1"))
                steps.push_back(Snapshot());
        }
        return steps;
    }

    int CellsShowing(const std::string& text) {
        int n = 0;
        for (int row = 0; row < Grid().RowCount(); ++row) {
            for (int col = 0; col < Grid().ColCount(); ++col) n += Grid().Cell(col, row) == text;
        }
        return n;
    }
};

TEST_F(WindowTranslatedNames, EveryModelComputesAsUntranslated) {
    Start();
    const std::vector<List> plain = Run();
    driver_.reset();

    ASSERT_TRUE(LocaleTable().LoadFromBytes(kRenamingLocale));
    driver_ = std::make_unique<ScenarioDriver>(folder_.path().toStdString());
    ASSERT_TRUE(driver_->WaitUntilLoaded());
    // The first model's default rows show the renamed resolution (in the ALL row: the channel
    // rows are written with the source name) and the renamed quality.
    EXPECT_GT(CellsShowing("CIF Viertel"), 0);
    EXPECT_GT(CellsShowing("HOCH"), 0);
    const std::vector<List> renamed = Run();

    ASSERT_EQ(renamed.size(), plain.size());
    ASSERT_GT(plain.size(), static_cast<std::size_t>(Form().cbModel->count()));
    for (std::size_t step = 0; step < plain.size(); ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        EXPECT_EQ(renamed[step], plain[step]);
    }
}

TEST_F(WindowTranslatedNames, ChannelRowsKeepTheirFrameRatesRateAndCost) {
    // The single case behind the comparison above, spelled out: VR50's channel rows at D1.
    Start();
    Pick(2, 1, "D1");
    const List fps = Form().AGridHddGetEditorType(4, 2).items;
    const std::string rate = Grid().Cell(8, 2);
    const double cost = Form().FEncodingCosts[0];
    driver_.reset();

    ASSERT_TRUE(LocaleTable().LoadFromBytes(kRenamingLocale));
    driver_ = std::make_unique<ScenarioDriver>(folder_.path().toStdString());
    ASSERT_TRUE(driver_->WaitUntilLoaded());
    Pick(2, 1, "D1 Vollbild");
    EXPECT_EQ(Grid().Cell(2, 2), "D1 Vollbild");
    EXPECT_FALSE(fps.empty());
    EXPECT_EQ(Form().AGridHddGetEditorType(4, 2).items, fps);
    EXPECT_FALSE(rate.empty());
    EXPECT_EQ(Grid().Cell(8, 2), rate);
    // D1 weighs four times CIF; a name the weights did not know would weigh one.
    EXPECT_GT(cost, 0);
    EXPECT_DOUBLE_EQ(Form().FEncodingCosts[0], cost);
}

}  // namespace
}  // namespace tessavo
