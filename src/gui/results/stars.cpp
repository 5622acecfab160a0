// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/stars.h"

#include "art/windowart.h"
#include "base/paths.h"
#include "base/state.h"
#include "results/history.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace wirtal {

namespace {
constexpr int starSize = 16;

// A five-pointed star drawn by code at the screen's ratio: the picture when the program folder
// has none, or only one too small to be shown sharp on this screen.
QPixmap drawnStar(const QColor& fill, bool outlineOnly) {
    return pictures::star(fill, outlineOnly, starSize);
}

const char* const hints[] = {
    "Wynik ostatniego testu.",       "Wynik przedostatniego testu.",
    "Wynik trzeciego testu wstecz.", "Wynik czwartego testu wstecz.",
    "Wynik piątego testu wstecz.",
};

struct StarLook {
    QChar c;
    const char* file;
    QColor colour;
    const char* said; // what a screen reader says of the star
};
const StarLook looks[] = {
    {u'0', "\\obrazki_prawko\\redstar.png", QColor(222, 62, 56), "niezdany"},
    {u'1', "\\obrazki_prawko\\greenstar.png", QColor(58, 172, 72), "zdany"},
    {u'2', "\\obrazki_prawko\\greystar.png", QColor(165, 170, 178), "bez wyniku"},
};

// "Wynik ostatniego testu: zdany".
QString starName(int i, const char* said) {
    QString hint = QString::fromUtf8(hints[i - 1]);
    hint.chop(1); // the full stop
    return hint + QStringLiteral(": ") + QString::fromUtf8(said);
}

} // namespace

StarsPanel::StarsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel4"));
    setToolTip(QStringLiteral("Wynik ostatnich 5 testów w danej kategorii."));
    setAccessibleName(toolTip());
    for (int i = 0; i < 5; ++i) {
        auto* s = new QLabel(this);
        s->setObjectName(QStringLiteral("starimage%1").arg(i + 1));
        s->setTextFormat(Qt::PlainText);
        s->setToolTip(QString::fromUtf8(hints[i]));
        s->setAccessibleName(s->toolTip());
        s->setGeometry(i * (starSize + 4), 0, starSize, starSize);
        stars_[i] = s;
        showEmpty(i + 1);
    }
    setFixedSize(5 * starSize + 4 * 4, starSize);
}

void StarsPanel::showResult(int i, QChar c) {
    for (const StarLook& look : looks) {
        if (look.c != c)
            continue;
        const QString path = Paths::inProgramFolder(QString::fromLatin1(look.file));
        const qreal ratio = art::screenRatio();
        QPixmap pm;
        if (QFileInfo::exists(path))
            pm.load(path);
        if (pm.isNull() || std::max(pm.width(), pm.height()) < starSize * ratio) {
            pm = drawnStar(look.colour, false);
        } else {
            pm = pm.scaled(QSize(starSize, starSize) * ratio, Qt::KeepAspectRatio,
                           Qt::SmoothTransformation);
            pm.setDevicePixelRatio(ratio);
        }
        stars_[i - 1]->setPixmap(pm);
        stars_[i - 1]->setAccessibleName(starName(i, look.said));
        results_[i - 1] = c;
        return;
    }
}

void StarsPanel::showEmpty(int i) {
    stars_[i - 1]->setPixmap(drawnStar(QColor(150, 160, 175), /*outlineOnly=*/true));
    stars_[i - 1]->setAccessibleName(starName(i, "brak testu"));
    results_[i - 1] = QChar();
}

void showStars(const QString& categoryCode, StarsPanel& panel) {
    const QString file = statsFileFor(categoryCode);
    if (file.isEmpty())
        return;
    const QString chars = history::stars(file);
    for (int i = 1; i <= 5; ++i) {
        panel.showEmpty(i);
        if (i <= chars.size())
            panel.showResult(i, chars[i - 1]);
    }
}

} // namespace wirtal
