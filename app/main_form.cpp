// The main window TForm1: its elements, start-up, the loading sequence and the progress panel.
#include "app/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <exception>

#include "localisation/U_MultiLanguage.h"
#include "localisation/qt/form_translator.h"
#include "model/ini_loader.h"
#include "platform/pauses.h"

namespace tessavo {

namespace {

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

QFont CourierNew(int points, bool bold = false) {
    QFont font("Courier New", points);
    font.setBold(bold);
    return font;
}

Panel* HeaderPanel(QWidget* parent, const char* caption, int x, int y, int w, int h) {
    auto* panel = new Panel(caption, parent);
    panel->setGeometry(x, y, w, h);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFont(CourierNew(9, true));
    panel->setStyleSheet("QLabel { background: #004080; color: white; }");
    return panel;
}

QGroupBox* Group(QWidget* parent, const char* caption, int x, int y, int w, int h) {
    auto* group = new QGroupBox(caption, parent);
    group->setGeometry(x, y, w, h);
    return group;
}

QLabel* Label(QWidget* parent, const char* caption, int x, int y) {
    auto* label = new QLabel(caption, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

const char* const kChannelHeaders[9] = {"",      "Channel",     "Resolution", "Quality", "FPS",
                                        "Audio", "Data / Hour", "Data / Day", "Size"};
const int kChannelWidths[9] = {29, 70, 84, 90, 71, 55, 91, 115, 64};
const char* const kTotalCaptions[5] = {"Data / Hour", "Data / Day", "HDD Size",
                                       "Full Recording Day", "Full Recording Time"};
const char* const kHddPresets[12] = {"160 GB", "320 GB", "500 GB", "750 GB", "1 TB", "1.5 TB",
                                     "2 TB",   "3 TB",   "4 TB",   "6 TB",   "8 TB", "10 TB"};

}  // namespace

TForm1::TForm1(std::string dataFolder, MessageHandler messages, QWidget* parent)
    : QWidget(parent), dataFolder_(std::move(dataFolder)), messages_(std::move(messages)) {
    BuildLayout();
    FormCreate();
}

TForm1::~TForm1() {
    if (!closed_)
        FormClose();
}

void TForm1::BuildLayout() {
    setObjectName("Form1");
    setWindowTitle("Tessavo");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(1015, 463);
    setFont(CourierNew(9));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Shape1 = new QFrame(this);
    Shape1->setGeometry(4, 4, 997, 458);
    Shape1->setFrameShape(QFrame::NoFrame);
    Shape1->setStyleSheet("QFrame { border: 1px solid #ACACAC; background: palette(button); }");

    Panel1 = HeaderPanel(this, "Channel option", 10, 9, 699, 20);

    AGridHdd = new StringGrid(9, 2, this);
    AGridHdd->setGeometry(10, 31, 700, 423);
    AGridHdd->fixedRows = 1;
    AGridHdd->cellFont = QFont("Tahoma", 8);
    AGridHdd->fixedFont = CourierNew(8, true);
    AGridHdd->setFont(AGridHdd->cellFont);
    AGridHdd->setStyleSheet("QTableView { background: white; }");
    for (int col = 0; col < 9; ++col) {
        AGridHdd->Table().SetCell(col, 0, kChannelHeaders[col]);
        AGridHdd->Table().SetColWidth(col, kChannelWidths[col]);
    }

    plMessage = new Panel(QString(), AGridHdd);
    plMessage->setGeometry(108, 140, 397, 85);
    plMessage->setAutoFillBackground(true);
    plMessage->setStyleSheet("QLabel#plMessage { background: white; border: 1px solid #ACACAC; }");
    AdvReflectionLabel1 = new ReflectionLabel(plMessage);
    AdvReflectionLabel1->setGeometry(48, 16, 312, 33);
    AdvReflectionLabel1->setText("Loding data. Please wait....");
    AdvProgress1 = new QProgressBar(plMessage);
    AdvProgress1->setGeometry(8, 56, 378, 17);
    AdvProgress1->setTextVisible(false);
    lbNoDatabase = new QLabel(plMessage);
    lbNoDatabase->setGeometry(8, 8, 381, 69);
    lbNoDatabase->setWordWrap(true);
    lbNoDatabase->setAlignment(Qt::AlignCenter);
    lbNoDatabase->hide();

    Panel2 = HeaderPanel(this, "Select Model", 714, 9, 281, 20);

    GroupBox1 = Group(this, "Model", 714, 33, 282, 53);
    cbModel = new QComboBox(GroupBox1);
    cbModel->setGeometry(9, 18, 265, 21);
    cbModel->setMaxVisibleItems(30);

    GroupBox2 = Group(this, "Video Standard", 714, 89, 142, 53);
    rbtnNtsc = new QRadioButton("NTSC", GroupBox2);
    rbtnNtsc->move(9, 22);
    rbtnNtsc->setChecked(true);
    rbtnPal = new QRadioButton("PAL", GroupBox2);
    rbtnPal->move(85, 22);

    GroupBox3 = Group(this, "Select channel", 865, 88, 130, 53);
    cbChannel = new QComboBox(GroupBox3);
    cbChannel->setGeometry(9, 20, 113, 21);
    for (const char* count : {"4", "8", "12", "16"}) cbChannel->addItem(count);

    GroupBox4 = Group(this, "HDD Size", 714, 145, 282, 53);
    rbtn1 = new QRadioButton(GroupBox4);
    rbtn1->move(8, 21);
    rbtn1->setChecked(true);
    cbHDD = new QComboBox(GroupBox4);
    cbHDD->setGeometry(26, 19, 76, 21);
    cbHDD->setMaxVisibleItems(20);
    for (const char* preset : kHddPresets) cbHDD->addItem(preset);
    rbtn2 = new QRadioButton(GroupBox4);
    rbtn2->move(114, 21);
    edHDD = new QLineEdit(GroupBox4);
    edHDD->setGeometry(132, 19, 45, 21);
    edHDD->setEnabled(false);
    edHDD->setBackgroundRole(QPalette::Button);
    Label5 = new QLabel("GB", GroupBox4);
    Label5->adjustSize();
    Label5->move(195 - Label5->width(), 22);
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btnCalc = new QPushButton("Calculate", GroupBox4);
    btnCalc->setGeometry(203, 19, 72, 22);
    btnCalc->setFlat(true);
    btnCalc->setEnabled(false);

    Panel3 = HeaderPanel(this, "Recording Time Estimate", 714, 204, 280, 20);

    AGridTotal = new StringGrid(2, 5, this);
    AGridTotal->setGeometry(715, 225, 280, 115);
    AGridTotal->fixedCols = 1;
    AGridTotal->cellFont = CourierNew(8);
    AGridTotal->fixedFont = CourierNew(8, true);
    AGridTotal->setFont(AGridTotal->cellFont);
    AGridTotal->setSelectionBehavior(QAbstractItemView::SelectRows);
    AGridTotal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AGridTotal->setStyleSheet(
        "QTableView { background: #FFFFDF; selection-background-color: #FFFFDF; "
        "selection-color: black; }");
    AGridTotal->Table().SetColWidth(0, 150);
    AGridTotal->Table().SetColWidth(1, 120);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 2; ++col) {
            AGridTotal->Table().SetBackground(col, row, CellColour::Rgb(255, 255, 223));
        }
    }

    GroupBox5 = Group(this, "Resolution", 716, 340, 280, 73);
    Label1 = Label(GroupBox5, "D1", 28, 16);
    Label2 = Label(GroupBox5, "HALF_D1", 28, 32);
    Label3 = Label(GroupBox5, "CIF", 28, 48);
    Label4 = Label(GroupBox5, "720 X 480 (FRAME)", 92, 16);
    Label6 = Label(GroupBox5, "720 X 240 (FIELD)", 92, 32);
    Label7 = Label(GroupBox5, "360 X 240", 92, 48);

    GroupBox6 = Group(this, "Encoding Cost Limit", 716, 413, 280, 40);
    lbOverState1 = new BlinkingLabel(GroupBox6);
    lbOverState1->setText("Used Encoding Cost");
    lbOverState1->setFont(CourierNew(9));
    lbOverState1->move(28, 16);
    lbOverState1->adjustSize();
    lbLimitValue = new BlinkingLabel(GroupBox6);
    lbLimitValue->setText("0");
    lbLimitValue->setGeometry(162, 16, 50, lbOverState1->height());
    lbLimitValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbLimitMax = new BlinkingLabel(GroupBox6);
    lbLimitMax->setText(" / Free");
    lbLimitMax->setGeometry(213, 16, 63, lbOverState1->height());

    Button1 = new QPushButton(QString::fromUtf8("이 버튼이 보이면 안됩니다"), this);
    Button1->setGeometry(80, 288, 441, 65);
    Button1->setVisible(false);

    Timer1 = new QTimer(this);
    Timer1->setInterval(10);
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    TimerFpsReset = new QTimer(this);
    TimerFpsReset->setInterval(100);

    plMessage->raise();
    for (const auto& [name, widget] : Elements()) widget->setObjectName(Q(name));
    ConnectEvents();
}

void TForm1::ConnectEvents() {
    connect(cbModel, &QComboBox::activated, this, [this] { Guarded([this] { cbModelChange(); }); });
    connect(cbChannel, &QComboBox::activated, this,
            [this] { Guarded([this] { cbChannelChange(); }); });
    // A radio button's click handler runs when the click selects it.
    const auto onSelected = [this](QRadioButton* button, void (TForm1::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                Guarded([this, handler] { (this->*handler)(); });
        });
    };
    onSelected(rbtnNtsc, &TForm1::rbtnNtscClick);
    onSelected(rbtnPal, &TForm1::rbtnPalClick);
    connect(cbHDD, &QComboBox::activated, this, [this] { Guarded([this] { cbHDDChange(); }); });
    onSelected(rbtn1, &TForm1::rbtn1Click);
    onSelected(rbtn2, &TForm1::rbtn2Click);
    connect(btnCalc, &QPushButton::clicked, this, [this] { Guarded([this] { btnCalcClick(); }); });
    edHDD->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { Button1Click(); }); });

    AGridHdd->alignmentQuery = [this](int row, int col) { return AGridHddGetAlignment(row, col); };
    AGridHdd->editorQuery = [this](int col, int row) {
        CellEditor editor{CellEditor::Kind::None, {}};
        Guarded([&] { editor = AGridHddGetEditorType(col, row); });
        return editor;
    };
    AGridHdd->onCheckBoxClick = [this](int col, int row, bool ticked) {
        Guarded([&] { AGridHddCheckBoxClick(col, row, ticked); });
    };
    AGridHdd->onComboChange = [this](int col, int row, int index, const std::string& text) {
        Guarded([&] { AGridHddComboChange(col, row, index, text); });
    };
    connect(lbOverState1, &BlinkingLabel::doubleClicked, this,
            [this] { Guarded([this] { lbOverState1DblClick(); }); });
    AGridTotal->alignmentQuery = [this](int row, int col) {
        return AGridTotalGetAlignment(row, col);
    };
    AGridTotal->editorQuery = [](int, int) { return CellEditor{CellEditor::Kind::None, {}}; };
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edHDD && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Keys that type no character (cursor keys, Delete) are not filtered.
        if (key->key() == Qt::Key_Delete || key->text().isEmpty())
            return false;
        const char32_t typed = key->text().toUcs4().value(0);
        return !edHDDKeyPress(typed);
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<std::pair<std::string, QWidget*>> TForm1::Elements() const {
    return {{"Shape1", Shape1},
            {"Panel1", Panel1},
            {"AGridHdd", AGridHdd},
            {"plMessage", plMessage},
            {"AdvReflectionLabel1", AdvReflectionLabel1},
            {"AdvProgress1", AdvProgress1},
            {"Panel2", Panel2},
            {"GroupBox1", GroupBox1},
            {"cbModel", cbModel},
            {"GroupBox2", GroupBox2},
            {"rbtnNtsc", rbtnNtsc},
            {"rbtnPal", rbtnPal},
            {"GroupBox3", GroupBox3},
            {"cbChannel", cbChannel},
            {"GroupBox4", GroupBox4},
            {"rbtn1", rbtn1},
            {"cbHDD", cbHDD},
            {"rbtn2", rbtn2},
            {"edHDD", edHDD},
            {"Label5", Label5},
            {"btnCalc", btnCalc},
            {"Panel3", Panel3},
            {"AGridTotal", AGridTotal},
            {"GroupBox5", GroupBox5},
            {"Label1", Label1},
            {"Label2", Label2},
            {"Label3", Label3},
            {"Label4", Label4},
            {"Label6", Label6},
            {"Label7", Label7},
            {"GroupBox6", GroupBox6},
            {"lbOverState1", lbOverState1},
            {"lbLimitValue", lbLimitValue},
            {"lbLimitMax", lbLimitMax},
            {"Button1", Button1}};
}

void TForm1::ClearOptionLists() {
    FResolutionList.clear();
    FQualityList.clear();
    FFpsList.clear();
    FCameraList.clear();
    FIpResolutionList.clear();
    FIpQualityList.clear();
}

void TForm1::FormCreate() {
    AGridHdd->Table().SetColWidth(8, 0);
    ClearOptionLists();
    FVideoStandard = "NTSC";
    cbHDD->setCurrentIndex(1);
    AGridHdd->Table().SetRowCount(2);
    GridTable& totals = AGridTotal->Table();
    for (int row = 0; row < 5; ++row) totals.SetCell(0, row, kTotalCaptions[row]);
    for (int row = 3; row < 5; ++row) {
        totals.SetBackground(1, row, CellColour::Rgb(0xBF, 0xFF, 0xBF));
        totals.SetBold(1, row, true);
    }
    ProgressReset(1000);
    AdvProgress1->setValue(1);
    TranslateForm(this);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - rect().center());
        }
    }
    FormShow();
}

void TForm1::FormShow() {
    // A window restored from the task bar is shown again; the loading still runs only once.
    if (!loadingStarted_)
        Timer1->start();
}

void TForm1::Timer1Timer() {
    Timer1->stop();
    loadingStarted_ = true;
    if (!Guarded([this] { LoadingSequence(); }))
        loadingFailed_ = true;
    loadingFinished_ = true;
}

void TForm1::LoadingSequence() {
    plMessage->setVisible(true);
    QCoreApplication::processEvents();
    ProgressStep();
    LoadModelDatabaseStep();
    FillFixedTables(*this);
    RebuildIndexes();
    ProgressStep();
    FillModelList();
    ProgressStep();
    FillResolutionLists(FModelName);
    ProgressStep();
    FillQualityLists(FModelName);
    ProgressStep();
    FillChannelCountList();
    ProgressStep();
    RebuildChannelGrid();
    AdvProgress1->setValue(AdvProgress1->maximum());
    if (FModels.empty()) {
        ShowMissingDatabaseNotice();
        return;
    }
    plMessage->setVisible(false);
}

void TForm1::RebuildIndexes() {
    rateIndex_.Build(FRates, LocaleTable());
    bitrateIndex_.Build(FQualitySizes, FHiSilicon, *this, LocaleTable());
}

void TForm1::LoadModelDatabaseStep() {
    ModelDatabase db = LoadModelDatabaseFile(dataFolder_ + "/HddInfo.ini", LocaleTable());
    FModels = std::move(db.Models);
    FQualitySizes = std::move(db.QualitySizes);
    FRates = std::move(db.Rates);
    FHiSilicon = std::move(db.HiSilicon);
}

void TForm1::ShowMissingDatabaseNotice() {
    const std::string path = dataFolder_ + "/HddInfo.ini";
    const bool exists = QFileInfo::exists(Q(path));
    AdvReflectionLabel1->hide();
    AdvProgress1->hide();
    const QString folder = QFileInfo(Q(dataFolder_)).absoluteFilePath();
    lbNoDatabase->setText(
        exists ? QString("The model database HddInfo.ini in %1 lists no recorder "
                         "models.")
                     .arg(folder)
               : QString("No model database: HddInfo.ini was not found in %1.").arg(folder));
    lbNoDatabase->show();
    plMessage->setVisible(true);
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

void TForm1::FormClose() {
    closed_ = true;
    ClearOptionLists();
    FModels.clear();
    FQualitySizes.clear();
    FRates.clear();
    FHiSilicon.clear();
}

void TForm1::ProgressStep() {
    if (AdvProgress1->value() < AdvProgress1->maximum()) {
        AdvProgress1->setValue(AdvProgress1->value() + 1);
    }
    QCoreApplication::processEvents();
    Pause(1);
}

void TForm1::ProgressReset(int n) {
    AdvProgress1->setMaximum(n);
    AdvProgress1->setMinimum(0);
    AdvProgress1->setValue(0);
}

void TForm1::ShowMessage(FormMessage::Icon icon, const std::string& text) {
    const FormMessage message{icon, text};
    if (messages_) {
        messages_(message);
        return;
    }
    QMessageBox box(this);
    box.setWindowTitle(windowTitle());
    box.setText(Q(text));
    switch (icon) {
        case FormMessage::Icon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case FormMessage::Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case FormMessage::Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case FormMessage::Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    box.exec();
}

bool TForm1::Guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        ShowMessage(FormMessage::Icon::Error, e.what());
    } catch (...) {
        ShowMessage(FormMessage::Icon::Error, "An unexpected error occurred.");
    }
    return false;
}

}  // namespace tessavo
