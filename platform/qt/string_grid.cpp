// A string grid widget over a GridTable: per-cell colours, check boxes, merges, an alignment
// query and an editor query with one shared drop-down editor.
#include "platform/qt/string_grid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>

namespace tessavo {

namespace {
QColor ToQColor(const CellColour& colour, const QPalette& palette) {
    switch (colour.kind) {
        case CellColour::Kind::ButtonFace:
            return palette.color(QPalette::Button);
        case CellColour::Kind::GrayText:
            return palette.color(QPalette::Disabled, QPalette::WindowText);
        case CellColour::Kind::Rgb:
            break;
    }
    return QColor::fromRgb(colour.rgb);
}

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}
}  // namespace

StringGridModel::StringGridModel(StringGrid& grid) : grid_(grid) {}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Table().RowCount();
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Table().ColCount();
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const GridTable& table = grid_.Table();
    const int col = index.column();
    const int row = index.row();
    const bool fixed = row < grid_.fixedRows || col < grid_.fixedCols;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToQString(table.Cell(col, row));
        case Qt::BackgroundRole:
            if (row < grid_.fixedRows)
                return grid_.palette().color(QPalette::Button);
            return ToQColor(table.Style(col, row).background, grid_.palette());
        case Qt::ForegroundRole:
            return ToQColor(table.Style(col, row).font, grid_.palette());
        case Qt::FontRole: {
            QFont font = fixed ? grid_.fixedFont : grid_.cellFont;
            if (table.Style(col, row).bold)
                font.setBold(true);
            return font;
        }
        case Qt::TextAlignmentRole: {
            CellAlign align = CellAlign::Left;
            if (grid_.alignmentQuery)
                align = grid_.alignmentQuery(row, col);
            const Qt::Alignment h = align == CellAlign::Center  ? Qt::AlignHCenter
                                    : align == CellAlign::Right ? Qt::AlignRight
                                                                : Qt::AlignLeft;
            return QVariant::fromValue(h | Qt::AlignVCenter);
        }
        case Qt::CheckStateRole:
            if (table.HasCheckBox(col, row)) {
                return table.IsChecked(col, row) ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case Qt::ToolTipRole: {
            const std::string& hint = table.Hint(col, row);
            return hint.empty() ? QVariant() : QVariant(ToQString(hint));
        }
        default:
            return {};
    }
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    if (role == Qt::CheckStateRole) {
        return grid_.ClickCheckBox(index.column(), index.row()).empty();
    }
    if (role == Qt::EditRole) {
        grid_.Table().SetCell(index.column(), index.row(), value.toString().toStdString());
        return true;
    }
    return false;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // The editor query runs only when an edit starts: it has side effects on the option lists.
    if (index.row() >= grid_.fixedRows)
        flags |= Qt::ItemIsEditable;
    if (grid_.Table().HasCheckBox(index.column(), index.row()))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

void StringGridModel::Reset() {
    beginResetModel();
    endResetModel();
}

StringGridDelegate::StringGridDelegate(StringGrid& grid)
    : QStyledItemDelegate(&grid), grid_(grid) {}

QWidget* StringGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    const int col = index.column();
    const int row = index.row();
    const CellEditor editor = grid_.EditorFor(col, row);
    if (editor.kind == CellEditor::Kind::None)
        return nullptr;
    if (editor.kind == CellEditor::Kind::Plain) {
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    auto* combo = new QComboBox(parent);
    combo->setFont(grid_.cellFont);
    for (const std::string& item : editor.items) combo->addItem(ToQString(item));
    combo->setMaxVisibleItems(std::max(grid_.dropDownRows, 1));
    const int current = combo->findText(ToQString(grid_.Table().Cell(col, row)));
    combo->setCurrentIndex(current);
    StringGrid* grid = &grid_;
    auto* self = const_cast<StringGridDelegate*>(this);
    connect(combo, &QComboBox::activated, combo, [self, grid, combo, col, row](int itemIndex) {
        const std::string text = combo->itemText(itemIndex).toStdString();
        emit self->closeEditor(combo);
        // The reaction may run long and process events; let the editor close first.
        QTimer::singleShot(0, grid, [grid, col, row, itemIndex, text] {
            if (grid->onComboChange)
                grid->onComboChange(col, row, itemIndex, text);
        });
    });
    QTimer::singleShot(0, combo, &QComboBox::showPopup);
    return combo;
}

void StringGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (qobject_cast<QComboBox*>(editor))
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void StringGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    // A pick is written by the reaction to it, not by the editor.
    if (qobject_cast<QComboBox*>(editor))
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}

StringGrid::StringGrid(int colCount, int rowCount, QWidget* parent)
    : QTableView(parent), table_(colCount, rowCount), model_(*this), delegate_(*this) {
    setModel(&model_);
    setItemDelegate(&delegate_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    table_.SetChangeListener([this] {
        if (syncQueued_)
            return;
        syncQueued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Sync(); }, Qt::QueuedConnection);
    });
    Sync();
}

CellEditor StringGrid::EditorFor(int col, int row) const {
    if (editorQuery)
        return editorQuery(col, row);
    return CellEditor{};
}

std::string StringGrid::PickItem(int col, int row, const std::string& text) {
    if (col < 0 || col >= table_.ColCount() || row < 0 || row >= table_.RowCount()) {
        return "no such cell";
    }
    const CellEditor editor = EditorFor(col, row);
    if (editor.kind != CellEditor::Kind::DropDown)
        return "the cell offers no drop-down editor";
    for (std::size_t i = 0; i < editor.items.size(); ++i) {
        if (editor.items[i] == text) {
            if (onComboChange)
                onComboChange(col, row, static_cast<int>(i), text);
            return {};
        }
    }
    return "the drop-down does not offer \"" + text + "\"";
}

std::string StringGrid::ClickCheckBox(int col, int row) {
    if (!table_.HasCheckBox(col, row))
        return "the cell has no check box";
    const bool checked = !table_.IsChecked(col, row);
    table_.SetChecked(col, row, checked);
    if (onCheckBoxClick)
        onCheckBoxClick(col, row, checked);
    return {};
}

void StringGrid::Sync() {
    syncQueued_ = false;
    model_.Reset();
    clearSpans();
    for (const CellMerge& m : table_.Merges()) setSpan(m.row, m.col, m.rowSpan, m.colSpan);
    for (int col = 0; col < table_.ColCount(); ++col) {
        const int width = table_.ColWidth(col);
        setColumnHidden(col, width == 0);
        if (width > 0)
            setColumnWidth(col, width);
    }
    for (int row = 0; row < table_.RowCount(); ++row) setRowHeight(row, table_.RowHeight());
}

}  // namespace tessavo
