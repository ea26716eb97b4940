// A label that can blink (its text shown and hidden in turn) and reports double clicks.
#include "platform/qt/blinking_label.h"

namespace tessavo {

namespace {
bool g_timersEnabled = true;
}

void BlinkingLabel::SetTimersEnabled(bool enabled) {
    g_timersEnabled = enabled;
}

BlinkingLabel::BlinkingLabel(QWidget* parent) : QLabel(parent) {
    timer_.setInterval(kBlinkIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        shown_ = !shown_;
        update();
    });
}

void BlinkingLabel::setBlinking(bool blinking) {
    shown_ = true;
    blinkingWithoutTimer_ = false;
    if (!blinking) {
        timer_.stop();
    } else if (g_timersEnabled) {
        if (!timer_.isActive())
            timer_.start();
    } else {
        blinkingWithoutTimer_ = true;
    }
    update();
}

void BlinkingLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void BlinkingLabel::paintEvent(QPaintEvent* event) {
    if (!shown_)
        return;
    QLabel::paintEvent(event);
}

}  // namespace tessavo
