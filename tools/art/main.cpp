// SPDX-License-Identifier: GPL-3.0-or-later

// wirtal-art: draws the pictures of the demo bank and the frames of its films.
//   wirtal-art pictures SOURCES OUT   every picture the questions of SOURCES name, into
//                                     OUT/obrazki_prawko/filmy/, and the fixed pictures into
//                                     OUT/obrazki_prawko/
//   wirtal-art frames FILM DIR        the frames of one film as PNG files (DIR/0001.png, ...)
//   wirtal-art films                  the names of the films
//   wirtal-art one ITEM FILE          one picture
//   wirtal-art sheet FILE             every sign of the sign table on one sheet
//   wirtal-art pages LIST FOLDER      every picture of the reference pages named in LIST (the
//                                     pages' picture list), into FOLDER (obrazki_prawko)
#include "art/films.h"
#include "art/mediaitem.h"
#include "art/pages.h"
#include "art/pictures.h"
#include "art/signpaint.h"
#include "art/signtable.h"
#include "bankbuild.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QSet>

#include <cstdio>

using namespace wirtal;

namespace {

void say(const QString& text) {
    std::fputs(qPrintable(text + u'\n'), stderr);
}

QString sampleArg(const media::SignDef& d) {
    switch (d.arg) {
    case media::Arg::Speed:
        return QStringLiteral("/50");
    case media::Arg::Metres:
        return QStringLiteral("/3.5");
    case media::Arg::Tonnes:
        return QStringLiteral("/8");
    case media::Arg::Distance:
        return QStringLiteral("/150");
    case media::Arg::Arms:
        return QStringLiteral("/bl");
    default:
        return {};
    }
}

int sheet(const QString& path) {
    const auto rows = media::signTable();
    const int cols = 16, cell = 110;
    const int lines = int((rows.size() + cols - 1) / cols);
    QImage img(cols * cell, lines * cell, QImage::Format_RGB32);
    img.fill(QColor(200, 220, 200));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int x = int(i % cols) * cell, y = int(i / cols) * cell;
        const QString code = QLatin1String(rows[i].code) + sampleArg(rows[i]);
        art::paintSign(p, QPointF(x + cell / 2.0, y + 4), 70, code);
        p.setPen(Qt::black);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
        p.drawText(QRectF(x, y + cell - 18, cell, 16), Qt::AlignCenter, code);
    }
    p.end();
    return img.save(path) ? 0 : 1;
}

int one(const QString& itemText, const QString& path) {
    QString why;
    const auto item = media::parseItem(itemText, &why);
    if (!item || item->isFilm()) {
        say(item ? QStringLiteral("films are drawn with: wirtal-art frames") : why);
        return 1;
    }
    return art::renderPicture(*item).save(path, nullptr, 88) ? 0 : 1;
}

int pictures(const QString& sources, const QString& out) {
    QElapsedTimer clock;
    clock.start();
    QStringList problems;
    const auto questions = demo::loadQuestions(sources, &problems);
    const QString media = QDir(out).filePath(QStringLiteral("obrazki_prawko/filmy"));
    QDir().mkpath(media);
    if (!art::writeFixedPictures(QDir(out).filePath(QStringLiteral("obrazki_prawko")))) {
        say(QStringLiteral("wirtal-art: cannot write the fixed pictures into %1").arg(out));
        return 1;
    }
    QSet<QString> done;
    int failed = 0;
    for (const auto& [n, q] : questions) {
        const auto item = media::parseItem(q.media);
        if (!item || item->isFilm() || done.contains(q.file))
            continue;
        done.insert(q.file);
        if (!art::renderPicture(*item).save(QDir(media).filePath(q.file), nullptr, 88)) {
            say(QStringLiteral("wirtal-art: cannot write %1").arg(q.file));
            ++failed;
        }
    }
    say(QStringLiteral("wirtal-art: %1 pictures in %2 ms").arg(done.size()).arg(clock.elapsed()));
    return failed ? 1 : 0;
}

int pages(const QString& list, const QString& folder) {
    QString why;
    const auto pictures = art::readPagePictures(list, &why);
    if (pictures.isEmpty()) {
        say(QStringLiteral("wirtal-art: ") + why);
        return 1;
    }
    const int failed = art::writePagePictures(pictures, folder);
    say(QStringLiteral("wirtal-art: %1 page pictures in %2").arg(pictures.size()).arg(folder));
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString cmd = args.value(1);
    if (args.size() == 4 && cmd == u"pictures")
        return pictures(args[2], args[3]);
    if (args.size() == 4 && cmd == u"frames")
        return art::writeFilmFrames(args[2], args[3]) ? 0 : 1;
    if (args.size() == 2 && cmd == u"films") {
        for (const QString& f : media::filmNames())
            std::printf("%s %g\n", qPrintable(f), art::filmSeconds(f));
        return 0;
    }
    if (args.size() == 4 && cmd == u"one")
        return one(args[2], args[3]);
    if (args.size() == 4 && cmd == u"pages")
        return pages(args[2], args[3]);
    if (args.size() == 3 && cmd == u"sheet")
        return sheet(args[2]);
    say(QStringLiteral("Użycie: wirtal-art pictures SOURCES OUT | frames FILM DIR | films | "
                       "one ITEM FILE | sheet FILE | pages LIST FOLDER"));
    return 2;
}
