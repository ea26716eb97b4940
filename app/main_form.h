// The main window TForm1: its elements, the loading sequence and the event handlers.
//
// Pieces: CalculatorState (the F-fields) is the form's memory; the channel grid AGridHdd and the
// totals grid AGridTotal are StringGrid views over plain GridTable data; everything that
// computes lives in the window-free core (model/, channels/, estimate/, cost/, localisation/).
// An edit flows: grid cell -> per-model constraints -> LookupBitrate into the hidden Size cell ->
// CalcChannelData (volumes) -> CalcTotals -> CalcRecordingTime (estimate) -> ShowEncodingCost.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/calculator_state.h"
#include "channels/channel_rules.h"
#include "channels/option_lists.h"
#include "estimate/bitrate_lookup.h"
#include "platform/qt/blinking_label.h"
#include "platform/qt/panel.h"
#include "platform/qt/reflection_label.h"
#include "platform/qt/string_grid.h"

namespace tessavo {

// A modal message as the window shows it (the driver records them instead).
struct FormMessage {
    enum class Icon { None, Information, Warning, Error };
    Icon icon = Icon::None;
    std::string text;
};
using MessageHandler = std::function<void(const FormMessage&)>;

class TForm1 : public QWidget, public CalculatorState {
    Q_OBJECT
  public:
    // dataFolder holds HddInfo.ini (and HddInfo.xlsx); without a handler messages are shown in
    // modal boxes.
    explicit TForm1(std::string dataFolder, MessageHandler messages = {},
                    QWidget* parent = nullptr);
    ~TForm1() override;

    const std::string& DataFolder() const { return dataFolder_; }
    bool LoadingFinished() const { return loadingFinished_; }
    bool LoadingFailed() const { return loadingFailed_; }

    // The window's elements, as its layout names them.
    QFrame* Shape1;
    Panel* Panel1;
    StringGrid* AGridHdd;
    Panel* plMessage;
    ReflectionLabel* AdvReflectionLabel1;
    QProgressBar* AdvProgress1;
    QLabel* lbNoDatabase;
    Panel* Panel2;
    QGroupBox* GroupBox1;
    QComboBox* cbModel;
    QGroupBox* GroupBox2;
    QRadioButton* rbtnNtsc;
    QRadioButton* rbtnPal;
    QGroupBox* GroupBox3;
    QComboBox* cbChannel;
    QGroupBox* GroupBox4;
    QRadioButton* rbtn1;
    QComboBox* cbHDD;
    QRadioButton* rbtn2;
    QLineEdit* edHDD;
    QLabel* Label5;
    QPushButton* btnCalc;
    Panel* Panel3;
    StringGrid* AGridTotal;
    QGroupBox* GroupBox5;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label7;
    QGroupBox* GroupBox6;
    BlinkingLabel* lbOverState1;
    BlinkingLabel* lbLimitValue;
    BlinkingLabel* lbLimitMax;
    QPushButton* Button1;
    QTimer* Timer1;
    QTimer* TimerFpsReset;

    // Every element of the layout, by name, in layout order.
    std::vector<std::pair<std::string, QWidget*>> Elements() const;

    // Loading panel.
    void ProgressStep();
    void ProgressReset(int n);

    // Model selection and option lists.
    void FillModelList();
    void FillChannelCountList();
    void FillResolutionLists(const std::string& modelCode);
    void FillQualityLists(const std::string& modelCode);
    void FillFpsList(const std::string& model, const std::string& standard,
                     const std::string& resolution, const std::string& channelCount);
    void FillCameraList();
    void cbModelChange();
    void cbChannelChange();
    void rbtnNtscClick();
    void rbtnPalClick();

    // Channel grid.
    void RebuildChannelGrid();
    void ClearGridRows(StringGrid* grid, int first);
    int AppendGridRow(StringGrid* grid);
    bool IsSingleEmptyRow(const StringGrid* grid) const;
    void SetChannelColumnLayout(bool hybrid);
    CellAlign AGridHddGetAlignment(int row, int col) const;
    CellEditor AGridHddGetEditorType(int col, int row);

    // Data volumes and totals.
    void CalcChannelData(int row, const std::string& sizeText, const std::string& audioText);
    void CalcAllChannelData(bool totalRowPresent);
    void AddTotalRow();
    void CalcTotals(int editedRow, const std::string& editedFps);

    // Disk size and recording time.
    std::string GetHddSizeText() const;
    void CalcRecordingTime();
    void cbHDDChange();
    void rbtn1Click();
    void rbtn2Click();
    // The key filter of the typed size; true when the character may reach the field.
    bool edHDDKeyPress(char32_t typed);
    void btnCalcClick();
    CellAlign AGridTotalGetAlignment(int row, int col) const;

    // Encoding cost.
    double CalcEncodingCost(const std::string& resolution, const std::string& fps) const;
    void CalcAllEncodingCosts();
    void SetEncodingLimit();
    void ShowEncodingCost();
    void SetOverLimitState(bool over);

    // Channel edits.
    void AGridHddCheckBoxClick(int col, int row, bool ticked);
    void AGridHddComboChange(int col, int row, int itemIndex, const std::string& text);
    void ApplyAllRowChange(int col, const std::string& value);
    void lbOverState1DblClick();
    void ReduceToLimit();

    // Maintenance: workbook to INI.
    void Button1Click();

    bool OverLimitState() const { return overLimit_; }
    // Rows the shared drop-down editor shows at once, as last set.
    int DropDownRows() const { return AGridHdd->dropDownRows; }

    // Events the driver cannot reach through a widget's own input.
    bool eventFilter(QObject* watched, QEvent* event) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Step 4 of the loading sequence: the INI loader fills the four record arrays.
    virtual void LoadModelDatabaseStep();

  private:
    void BuildLayout();
    void ConnectEvents();
    void ClearOptionLists();
    void FormCreate();
    void FormShow();
    void FormClose();
    void Timer1Timer();
    void LoadingSequence();
    void ShowMissingDatabaseNotice();

    void ShowMessage(FormMessage::Icon icon, const std::string& text);
    // Runs a handler; an unexpected error ends it and is shown in an error box.
    bool Guarded(const std::function<void()>& handler);

    struct RuleInputs {
        int channelCount;
        QualityDisplayTexts qualities;
    };
    RuleInputs CurrentRuleInputs() const;
    bool IsChannelRow(int row) const;
    // Writes a channel row's encoding cost; rows outside the sixteen channel slots write nothing.
    void SetChannelCost(int row, double cost);
    // The frame rate after a resolution (column 2) or quality pick: the list's default, then the
    // per-model rules.
    void AdjustFpsAfterPick(int column, const std::string& resolution, std::string& fps,
                            const std::string& quality);
    void LimitAfterFpsPick(const std::string& resolution, std::string& fps, std::string& quality);
    std::string VideoStandardOfButtons() const;
    int ChannelRowCount() const;
    void RebuildIndexes();

    RateIndex rateIndex_;
    BitrateIndex bitrateIndex_;
    bool totalRowPresent_ = false;
    bool overLimit_ = false;
    std::string dataFolder_;
    MessageHandler messages_;
    bool loadingFinished_ = false;
    bool loadingFailed_ = false;
    bool closed_ = false;
    bool shownOnce_ = false;
    bool loadingStarted_ = false;
};

}  // namespace tessavo
