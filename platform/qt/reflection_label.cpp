// A label drawn with a mirrored, fading reflection below its text.
#include "platform/qt/reflection_label.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace tessavo {

ReflectionLabel::ReflectionLabel(QWidget* parent) : QWidget(parent) {
    QFont f("Verdana", 9);
    f.setBold(true);
    setFont(f);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ReflectionLabel::setText(const QString& text) {
    text_ = text;
    update();
}

void ReflectionLabel::paintEvent(QPaintEvent*) {
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();
    // The text on a transparent image, so the reflection can be mirrored and faded as pixels.
    QImage image(width(), textHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setFont(font());
        p.setPen(textColour);
        p.drawText(QRect(0, 0, width(), textHeight), Qt::AlignLeft | Qt::AlignVCenter, text_);
    }
    QImage reflection = image.mirrored(false, true);
    {
        QPainter p(&reflection);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient fade(0, 0, 0, textHeight);
        fade.setColorAt(0, QColor(0, 0, 0, 110));
        fade.setColorAt(0.7, QColor(0, 0, 0, 0));
        p.fillRect(reflection.rect(), fade);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    painter.drawImage(0, textHeight - 2, reflection);
}

}  // namespace tessavo
