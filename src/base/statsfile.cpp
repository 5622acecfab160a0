#include "base/statsfile.h"

#include "base/category.h"
#include "base/inifile.h"
#include "platform/error.h"

#include <QLocale>

#include <cmath>
#include <initializer_list>

namespace wirtal {

namespace {
const QString last = QStringLiteral("last");
const QString learningQuestion = QStringLiteral("pytanie");
const QString nauka = QStringLiteral("nauka");
const QString poprawne = QStringLiteral("poprawne");
const QString niepoprawne = QStringLiteral("niepoprawne");
const QString egzamin = QStringLiteral("egzamin");
const QString zdane = QStringLiteral("zdane");
const QString niezdane = QStringLiteral("niezdane");
const QString stats = QStringLiteral("stats");
const QString wyniki = QStringLiteral("wyniki");

// A counter as the statistics view reads it.
double viewCount(const QString& file, const QString& section, const QString& key) {
    const QString text = readIni(file, section, key, QStringLiteral("0"));
    bool ok = false;
    const double v = QLocale().toDouble(text, &ok);
    // A count is never negative; a hand-edited file may say otherwise.
    if (!ok || !std::isfinite(v) || v < 0)
        throw Error(QStringLiteral("Wartość „%1” klucza %2 w pliku %3 nie jest liczbą.")
                        .arg(text, key, file));
    return v;
}
} // namespace

StatsFile StatsFile::of(const QString& categoryCode) {
    const Category* c = Category::find(categoryCode);
    return StatsFile(c ? c->statsFile() : QString());
}

int StatsFile::lastQuestion() const {
    if (file_.isEmpty())
        return 1;
    bool ok = false;
    const int n = readIni(file_, last, learningQuestion, QStringLiteral("1")).toInt(&ok);
    return ok ? n : 1;
}

void StatsFile::setLastQuestion(int number) {
    if (!file_.isEmpty())
        writeIni(file_, last, learningQuestion, QString::number(number));
}

void StatsFile::recordLearningAnswer(bool correct) {
    if (!file_.isEmpty())
        incrementCounter(file_, nauka, correct ? poprawne : niepoprawne);
}

void StatsFile::recordExamResult(bool passed) {
    if (file_.isEmpty())
        return;
    incrementCounter(file_, egzamin, passed ? zdane : niezdane);
    pushResult(passed ? u'1' : u'0');
}

double StatsFile::count(Counter which) const {
    if (file_.isEmpty())
        return 0;
    switch (which) {
    case Counter::Poprawne:
        return viewCount(file_, nauka, poprawne);
    case Counter::Niepoprawne:
        return viewCount(file_, nauka, niepoprawne);
    case Counter::Zdane:
        return viewCount(file_, egzamin, zdane);
    case Counter::Niezdane:
        return viewCount(file_, egzamin, niezdane);
    }
    return 0;
}

void StatsFile::clearCounters() {
    if (file_.isEmpty())
        return;
    const QString zero = QStringLiteral("0");
    writeIni(file_, egzamin, zdane, zero);
    writeIni(file_, egzamin, niezdane, zero);
    writeIni(file_, nauka, poprawne, zero);
    writeIni(file_, nauka, niepoprawne, zero);
}

void StatsFile::pushResult(QChar digit) {
    if (file_.isEmpty())
        return;
    const QString old = readIni(file_, stats, wyniki, QStringLiteral("000000"));
    writeIni(file_, stats, wyniki, digit + old.left(4));
}

QString StatsFile::resultStars() const {
    if (file_.isEmpty())
        return QStringLiteral("0");
    return readIni(file_, stats, wyniki, QStringLiteral("0")).left(5);
}

qint64 StatsFile::testsTaken() const {
    qint64 taken = 0;
    for (const QString& counter : {zdane, niezdane}) {
        const QString v = readIni(file_, egzamin, counter, QStringLiteral("0"));
        try {
            taken += counterValue(v, file_, counter);
        } catch (const Error&) {
            return -1; // the test end reports the bad counter
        }
    }
    return taken;
}

} // namespace wirtal
