// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/statsfile.h"

#include "base/category.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "base/state.h"
#include "platform/error.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QPointer>

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
// The one pending last-question save and the object whose low-priority event saves it.
class PendingSave final : public QObject {
public:
    static constexpr QEvent::Type saveEvent = QEvent::Type(QEvent::User + 417);
    QString path; // resolved when set: the save goes where the value was meant for
    int number = 0;
    bool pending = false;
    bool posted = false;
    bool fromEventLoop = true;

    PendingSave() {
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                [this] { guarded([this] { save(); }); });
    }
    void save() {
        posted = false;
        if (!pending)
            return;
        pending = false; // a failed save is reported once, not retried at every call
        ini::write(path, last, learningQuestion, QString::number(number));
    }
    void post() {
        if (posted || !fromEventLoop)
            return;
        posted = true;
        // Below the priority of the widgets' update requests: runs after the pending paint.
        QCoreApplication::postEvent(this, new QEvent(saveEvent), Qt::LowEventPriority - 1);
    }
    bool event(QEvent* e) override {
        if (e->type() != saveEvent)
            return QObject::event(e);
        guarded([this] { save(); });
        return true;
    }
};

// Made with the application and living as long as it (nullptr without one).
PendingSave* pendingSave() {
    static QPointer<PendingSave> p;
    if (!p && QCoreApplication::instance()) {
        p = new PendingSave;
        p->setParent(QCoreApplication::instance());
    }
    return p.data();
}

} // namespace

void StatsFile::savePending() {
    if (PendingSave* p = pendingSave())
        p->save();
}

void StatsFile::setSaveFromEventLoopForTest(bool on) {
    if (PendingSave* p = pendingSave())
        p->fromEventLoop = on;
}

void StatsFile::setLastQuestionSoon(int number) {
    if (file_.isEmpty())
        return;
    PendingSave* p = pendingSave();
    if (!p)
        return setLastQuestion(number);
    const QString path = Paths::inUserData(file_);
    if (p->pending && p->path != path)
        p->save(); // another category's save goes first
    p->path = path;
    p->number = number;
    p->pending = true;
    p->post();
}

StatsFile StatsFile::of(const QString& categoryCode) {
    return StatsFile(statsFileFor(categoryCode));
}

int StatsFile::lastQuestion() const {
    savePending();
    if (file_.isEmpty())
        return 1;
    bool ok = false;
    const int n = readIni(file_, last, learningQuestion, QStringLiteral("1")).toInt(&ok);
    return ok ? n : 1;
}

void StatsFile::setLastQuestion(int number) {
    savePending();
    if (!file_.isEmpty())
        writeIni(file_, last, learningQuestion, QString::number(number));
}

void StatsFile::recordLearningAnswer(bool correct) {
    savePending();
    if (!file_.isEmpty())
        incrementCounter(file_, nauka, correct ? poprawne : niepoprawne);
}

void StatsFile::recordExamResult(bool passed) {
    savePending();
    if (file_.isEmpty())
        return;
    incrementCounter(file_, egzamin, passed ? zdane : niezdane);
    pushResult(passed ? u'1' : u'0');
}

double StatsFile::count(Counter which) const {
    savePending();
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
    savePending();
    if (file_.isEmpty())
        return;
    const QString zero = QStringLiteral("0");
    writeIni(file_, egzamin, zdane, zero);
    writeIni(file_, egzamin, niezdane, zero);
    writeIni(file_, nauka, poprawne, zero);
    writeIni(file_, nauka, niepoprawne, zero);
}

void StatsFile::pushResult(QChar digit) {
    savePending();
    if (file_.isEmpty())
        return;
    const QString old = readIni(file_, stats, wyniki, QStringLiteral("000000"));
    writeIni(file_, stats, wyniki, digit + old.left(4));
}

QString StatsFile::resultStars() const {
    savePending();
    if (file_.isEmpty())
        return QStringLiteral("0");
    return readIni(file_, stats, wyniki, QStringLiteral("0")).left(5);
}

qint64 StatsFile::testsTaken() const {
    savePending();
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
