// SPDX-License-Identifier: GPL-3.0-or-later

#include "fullbank.h"

#include "bank/bank.h"
#include "base/inifile.h"
#include "base/paths.h"
#include "base/textfile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace wirtal::bench {

QString quoted(const QStringList& fields) {
    QStringList out;
    for (QString f : fields)
        out << u'"' + f.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return out.join(u',');
}

// A question text of about the length of the official ones, with Polish letters.
QString questionText(int n, int length) {
    static const QString words[] = {
        QStringLiteral("Czy"),        QStringLiteral("w"),           QStringLiteral("tej"),
        QStringLiteral("sytuacji"),   QStringLiteral("masz"),        QStringLiteral("obowiązek"),
        QStringLiteral("zatrzymać"),  QStringLiteral("pojazd"),      QStringLiteral("przed"),
        QStringLiteral("przejściem"), QStringLiteral("dla"),         QStringLiteral("pieszych"),
        QStringLiteral("źle"),        QStringLiteral("oznakowanym"), QStringLiteral("łukiem"),
        QStringLiteral("drogi"),
    };
    QString t = QStringLiteral("Pytanie %1:").arg(n);
    for (int i = n; t.size() < length; ++i)
        t += u' ' + words[i % 16];
    return t + u'?';
}

void writeBankFile(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    f.write(encodeCp1250(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void writeClassicBanks(const QString& folder, int copies) {
    const QDir dir(folder);
    QStringList basic{quoted({"Pytania podstawowe", "T", "", "0"})};
    for (int i = 0; i < copies; ++i)
        for (int n = 1; n <= classicBasicCount; ++n)
            basic << quoted({questionText(n, 90), n % 2 ? "T" : "N",
                             QStringLiteral("AK_D%1_org.wmv").arg(n, 4, 10, QChar(u'0')),
                             QString::number(n % 3 + 1)});
    writeBankFile(dir.filePath(QStringLiteral("0wx.dll")), basic);
    QStringList special{quoted({"Pytania specjalistyczne", "", "", "", "A", "", "0"})};
    for (int i = 0; i < copies; ++i)
        for (int n = 1; n <= lastQuestion - classicBasicCount; ++n)
            special << quoted({questionText(n, 60), questionText(n + 1, 25),
                               questionText(n + 2, 25), questionText(n + 3, 25),
                               QString(QChar(u'A' + n % 3)), QStringLiteral("%1.jpg").arg(n),
                               QString::number(n % 3 + 1)});
    writeBankFile(dir.filePath(QStringLiteral("02x.dll")), special);
}

FullBank::FullBank() {
    Paths::setProgramFolder(program.path());
    Paths::setUserDataFolder(user.path());
    writeClassicBanks(program.path(), 1);
    writeIni(QStringLiteral("statsb.ini"), QStringLiteral("last"), QStringLiteral("pytanie"),
             QStringLiteral("1"));
    writeIni(QStringLiteral("statsb.ini"), QStringLiteral("nauka"), QStringLiteral("poprawne"),
             QStringLiteral("5"));
    writeIni(QStringLiteral("statsb.ini"), QStringLiteral("nauka"), QStringLiteral("niepoprawne"),
             QStringLiteral("2"));
    writeIni(QStringLiteral("statsb.ini"), QStringLiteral("egzamin"), QStringLiteral("zdane"),
             QStringLiteral("0"));
    writeIni(QStringLiteral("statsb.ini"), QStringLiteral("egzamin"), QStringLiteral("niezdane"),
             QStringLiteral("0"));
    writeIni(QStringLiteral("statsb.ini"), QStringLiteral("stats"), QStringLiteral("wyniki"),
             QStringLiteral("10201"));
    settle();
}

void settle() {
    std::this_thread::sleep_for(std::chrono::nanoseconds(textcache::racyWindowNs) +
                                std::chrono::milliseconds(100));
}

void keepLines(bool on) {
    textcache::setEnabled(on);
}

FullBank& fullBank() {
    static FullBank b;
    return b;
}

} // namespace wirtal::bench
