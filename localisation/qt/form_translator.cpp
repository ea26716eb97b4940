// TranslateForm: the walk over a window's components, the first matching row of the class table
// deciding what each one gets.
//
// The table keeps the component class names of the toolkit the window was designed in; each row
// applies to the Qt widget that plays the same role here:
//
//   #  layout class              Qt role here                      fonts               texts
//   1  TAdvToolBarOfficeStyler   none (Qt styles are not components)
//   2  TAdvMenuOfficeStyler      none
//   3  TAdvPanelStyler           none
//   4  TAdvOfficeCheckBox        none (QCheckBox is row 12)
//   5  TComboBox, TLarkComboBox  QComboBox, TLarkComboBox           full               items, hint
//   6  TAdvDirectoryEdit         none
//   7  TAdvProgressBar           none (QProgressBar plays TAdvProgress, which has no row)
//   8  TLabel                    QLabel but not Panel or           full               caption, hint
//                                BlinkingLabel (a custom label)
//   9  TImage                    none (a picture is a QLabel, row 8)
//  10  TListBox                  QListView, QListWidget            list, own font     hint
//  11  TEdit                     QLineEdit                         full, own font     hint
//  12  TCheckBox                 QCheckBox                         full, own font     caption, hint
//  13  TRadioButton              QRadioButton                      full, own font     caption, hint
//  14  TAction                   QAction (also row 27)             none               caption, hint
//  15  TBitBtn                   none (row 25/26 take QPushButton)
//  16  TSpeedButton              QToolButton                       full, own font     caption, hint
//  17  TAdvGlowButton            none
//  18  TStaticText               none (QLabel, row 8)
//  19  TStatusBar                QStatusBar                        full, own font     hint
//  20  TAdvTabSheet              none (row 24)
//  21  TAdvPageControl           none (row 22)
//  22  TPageControl              QTabWidget                        full, own font     hint
//  23  TGroupBox                 QGroupBox                         full, own font     caption, hint
//  24  TTabSheet                 a page of a QTabWidget            full, own font     hint
//  25  TButton                   QPushButton, not flat             full, own font     caption
//  26  TdxButton                 QPushButton, flat                 full, own font     caption, hint
//  27  TMenuItem                 QAction in a menu (row 14)
//  28  TAdvPanel                 none
//  29  TAdvToolBar               QToolBar                          none               caption, hint
//  30  TAdvToolBarButton         none (a toolbar's buttons show their QAction, row 14)
//  31  TAdvToolBarMenuButton     none
//  32  TListView                 QTreeWidget                       list, always       column
//  captions 33  TAdvColumnGrid            QTableWidget                      full; header name
//  column headers 34  TAdvTabSet                QTabBar on its own                full tab captions
//  35  TSaveDialog               QFileDialog (35 to 37)            none               title
//  36  TOpenDialog               QFileDialog
//  37  TFolderDialog             QFileDialog
//  38  TQRLabel                  none (no report components)
//  39  TQRSysData                none
//  40  TPanel                    Panel                             name               caption
//  41  TAdvStringGrid            StringGrid                        full, both fonts   every cell
//
// "own font" is the layout's ParentFont = false: in Qt, a widget with a font of its own set
// (Qt::WA_SetFont); one that follows its parent gets the window's new font through it. Left
// alone: the frame (QFrame), ReflectionLabel, BlinkingLabel, QProgressBar, timers.
// The two push-button rows are told apart by flat(): the layout's TdxButton is a flat button.
#include "localisation/qt/form_translator.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "localisation/U_MultiLanguage.h"
#include "localisation/qt/utLarkControls.h"
#include "platform/pauses.h"
#include "platform/qt/blinking_label.h"
#include "platform/qt/panel.h"
#include "platform/qt/string_grid.h"

namespace tessavo {

namespace {

QString Tr(const QString& text) {
    const std::u16string out = translate(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    return QString::fromUtf16(out.data(), static_cast<qsizetype>(out.size()));
}

std::string Tr(const std::string& text) {
    return Tr(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))).toStdString();
}

QFont WithName(QFont font) {
    font.setFamily(kFormFontName);
    return font;
}

QFont Full(QFont font) {
    font = WithName(font);
    font.setPointSize(kFormFontPoints);
    return font;
}

void FullFont(QWidget* widget) {
    widget->setFont(Full(widget->font()));
}

bool OwnFont(const QWidget* widget) {
    return widget->testAttribute(Qt::WA_SetFont);
}

void FullFontUnlessParentFont(QWidget* widget) {
    if (OwnFont(widget))
        FullFont(widget);
}

// Lists: the name, then the size, one point larger for the tagged ones.
void ListFont(QWidget* widget) {
    QFont font = WithName(widget->font());
    const bool larger = widget->property("tag").toInt() == kLargerListTag;
    font.setPointSize(kFormFontPoints + (larger ? 1 : 0));
    widget->setFont(font);
}

void TranslateHint(QWidget* widget) {
    widget->setToolTip(Tr(widget->toolTip()));
}

// ---- the rows

void TranslateComboBox(QComboBox* combo) {
    FullFont(combo);
    const int selected = combo->currentIndex();
    auto* lark = qobject_cast<TLarkComboBox*>(combo);
    for (int i = 0; i < combo->count(); ++i) {
        if (lark) {
            // The displayed item becomes the translation of its source text; the source stays.
            // An item shown without a source text (inserted by a passed-on request) stays as is.
            const std::optional<std::string> source = lark->SourceText(i);
            if (source)
                combo->setItemText(i, QString::fromStdString(Tr(*source)));
        } else {
            combo->setItemText(i, Tr(combo->itemText(i)));
        }
    }
    TranslateHint(combo);
    combo->setCurrentIndex(selected);
}

bool IsPlainLabel(const QObject* object) {
    return qobject_cast<const QLabel*>(object) && !qobject_cast<const Panel*>(object) &&
           !qobject_cast<const BlinkingLabel*>(object);
}

// The layout's labels size themselves to their caption; Qt's do not. So a label that fitted its
// caption before the walk (window font included) is fitted again after it, keeping its right
// edge when it is right-aligned.
bool FitsCaption(const QObject* object) {
    const auto* label = qobject_cast<const QLabel*>(object);
    return label && label->size() == label->sizeHint();
}

void TranslateLabel(QLabel* label, bool fitsCaption) {
    const int right = label->geometry().right();
    FullFont(label);
    label->setText(Tr(label->text()));
    TranslateHint(label);
    label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
    if (fitsCaption) {
        label->resize(label->sizeHint());
        if (label->alignment() & Qt::AlignRight)
            label->move(right - label->width() + 1, label->y());
    }
}

void TranslateListView(QListView* list) {
    if (OwnFont(list))
        ListFont(list);
    TranslateHint(list);
}

void TranslateLineEdit(QLineEdit* edit) {
    FullFontUnlessParentFont(edit);
    TranslateHint(edit);
}

void TranslateCaptionedButton(QAbstractButton* button) {
    FullFontUnlessParentFont(button);
    button->setText(Tr(button->text()));
    TranslateHint(button);
}

void TranslateAction(QAction* action) {
    // Read first: an action without a hint of its own shows its caption as the hint.
    const QString hint = action->toolTip();
    action->setText(Tr(action->text()));
    action->setToolTip(Tr(hint));
}

void TranslateHintOnly(QWidget* widget) {
    FullFontUnlessParentFont(widget);
    TranslateHint(widget);
}

void TranslateGroupBox(QGroupBox* group) {
    FullFontUnlessParentFont(group);
    group->setTitle(Tr(group->title()));
    TranslateHint(group);
}

bool IsTabPage(const QObject* object) {
    const QObject* stack = object->parent();
    return object->isWidgetType() && qobject_cast<const QStackedWidget*>(stack) &&
           qobject_cast<const QTabWidget*>(stack->parent());
}

void TranslatePlainButton(QPushButton* button) {
    Pause(1);
    FullFontUnlessParentFont(button);
    button->setText(Tr(button->text()));
}

void TranslateToolBar(QToolBar* bar) {
    bar->setWindowTitle(Tr(bar->windowTitle()));
    TranslateHint(bar);
}

void TranslateTreeWidget(QTreeWidget* tree) {
    ListFont(tree);
    QTreeWidgetItem* header = tree->headerItem();
    for (int col = 0; header && col < tree->columnCount(); ++col) {
        header->setText(col, Tr(header->text(col)));
    }
}

void TranslateTableWidget(QTableWidget* table) {
    FullFont(table);
    // Qt keeps no font per column; the header entry's font gets the name. A column without a
    // header entry of its own shows Qt's number and is left so.
    for (int col = 0; col < table->columnCount(); ++col) {
        if (QTableWidgetItem* item = table->horizontalHeaderItem(col)) {
            item->setFont(WithName(item->font()));
            item->setText(Tr(item->text()));
        }
    }
}

void TranslateTabBar(QTabBar* bar) {
    FullFont(bar);
    for (int i = 0; i < bar->count(); ++i) bar->setTabText(i, Tr(bar->tabText(i)));
}

void TranslatePanel(Panel* panel) {
    panel->setFont(WithName(panel->font()));
    panel->setText(Tr(panel->text()));
}

void TranslateGrid(StringGrid* grid) {
    grid->fixedFont = Full(grid->fixedFont);
    grid->cellFont = Full(grid->cellFont);
    FullFont(grid);
    GridTable& table = grid->Table();
    for (int col = 0; col < table.ColCount(); ++col) {
        for (int row = 0; row < table.RowCount(); ++row) {
            table.SetCell(col, row, Tr(table.Cell(col, row)));
        }
    }
    grid->viewport()->update();
}

template <typename T>
bool Is(const QObject* object) {
    return qobject_cast<const T*>(object) != nullptr;
}

template <typename T>
T* As(QObject* object) {
    return static_cast<T*>(object);
}

struct Component {
    QPointer<QObject> object;
    // Taken before anything changes (see FitsCaption).
    bool fitsCaption = false;
};

struct Row {
    bool (*matches)(const QObject*);
    void (*apply)(QObject*, const Component&);
};

// In table order: the first row that matches decides.
const Row kRows[] = {
    {Is<QComboBox>, [](QObject* o, const Component&) { TranslateComboBox(As<QComboBox>(o)); }},
    {IsPlainLabel,
     [](QObject* o, const Component& c) { TranslateLabel(As<QLabel>(o), c.fitsCaption); }},
    {Is<QListView>, [](QObject* o, const Component&) { TranslateListView(As<QListView>(o)); }},
    {Is<QLineEdit>, [](QObject* o, const Component&) { TranslateLineEdit(As<QLineEdit>(o)); }},
    {Is<QCheckBox>,
     [](QObject* o, const Component&) { TranslateCaptionedButton(As<QCheckBox>(o)); }},
    {Is<QRadioButton>,
     [](QObject* o, const Component&) { TranslateCaptionedButton(As<QRadioButton>(o)); }},
    {Is<QAction>, [](QObject* o, const Component&) { TranslateAction(As<QAction>(o)); }},
    {Is<QToolButton>,
     [](QObject* o, const Component&) { TranslateCaptionedButton(As<QToolButton>(o)); }},
    {Is<QStatusBar>, [](QObject* o, const Component&) { TranslateHintOnly(As<QWidget>(o)); }},
    {Is<QTabWidget>, [](QObject* o, const Component&) { TranslateHintOnly(As<QWidget>(o)); }},
    {Is<QGroupBox>, [](QObject* o, const Component&) { TranslateGroupBox(As<QGroupBox>(o)); }},
    {IsTabPage, [](QObject* o, const Component&) { TranslateHintOnly(As<QWidget>(o)); }},
    {[](const QObject* o) {
         return Is<QPushButton>(o) && !static_cast<const QPushButton*>(o)->isFlat();
     },
     [](QObject* o, const Component&) { TranslatePlainButton(As<QPushButton>(o)); }},
    {[](const QObject* o) {
         return Is<QPushButton>(o) && static_cast<const QPushButton*>(o)->isFlat();
     },
     [](QObject* o, const Component&) { TranslateCaptionedButton(As<QPushButton>(o)); }},
    {Is<QToolBar>, [](QObject* o, const Component&) { TranslateToolBar(As<QToolBar>(o)); }},
    {Is<QTreeWidget>,
     [](QObject* o, const Component&) { TranslateTreeWidget(As<QTreeWidget>(o)); }},
    {Is<QTableWidget>,
     [](QObject* o, const Component&) { TranslateTableWidget(As<QTableWidget>(o)); }},
    {Is<QTabBar>, [](QObject* o, const Component&) { TranslateTabBar(As<QTabBar>(o)); }},
    {Is<QFileDialog>,
     [](QObject* o, const Component&) {
         As<QWidget>(o)->setWindowTitle(Tr(As<QWidget>(o)->windowTitle()));
     }},
    {Is<Panel>, [](QObject* o, const Component&) { TranslatePanel(As<Panel>(o)); }},
    {Is<StringGrid>, [](QObject* o, const Component&) { TranslateGrid(As<StringGrid>(o)); }},
};

// ---- which objects are the window's components

enum class Part {
    Component,    // visited, and its children looked at
    Closed,       // visited; its children are its own making
    Hidden,       // Qt's own part: neither visited nor entered
    PassThrough,  // Qt's own part that holds components (a scroll area's content, tab pages)
};

Part Classify(const QObject* child, const QObject* parent) {
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(parent)) {
        if (child == area->viewport())
            return Is<QScrollArea>(parent) ? Part::PassThrough : Part::Hidden;
        if (const auto* table = qobject_cast<const QTableView*>(parent)) {
            if (child == table->horizontalHeader() || child == table->verticalHeader() ||
                child->inherits("QTableCornerButton"))
                return Part::Hidden;
        }
        if (const auto* tree = qobject_cast<const QTreeView*>(parent);
            tree && child == tree->header())
            return Part::Hidden;
    }
    if (Is<QTabWidget>(parent) && Is<QStackedWidget>(child))
        return Part::PassThrough;
    if (const auto* bar = qobject_cast<const QToolBar*>(parent);
        bar && child == bar->toggleViewAction())
        return Part::Hidden;
    // A tool button that shows an action: the action is the component.
    if (const auto* tool = qobject_cast<const QToolButton*>(child); tool && tool->defaultAction())
        return Part::Hidden;
    if (child->objectName().startsWith(QLatin1String("qt_")))
        return Part::Hidden;
    if (Is<QComboBox>(child) || Is<QAbstractSpinBox>(child) || Is<QLineEdit>(child) ||
        Is<QTabBar>(child) || Is<QDialog>(child))
        return Part::Closed;
    return Part::Component;
}

void CollectComponents(const QObject* parent, std::vector<Component>& components) {
    for (QObject* child : parent->children()) {
        switch (Classify(child, parent)) {
            case Part::Component:
                components.push_back({child, FitsCaption(child)});
                CollectComponents(child, components);
                break;
            case Part::Closed:
                components.push_back({child, FitsCaption(child)});
                break;
            case Part::PassThrough:
                CollectComponents(child, components);
                break;
            case Part::Hidden:
                break;
        }
    }
}

}  // namespace

void TranslateForm(QObject* component) {
    auto* window = qobject_cast<QWidget*>(component);
    if (!window)
        return;
    std::vector<Component> components;
    CollectComponents(window, components);
    if (window->isWindow()) {
        FullFont(window);
        window->setWindowTitle(Tr(window->windowTitle()));
    }
    for (const Component& entry : components) {
        QObject* object = entry.object;
        if (!object)
            continue;
        for (const Row& row : kRows) {
            if (row.matches(object)) {
                row.apply(object, entry);
                break;
            }
        }
    }
}

}  // namespace tessavo
