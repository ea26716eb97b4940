// A grid as plain data: cell texts, per-cell colours and bold style, check boxes, merges and
// column widths. The window shows it through a Qt model; the logic never touches the view.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessavo {

// An RGB colour or one of the system colours the window uses by name.
struct CellColour {
    enum class Kind { Rgb, ButtonFace, GrayText };
    Kind kind = Kind::Rgb;
    uint32_t rgb = 0;  // 0xRRGGBB for Kind::Rgb

    static CellColour Rgb(int r, int g, int b) {
        return {Kind::Rgb, (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
                               static_cast<uint32_t>(b)};
    }
    static CellColour ButtonFace() { return {Kind::ButtonFace, 0}; }
    static CellColour GrayText() { return {Kind::GrayText, 0}; }
    // "#rrggbb", or the system colour's name ("ButtonFace", "GrayText").
    std::string Name() const;
    bool operator==(const CellColour&) const = default;
};

struct CellStyle {
    CellColour background = CellColour::Rgb(255, 255, 255);
    CellColour font = CellColour::Rgb(0, 0, 0);
    bool bold = false;
};

struct CellMerge {
    int col = 0;
    int row = 0;
    int colSpan = 1;
    int rowSpan = 1;
};

class GridTable {
  public:
    GridTable(int colCount, int rowCount);

    int ColCount() const { return colCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // New rows are empty with the default style; dropped rows lose their check boxes and merges.
    void SetRowCount(int rowCount);

    // Cells outside the grid read as empty and ignore writes.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);

    // A hint shown when the pointer rests on the cell.
    const std::string& Hint(int col, int row) const;
    void SetHint(int col, int row, std::string hint);

    CellStyle Style(int col, int row) const;
    void SetBackground(int col, int row, CellColour colour);
    void SetFontColour(int col, int row, CellColour colour);
    void SetBold(int col, int row, bool bold);
    // The style of every cell of a row.
    void SetRowStyle(int row, CellColour background, CellColour font, bool bold);

    bool HasCheckBox(int col, int row) const;
    bool IsChecked(int col, int row) const;
    void AddCheckBox(int col, int row, bool checked);
    void RemoveCheckBox(int col, int row);
    void SetChecked(int col, int row, bool checked);

    void MergeCells(int col, int row, int colSpan, int rowSpan);
    // Undoes every merge that covers a cell of the row.
    void SplitRow(int row);
    const std::vector<CellMerge>& Merges() const { return merges_; }
    std::optional<CellMerge> MergeAt(int col, int row) const;

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int height) { rowHeight_ = height; }

    // Called after every change, so a view can refresh.
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

  private:
    struct CellData {
        std::string text;
        std::string hint;
        CellStyle style;
        bool hasCheck = false;
        bool checked = false;
    };
    bool Inside(int col, int row) const;
    CellData* At(int col, int row);
    const CellData* At(int col, int row) const;
    void Changed() const;

    int colCount_;
    int rowHeight_ = 22;
    std::vector<std::vector<CellData>> rows_;
    std::vector<int> widths_;
    std::vector<CellMerge> merges_;
    std::function<void()> listener_;
};

}  // namespace tessavo
