// A grid as plain data: cell texts, per-cell colours and bold style, check boxes, merges.
#include "channels/grid_table.h"

#include <algorithm>

namespace tessavo {

std::string CellColour::Name() const {
    switch (kind) {
        case Kind::ButtonFace:
            return "ButtonFace";
        case Kind::GrayText:
            return "GrayText";
        case Kind::Rgb:
            break;
    }
    static const char* hex = "0123456789abcdef";
    std::string out = "#";
    for (int shift = 20; shift >= 0; shift -= 4) out.push_back(hex[(rgb >> shift) & 0xF]);
    return out;
}

GridTable::GridTable(int colCount, int rowCount)
    : colCount_(std::max(colCount, 0)), widths_(static_cast<std::size_t>(colCount_), 64) {
    SetRowCount(rowCount);
}

void GridTable::SetRowCount(int rowCount) {
    rowCount = std::max(rowCount, 0);
    rows_.resize(static_cast<std::size_t>(rowCount),
                 std::vector<CellData>(static_cast<std::size_t>(colCount_)));
    std::erase_if(merges_, [&](const CellMerge& m) { return m.row >= rowCount; });
    Changed();
}

bool GridTable::Inside(int col, int row) const {
    return col >= 0 && col < colCount_ && row >= 0 && row < RowCount();
}

GridTable::CellData* GridTable::At(int col, int row) {
    return Inside(col, row) ? &rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]
                            : nullptr;
}

const GridTable::CellData* GridTable::At(int col, int row) const {
    return Inside(col, row) ? &rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]
                            : nullptr;
}

void GridTable::Changed() const {
    if (listener_)
        listener_();
}

const std::string& GridTable::Cell(int col, int row) const {
    static const std::string empty;
    const CellData* cell = At(col, row);
    return cell ? cell->text : empty;
}

void GridTable::SetCell(int col, int row, std::string text) {
    if (CellData* cell = At(col, row)) {
        cell->text = std::move(text);
        Changed();
    }
}

const std::string& GridTable::Hint(int col, int row) const {
    static const std::string empty;
    const CellData* cell = At(col, row);
    return cell ? cell->hint : empty;
}

void GridTable::SetHint(int col, int row, std::string hint) {
    if (CellData* cell = At(col, row)) {
        cell->hint = std::move(hint);
        Changed();
    }
}

CellStyle GridTable::Style(int col, int row) const {
    const CellData* cell = At(col, row);
    return cell ? cell->style : CellStyle{};
}

void GridTable::SetBackground(int col, int row, CellColour colour) {
    if (CellData* cell = At(col, row)) {
        cell->style.background = colour;
        Changed();
    }
}

void GridTable::SetFontColour(int col, int row, CellColour colour) {
    if (CellData* cell = At(col, row)) {
        cell->style.font = colour;
        Changed();
    }
}

void GridTable::SetBold(int col, int row, bool bold) {
    if (CellData* cell = At(col, row)) {
        cell->style.bold = bold;
        Changed();
    }
}

void GridTable::SetRowStyle(int row, CellColour background, CellColour font, bool bold) {
    for (int col = 0; col < colCount_; ++col) {
        if (CellData* cell = At(col, row))
            cell->style = CellStyle{background, font, bold};
    }
    Changed();
}

bool GridTable::HasCheckBox(int col, int row) const {
    const CellData* cell = At(col, row);
    return cell && cell->hasCheck;
}

bool GridTable::IsChecked(int col, int row) const {
    const CellData* cell = At(col, row);
    return cell && cell->hasCheck && cell->checked;
}

void GridTable::AddCheckBox(int col, int row, bool checked) {
    if (CellData* cell = At(col, row)) {
        cell->hasCheck = true;
        cell->checked = checked;
        Changed();
    }
}

void GridTable::RemoveCheckBox(int col, int row) {
    if (CellData* cell = At(col, row)) {
        cell->hasCheck = false;
        cell->checked = false;
        Changed();
    }
}

void GridTable::SetChecked(int col, int row, bool checked) {
    CellData* cell = At(col, row);
    if (cell && cell->hasCheck) {
        cell->checked = checked;
        Changed();
    }
}

void GridTable::MergeCells(int col, int row, int colSpan, int rowSpan) {
    if (!Inside(col, row) || colSpan < 1 || rowSpan < 1)
        return;
    colSpan = std::min(colSpan, colCount_ - col);
    rowSpan = std::min(rowSpan, RowCount() - row);
    merges_.push_back(CellMerge{col, row, colSpan, rowSpan});
    Changed();
}

void GridTable::SplitRow(int row) {
    std::erase_if(merges_,
                  [&](const CellMerge& m) { return row >= m.row && row < m.row + m.rowSpan; });
    Changed();
}

std::optional<CellMerge> GridTable::MergeAt(int col, int row) const {
    for (const CellMerge& m : merges_) {
        if (col >= m.col && col < m.col + m.colSpan && row >= m.row && row < m.row + m.rowSpan) {
            return m;
        }
    }
    return std::nullopt;
}

int GridTable::ColWidth(int col) const {
    return (col >= 0 && col < colCount_) ? widths_[static_cast<std::size_t>(col)] : 0;
}

void GridTable::SetColWidth(int col, int width) {
    if (col >= 0 && col < colCount_) {
        widths_[static_cast<std::size_t>(col)] = std::max(width, 0);
        Changed();
    }
}

}  // namespace tessavo
