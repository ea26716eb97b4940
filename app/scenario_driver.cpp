// Runs the real main window from a script of JSON commands and dumps its state as JSON.
#include "app/scenario_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QPixmap>

#include "localisation/U_MultiLanguage.h"

namespace tessavo {

namespace {

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

QJsonArray Strings(const std::vector<std::string>& items) {
    QJsonArray array;
    for (const std::string& item : items) array.append(Q(item));
    return array;
}

QJsonArray ComboItems(const QComboBox* combo) {
    QJsonArray array;
    for (int i = 0; i < combo->count(); ++i) array.append(combo->itemText(i));
    return array;
}

const char* IconName(FormMessage::Icon icon) {
    switch (icon) {
        case FormMessage::Icon::Error:
            return "error";
        case FormMessage::Icon::Warning:
            return "warning";
        case FormMessage::Icon::Information:
            return "information";
        case FormMessage::Icon::None:
            break;
    }
    return "none";
}

QString WidgetText(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (auto* reflection = qobject_cast<const ReflectionLabel*>(widget))
        return reflection->text();
    return {};
}

QJsonObject GridJson(const GridTable& table) {
    QJsonArray cells, checks, widths, background, fontColour, bold, merged;
    for (int row = 0; row < table.RowCount(); ++row) {
        QJsonArray rowCells, rowBackground, rowFont, rowBold;
        for (int col = 0; col < table.ColCount(); ++col) {
            const CellStyle style = table.Style(col, row);
            rowCells.append(Q(table.Cell(col, row)));
            rowBackground.append(Q(style.background.Name()));
            rowFont.append(Q(style.font.Name()));
            rowBold.append(style.bold);
        }
        cells.append(rowCells);
        background.append(rowBackground);
        fontColour.append(rowFont);
        bold.append(rowBold);
        checks.append(table.HasCheckBox(0, row) ? QJsonValue(table.IsChecked(0, row))
                                                : QJsonValue(QJsonValue::Null));
    }
    for (int col = 0; col < table.ColCount(); ++col) widths.append(table.ColWidth(col));
    for (const CellMerge& m : table.Merges()) {
        for (int row = m.row; row < m.row + m.rowSpan; ++row) {
            merged.append(QJsonArray{row, m.col, m.col + m.colSpan - 1});
        }
    }
    return QJsonObject{{"rowCount", table.RowCount()},
                       {"cells", cells},
                       {"checks", checks},
                       {"colWidths", widths},
                       {"background", background},
                       {"fontColor", fontColour},
                       {"bold", bold},
                       {"merged", merged}};
}

std::string Line(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string ErrorLine(const QString& reason) {
    return Line(QJsonObject{{"error", reason}});
}

}  // namespace

ScenarioDriver::ScenarioDriver(const std::string& dataFolder) {
    form_ = std::make_unique<TForm1>(
        dataFolder, [this](const FormMessage& message) { messages_.push_back(message); });
    form_->show();
}

ScenarioDriver::~ScenarioDriver() = default;

bool ScenarioDriver::WaitUntilLoaded(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!form_->LoadingFinished()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    QApplication::processEvents();
    return true;
}

std::vector<std::string> ScenarioDriver::Execute(const std::string& line) {
    std::vector<std::string> out;
    const std::string trimmed = QString::fromStdString(line).trimmed().toStdString();
    if (trimmed.empty() || trimmed[0] == '#')
        return out;
    QJsonParseError parseError;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(trimmed), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        out.push_back(ErrorLine("bad JSON: " + (parseError.error != QJsonParseError::NoError
                                                    ? parseError.errorString()
                                                    : QString("not an object"))));
        return out;
    }
    const std::string error = RunCommand(doc.object(), out);
    QApplication::processEvents();
    if (!error.empty())
        out.push_back(ErrorLine(Q(error)));
    return out;
}

std::string ScenarioDriver::RunCommand(const QJsonObject& command, std::vector<std::string>& out) {
    const QString verb = command.value("do").toString();
    if (verb == "dump") {
        out.push_back(Line(Dump()));
        return {};
    }
    if (verb == "dumpDb") {
        out.push_back(Line(DumpDb()));
        return {};
    }
    if (verb == "translate") {
        if (!command.value("text").isString())
            return "translate needs a \"text\"";
        const std::string text = command.value("text").toString().toStdString();
        const std::string translated = translate(text);
        const std::string reversed = reverseTranslate(text);
        out.push_back(Line(QJsonObject{{"translate", Q(translated)}, {"reverse", Q(reversed)}}));
        return {};
    }
    if (verb == "grab") {
        const QString file = command.value("file").toString();
        if (file.isEmpty())
            return "grab needs a \"file\"";
        if (!form_->grab().save(file, "PNG"))
            return "cannot write " + file.toStdString();
        return {};
    }
    TForm1& f = *form_;
    if (verb == "model") {
        if (!command.value("index").isDouble())
            return "model needs an \"index\"";
        const int index = command.value("index").toInt();
        if (index < 0 || index >= f.cbModel->count())
            return "no model item " + std::to_string(index);
        f.cbModel->setCurrentIndex(index);
        emit f.cbModel->activated(index);
        return {};
    }
    if (verb == "standard") {
        const QString value = command.value("value").toString();
        QRadioButton* button = value == "NTSC" ? f.rbtnNtsc : value == "PAL" ? f.rbtnPal : nullptr;
        if (!button)
            return "standard takes \"NTSC\" or \"PAL\"";
        button->click();
        return {};
    }
    if (verb == "channels" || verb == "hdd") {
        QComboBox* combo = verb == "channels" ? f.cbChannel : f.cbHDD;
        if (!combo->isEnabled())
            return "that list is disabled";
        const int index = combo->findText(command.value("text").toString(), Qt::MatchExactly);
        if (index < 0)
            return "the list has no item \"" + command.value("text").toString().toStdString() +
                   "\"";
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return {};
    }
    if (verb == "hddPreset" || verb == "hddTyped") {
        (verb == "hddPreset" ? f.rbtn1 : f.rbtn2)->click();
        return {};
    }
    if (verb == "type") {
        if (!f.edHDD->isEnabled())
            return "the size field is disabled";
        const QString text = command.value("text").toString();
        for (const QChar ch : text) {
            const int key =
                ch == QChar('\b') ? int(Qt::Key_Backspace) : int(ch.toUpper().unicode());
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(f.edHDD, &press);
            QApplication::sendEvent(f.edHDD, &release);
        }
        return {};
    }
    if (verb == "clearTyped") {
        if (!f.edHDD->isEnabled())
            return "the size field is disabled";
        f.edHDD->selectAll();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(f.edHDD, &press);
        return {};
    }
    if (verb == "pick") {
        if (!command.value("col").isDouble() || !command.value("row").isDouble() ||
            !command.value("text").isString()) {
            return "pick needs \"col\", \"row\" and \"text\"";
        }
        return f.AGridHdd->PickItem(command.value("col").toInt(), command.value("row").toInt(),
                                    command.value("text").toString().toStdString());
    }
    if (verb == "toggle") {
        if (!command.value("row").isDouble())
            return "toggle needs a \"row\"";
        return f.AGridHdd->ClickCheckBox(0, command.value("row").toInt());
    }
    if (verb == "dblclickLimit") {
        emit f.lbOverState1->doubleClicked();
        return {};
    }
    if (verb == "convert") {
        // The button is never shown; the driver clicks it as the maintenance path would.
        f.Button1->click();
        return {};
    }
    if (verb == "calc") {
        if (!f.btnCalc->isEnabled())
            return "the Calculate button is disabled";
        f.btnCalc->click();
        return {};
    }
    return "unknown command \"" + verb.toStdString() + "\"";
}

QJsonObject ScenarioDriver::Dump() {
    TForm1& f = *form_;
    QJsonObject dump;
    dump["ready"] = f.LoadingFinished() && !f.LoadingFailed();
    dump["loadingVisible"] = f.plMessage->isVisible();
    dump["progress"] = QJsonObject{{"min", f.AdvProgress1->minimum()},
                                   {"max", f.AdvProgress1->maximum()},
                                   {"pos", f.AdvProgress1->value()}};
    dump["model"] = QJsonObject{{"items", ComboItems(f.cbModel)},
                                {"index", f.cbModel->currentIndex()},
                                {"name", Q(f.FModelName)},
                                {"hybrid", f.FHybrid}};
    dump["standard"] = Q(f.FVideoStandard);
    dump["ntscChecked"] = f.rbtnNtsc->isChecked();
    dump["palChecked"] = f.rbtnPal->isChecked();
    dump["channels"] =
        QJsonObject{{"items", ComboItems(f.cbChannel)}, {"text", f.cbChannel->currentText()}};
    dump["hdd"] =
        QJsonObject{{"presetChecked", f.rbtn1->isChecked()}, {"items", ComboItems(f.cbHDD)},
                    {"text", f.cbHDD->currentText()},        {"typed", f.edHDD->text()},
                    {"presetEnabled", f.cbHDD->isEnabled()}, {"typedEnabled", f.edHDD->isEnabled()},
                    {"calcEnabled", f.btnCalc->isEnabled()}};
    dump["grid"] = GridJson(f.AGridHdd->Table());
    QJsonArray totals;
    for (int row = 0; row < f.AGridTotal->Table().RowCount(); ++row) {
        totals.append(QJsonArray{Q(f.AGridTotal->Table().Cell(0, row)),
                                 Q(f.AGridTotal->Table().Cell(1, row))});
    }
    dump["totals"] = totals;
    QJsonArray costs;
    for (double cost : f.FEncodingCosts) costs.append(cost);
    dump["cost"] =
        QJsonObject{{"used", f.lbLimitValue->text()}, {"max", f.lbLimitMax->text()},
                    {"over", f.OverLimitState()},     {"blinking", f.lbOverState1->blinking()},
                    {"limit", f.FEncodingLimit},      {"costs", costs}};
    dump["complexity"] = f.FComplexityFactor;
    dump["lists"] = QJsonObject{{"resolution", Strings(f.FResolutionList)},
                                {"ipResolution", Strings(f.FIpResolutionList)},
                                {"quality", Strings(f.FQualityList)},
                                {"ipQuality", Strings(f.FIpQualityList)},
                                {"fps", Strings(f.FFpsList)},
                                {"camera", Strings(f.FCameraList)}};
    QJsonArray messages;
    for (const FormMessage& m : messages_) {
        messages.append(QJsonObject{{"icon", IconName(m.icon)}, {"text", Q(m.text)}});
    }
    messages_.clear();
    dump["messages"] = messages;
    const QRect client = f.rect();
    dump["window"] = QJsonObject{{"title", f.windowTitle()},
                                 {"w", client.width()},
                                 {"h", client.height()},
                                 {"resizable", f.minimumSize() != f.maximumSize()}};
    QJsonObject widgets;
    for (const auto& [name, widget] : f.Elements()) {
        const QWidget* parent = widget->parentWidget();
        const QRect g = widget->geometry();
        widgets[Q(name)] =
            QJsonObject{{"parent", parent == &f ? QString("Form1") : parent->objectName()},
                        {"x", g.x()},
                        {"y", g.y()},
                        {"w", g.width()},
                        {"h", g.height()},
                        {"visible", widget->isVisibleTo(&f) && f.isVisible()},
                        {"enabled", widget->isEnabled()},
                        {"text", WidgetText(widget)}};
    }
    dump["widgets"] = widgets;
    return dump;
}

QJsonObject ScenarioDriver::DumpDb() const {
    const TForm1& f = *form_;
    QJsonArray models, qual, rate, his;
    for (const TModel& m : f.FModels) {
        models.append(QJsonObject{{"Code", Q(m.Code)},
                                  {"Name", Q(m.Name)},
                                  {"Ch4", m.Ch4},
                                  {"Ch8", m.Ch8},
                                  {"Ch12", m.Ch12},
                                  {"Ch16", m.Ch16},
                                  {"Hybrid", m.Hybrid},
                                  {"FirstIpChannel", m.FirstIpChannel}});
    }
    for (const TQualitySize& q : f.FQualitySizes) {
        qual.append(QJsonObject{{"Model", Q(q.Model)},
                                {"Standard", Q(q.Standard)},
                                {"Resolution", Q(q.Resolution)},
                                {"Quality", Q(q.Quality)},
                                {"Camera", Q(q.Camera)},
                                {"Flag", q.Flag},
                                {"FrameSize", q.FrameSize}});
    }
    for (const TRate& r : f.FRates) {
        rate.append(QJsonObject{{"Model", Q(r.Model)},
                                {"Standard", Q(r.Standard)},
                                {"Channels", Q(r.Channels)},
                                {"Resolution", Q(r.Resolution)},
                                {"MaxFps", Q(r.MaxFps)}});
    }
    for (const THiSiliconData& h : f.FHiSilicon) {
        QJsonArray rates;
        for (double v : h.DataRates) rates.append(v);
        his.append(QJsonObject{{"Model", Q(h.Model)},
                               {"Standard", Q(h.Standard)},
                               {"Channels", Q(h.Channels)},
                               {"Resolution", Q(h.Resolution)},
                               {"Quality", Q(h.Quality)},
                               {"DataRates", rates}});
    }
    return QJsonObject{{"models", models}, {"qual", qual}, {"rate", rate}, {"his", his}};
}

}  // namespace tessavo
