// Golden scenarios: scripts run through tessavo-drive, compared field by field with expectations
// worked out by hand.
//
// tests/golden/NAME.script holds driver commands; tests/golden/NAME.expect holds one JSON value
// per output line the script prints, in order. An expected object lists only the fields it
// checks; an expected array must match in length; the string "*" accepts anything. A first line
// "# data: FOLDER" (relative to the source root) picks the data folder, else the sample database.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QString ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Appends a description of every difference between expected and actual to `diffs`.
void Compare(const QJsonValue& expected, const QJsonValue& actual, const QString& path,
             QStringList& diffs) {
    if (expected.isString() && expected.toString() == "*")
        return;
    if (expected.isObject()) {
        if (!actual.isObject()) {
            diffs << path + ": expected an object";
            return;
        }
        const QJsonObject e = expected.toObject();
        const QJsonObject a = actual.toObject();
        for (auto it = e.begin(); it != e.end(); ++it) {
            if (!a.contains(it.key())) {
                diffs << path + "." + it.key() + ": missing";
                continue;
            }
            Compare(it.value(), a.value(it.key()), path + "." + it.key(), diffs);
        }
        return;
    }
    if (expected.isArray()) {
        if (!actual.isArray() || actual.toArray().size() != expected.toArray().size()) {
            diffs << path + ": expected " +
                         QString::fromUtf8(QJsonDocument(QJsonArray(expected.toArray()))
                                               .toJson(QJsonDocument::Compact)) +
                         " got " +
                         QString::fromUtf8(QJsonDocument(QJsonArray(actual.toArray()))
                                               .toJson(QJsonDocument::Compact));
            return;
        }
        const QJsonArray e = expected.toArray();
        const QJsonArray a = actual.toArray();
        for (qsizetype i = 0; i < e.size(); ++i) {
            Compare(e[i], a[i], path + "[" + QString::number(i) + "]", diffs);
        }
        return;
    }
    if (expected.isDouble() && actual.isDouble()) {
        const double x = expected.toDouble();
        const double y = actual.toDouble();
        if (std::abs(x - y) > 1e-9 * std::max(1.0, std::abs(x))) {
            diffs << path + ": expected " + QString::number(x, 'g', 17) + " got " +
                         QString::number(y, 'g', 17);
        }
        return;
    }
    if (expected != actual) {
        diffs << path + ": expected " + expected.toVariant().toString() + " got " +
                     actual.toVariant().toString();
    }
}

class GoldenScenario : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenScenario, MatchesItsExpectations) {
    const QDir golden(TESSAVO_GOLDEN);
    const QString name = QString::fromStdString(GetParam());
    const QString script = golden.filePath(name + ".script");
    const QString scriptText = ReadFile(script);
    QString data = TESSAVO_SAMPLE_DATA;
    if (scriptText.startsWith("# data: ")) {
        data = QDir(TESSAVO_SAMPLE_DATA "/..")
                   .absoluteFilePath(scriptText.section('\n', 0, 0).mid(8).trimmed());
    }
    // The driver reads and may write its data folder: run it on a copy.
    QTemporaryDir copy;
    ASSERT_TRUE(copy.isValid());
    for (const QString& file : QDir(data).entryList(QDir::Files)) {
        ASSERT_TRUE(QFile::copy(QDir(data).filePath(file), copy.filePath(file)));
    }
    QProcess drive;
    drive.start(TESSAVO_DRIVE, {"--data", copy.path(), "--no-pauses", script});
    ASSERT_TRUE(drive.waitForFinished(120000));
    ASSERT_EQ(drive.exitCode(), 0) << drive.readAllStandardError().toStdString();
    const QStringList outputs =
        QString::fromUtf8(drive.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QStringList expectations = ReadFile(golden.filePath(name + ".expect"))
                                         .split('\n', Qt::SkipEmptyParts)
                                         .filter(QRegularExpression("^\\s*[\\[{\"]"));
    ASSERT_FALSE(expectations.isEmpty()) << "no expectations for " << name.toStdString();
    ASSERT_EQ(outputs.size(), expectations.size())
        << "the script printed " << outputs.size() << " lines:\n"
        << outputs.join('\n').left(4000).toStdString();
    for (qsizetype i = 0; i < outputs.size(); ++i) {
        QJsonParseError error;
        const QJsonDocument actual = QJsonDocument::fromJson(outputs[i].toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << outputs[i].toStdString();
        const QJsonDocument expected = QJsonDocument::fromJson(expectations[i].toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError)
            << name.toStdString() << ".expect line " << i + 1 << ": "
            << error.errorString().toStdString();
        QStringList diffs;
        Compare(expected.isObject() ? QJsonValue(expected.object()) : QJsonValue(expected.array()),
                actual.isObject() ? QJsonValue(actual.object()) : QJsonValue(actual.array()),
                "line" + QString::number(i + 1), diffs);
        EXPECT_TRUE(diffs.isEmpty()) << diffs.join('\n').toStdString();
    }
}

std::vector<std::string> Scenarios() {
    std::vector<std::string> names;
    for (const QString& file : QDir(TESSAVO_GOLDEN).entryList({"*.script"}, QDir::Files)) {
        names.push_back(file.chopped(7).toStdString());
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(Drive, GoldenScenario, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

}  // namespace
