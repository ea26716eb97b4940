// A label drawn with a mirrored, fading reflection below its text.
#pragma once

#include <QWidget>

namespace tessavo {

class ReflectionLabel : public QWidget {
    Q_OBJECT
  public:
    explicit ReflectionLabel(QWidget* parent = nullptr);
    QString text() const { return text_; }
    void setText(const QString& text);
    QColor textColour = QColor(0x3C, 0x89, 0xE8);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
};

}  // namespace tessavo
