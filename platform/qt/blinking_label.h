// A label that can blink (its text shown and hidden in turn) and reports double clicks.
#pragma once

#include <QLabel>
#include <QTimer>

namespace tessavo {

class BlinkingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit BlinkingLabel(QWidget* parent = nullptr);
    void setBlinking(bool blinking);
    bool blinking() const { return timer_.isActive() || blinkingWithoutTimer_; }
    // Half of one blink cycle.
    static constexpr int kBlinkIntervalMs = 500;
    // Whether the text is drawn at this instant of a blink.
    bool textShown() const { return shown_; }
    // Without a timer the state still counts as blinking, but the text stays drawn (for pictures
    // and runs that must not depend on time).
    static void SetTimersEnabled(bool enabled);

  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer timer_;
    bool shown_ = true;
    bool blinkingWithoutTimer_ = false;
};

}  // namespace tessavo
