// A panel: a captioned, filled area that may hold other elements (the header bars, the loading
// panel). A class of its own so the form translator can tell it from a plain label.
#pragma once

#include <QLabel>

namespace tessavo {

class Panel : public QLabel {
    Q_OBJECT
  public:
    explicit Panel(const QString& caption = QString(), QWidget* parent = nullptr)
        : QLabel(caption, parent) {}
};

}  // namespace tessavo
