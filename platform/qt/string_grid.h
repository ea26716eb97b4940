// A string grid widget over a GridTable: per-cell colours, check boxes, merges, an alignment
// query and an editor query with one shared drop-down editor.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

#include "channels/grid_table.h"

namespace tessavo {

enum class CellAlign { Left, Center, Right };

// What the editor query answers for a cell.
struct CellEditor {
    enum class Kind { None, DropDown, Plain };
    Kind kind = Kind::Plain;
    std::vector<std::string> items;
};

class StringGrid;

class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit StringGridModel(StringGrid& grid);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void Reset();

  private:
    StringGrid& grid_;
};

class StringGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit StringGridDelegate(StringGrid& grid);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  private:
    StringGrid& grid_;
};

class StringGrid : public QTableView {
    Q_OBJECT
  public:
    StringGrid(int colCount, int rowCount, QWidget* parent = nullptr);

    GridTable& Table() { return table_; }
    const GridTable& Table() const { return table_; }

    // Fixed rows are drawn as headers in the fixed font.
    int fixedRows = 0;
    int fixedCols = 0;
    QFont cellFont;
    QFont fixedFont;
    // Rows the shared drop-down editor shows at once; the editor query may change it.
    int dropDownRows = 8;

    std::function<CellAlign(int row, int col)> alignmentQuery;
    std::function<CellEditor(int col, int row)> editorQuery;
    std::function<void(int col, int row, bool checked)> onCheckBoxClick;
    std::function<void(int col, int row, int itemIndex, const std::string& text)> onComboChange;

    // The editor query for a cell, as the grid asks it before editing.
    CellEditor EditorFor(int col, int row) const;
    // Opens the cell's drop-down as the user would and picks the item with this text. Returns an
    // empty string on success, else why it could not be done.
    std::string PickItem(int col, int row, const std::string& text);
    // Clicks the check box of a cell. Returns an empty string on success, else the reason.
    std::string ClickCheckBox(int col, int row);

    // Brings the view in line with the table (rows, widths, merges).
    void Sync();

  private:
    GridTable table_;
    StringGridModel model_;
    StringGridDelegate delegate_;
    bool syncQueued_ = false;
};

}  // namespace tessavo
