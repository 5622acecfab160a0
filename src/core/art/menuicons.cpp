// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/menuicons.h"

#include "art/dash.h"
#include "art/figures.h"
#include "art/palette.h"
#include "art/signpaint.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace wirtal::menuicons {

namespace {

using art::canvas;
using art::palette::navy;
using art::palette::road;
const QColor& paper = art::palette::iconPaper;

// One picture in the box r; `what` is the sign code, the car colour name or the light's name.
using Painter = void (*)(QPainter&, const QRectF&, const char* what);

void sign(QPainter& p, const QRectF& r, const char* code) {
    const QString c = QLatin1String(code);
    const QSizeF unit = art::signFaceSize(c, 1.0);
    const qreal size = std::min(r.width() / unit.width(), r.height() / unit.height());
    const qreal h = art::signFaceSize(c, size).height();
    art::paintSign(p, QPointF(r.center().x(), r.center().y() - h / 2), size, c);
}

// A warning sign with a distance plate under it.
void stack(QPainter& p, const QRectF& r, const char*) {
    const QStringList codes{QStringLiteral("A-30"), QStringLiteral("T-1/150")};
    const qreal widest = std::max(art::signFaceSize(codes[0], 1.0).width(),
                                  art::signFaceSize(codes[1], 0.8).width());
    const qreal size = std::min(r.height() / art::signStackHeight(1.0, codes), r.width() / widest);
    art::paintSignStack(p, QPointF(r.center().x(), r.top()), size, codes);
}

void lights(QPainter& p, const QRectF& r, const char*) {
    const QRectF box(r.center().x() - r.width() * 0.19, r.top(), r.width() * 0.38, r.height());
    art::fillRect(p, box, QColor(40, 42, 48), box.width() * 0.25);
    const QColor lamps[] = {QColor(225, 50, 45), QColor(245, 190, 40), QColor(50, 190, 95)};
    for (int i = 0; i < 3; ++i)
        art::fillCircle(p, {box.center().x(), box.top() + box.height() * (i * 2 + 1) / 6.0},
                        box.width() * 0.32, i == 2 ? lamps[i] : lamps[i].darker(260));
}

// A direction board: green, white edge, arrows to the left and ahead with place-name bars.
void board(QPainter& p, const QRectF& r, const char*) {
    const QRectF b = r.adjusted(0, r.height() * 0.18, 0, -r.height() * 0.18);
    art::fillRect(p, b, paper, r.width() * 0.06);
    art::fillRect(p, b.adjusted(3, 3, -3, -3), QColor(0, 130, 70), r.width() * 0.05);
    const qreal x = b.left() + b.width() * 0.22, y = b.center().y();
    art::arrow(p, {{x, b.bottom() - b.height() * 0.12}, {x, b.top() + b.height() * 0.18}}, paper,
               b.height() * 0.09, b.height() * 0.28);
    for (int i = 0; i < 2; ++i)
        art::fillRect(p,
                      QRectF(b.left() + b.width() * 0.4, y - b.height() * (0.26 - i * 0.34),
                             b.width() * (0.48 - i * 0.12), b.height() * 0.14),
                      paper, 2);
}

// A piece of road seen from above with the centre line and an arrow painted on it.
void marking(QPainter& p, const QRectF& r, const char*) {
    art::fillRect(p, r, road, r.width() * 0.08);
    for (int i = 0; i < 4; ++i)
        art::fillRect(p,
                      QRectF(r.center().x() - r.width() * 0.03,
                             r.top() + r.height() * (0.06 + i * 0.25), r.width() * 0.06,
                             r.height() * 0.14),
                      paper);
    art::fillRect(p, QRectF(r.left() + r.width() * 0.06, r.top(), r.width() * 0.04, r.height()),
                  paper);
    art::fillRect(p, QRectF(r.right() - r.width() * 0.1, r.top(), r.width() * 0.04, r.height()),
                  paper);
    art::arrow(p,
               {{r.left() + r.width() * 0.3, r.bottom() - r.height() * 0.12},
                {r.left() + r.width() * 0.3, r.top() + r.height() * 0.2}},
               paper, r.width() * 0.07, r.width() * 0.18);
}

void car(QPainter& p, const QRectF& r, const char* colour) {
    art::carSide(p, r.adjusted(0, r.height() * 0.22, 0, -r.height() * 0.12),
                 {QColor(QLatin1String(colour)), QColor(200, 225, 245)});
}

void dash(QPainter& p, const QRectF& r, const char* name) {
    art::paintDashIcon(
        p, r.adjusted(r.width() * 0.05, r.height() * 0.05, -r.width() * 0.05, -r.height() * 0.05),
        QLatin1String(name));
}

// A book with a paragraph sign on its cover.
void book(QPainter& p, const QRectF& r, const char*) {
    const QRectF cover =
        r.adjusted(r.width() * 0.16, r.height() * 0.04, -r.width() * 0.16, -r.height() * 0.04);
    art::fillRect(p, cover.translated(r.width() * 0.05, r.height() * 0.03), QColor(200, 200, 190),
                  4);
    art::fillRect(p, cover, navy, r.width() * 0.05);
    art::fillRect(p, QRectF(cover.left(), cover.top(), cover.width() * 0.1, cover.height()),
                  navy.darker(140));
    art::text(p,
              cover.adjusted(cover.width() * 0.3, cover.height() * 0.25, -cover.width() * 0.22,
                             -cover.height() * 0.25),
              QStringLiteral("§"), QColor(240, 200, 90));
}

// A police officer with the arm raised, as when stopping traffic.
void officer(QPainter& p, const QRectF& r, const char*) {
    const QColor coat(40, 60, 90), skin(235, 195, 160), vest(210, 235, 60);
    const qreal cx = r.center().x(), w = r.width(), h = r.height(), top = r.top();
    art::fillCircle(p, {cx, top + h * 0.2}, h * 0.09, skin);
    art::fillRect(p, QRectF(cx - w * 0.11, top + h * 0.06, w * 0.22, h * 0.07), QColor(20, 30, 50),
                  3);
    art::fillRect(p, QRectF(cx - w * 0.13, top + h * 0.3, w * 0.26, h * 0.36), coat, w * 0.05);
    art::fillRect(p, QRectF(cx - w * 0.13, top + h * 0.36, w * 0.26, h * 0.08), vest);
    art::strokeLine(p, {cx + w * 0.1, top + h * 0.33}, {cx + w * 0.26, top + h * 0.03}, coat,
                    w * 0.08);
    art::strokeLine(p, {cx - w * 0.1, top + h * 0.33}, {cx - w * 0.2, top + h * 0.62}, coat,
                    w * 0.08);
    art::strokeLine(p, {cx - w * 0.06, top + h * 0.64}, {cx - w * 0.07, top + h * 0.97},
                    coat.darker(130), w * 0.09);
    art::strokeLine(p, {cx + w * 0.06, top + h * 0.64}, {cx + w * 0.07, top + h * 0.97},
                    coat.darker(130), w * 0.09);
}

// A fine: a ticket with lines of text and the sum in złoty.
void ticket(QPainter& p, const QRectF& r, const char*) {
    const QRectF t =
        r.adjusted(r.width() * 0.14, r.height() * 0.02, -r.width() * 0.14, -r.height() * 0.02);
    art::fillRect(p, t.translated(r.width() * 0.04, r.height() * 0.03), QColor(190, 190, 185), 4);
    art::fillRect(p, t, paper, 4);
    art::fillRect(p, QRectF(t.left(), t.top(), t.width(), t.height() * 0.16), QColor(190, 40, 40),
                  4);
    for (int i = 0; i < 3; ++i)
        art::fillRect(p,
                      QRectF(t.left() + t.width() * 0.12, t.top() + t.height() * (0.26 + i * 0.12),
                             t.width() * (i == 2 ? 0.5 : 0.76), t.height() * 0.05),
                      QColor(150, 160, 175));
    art::text(p, QRectF(t.left(), t.top() + t.height() * 0.66, t.width(), t.height() * 0.24),
              QStringLiteral("zł"), navy);
}

// Penalty points: a counter of points on a disc.
void points(QPainter& p, const QRectF& r, const char*) {
    const qreal rad = std::min(r.width(), r.height()) * 0.46;
    art::fillCircle(p, r.center(), rad, QColor(190, 40, 40));
    art::fillCircle(p, r.center(), rad * 0.82, paper);
    art::text(
        p, QRectF(r.center().x() - rad * 0.55, r.center().y() - rad * 0.42, rad * 1.1, rad * 0.56),
        QStringLiteral("24"), QColor(190, 40, 40));
    art::text(p,
              QRectF(r.center().x() - rad * 0.4, r.center().y() + rad * 0.2, rad * 0.8, rad * 0.3),
              QStringLiteral("pkt"), navy);
}

struct Icon {
    int number;
    Painter paint;
    const char* what;
};
constexpr Icon icons[] = {
    {1, sign, "A-1"},      {2, sign, "B-2"},       {3, sign, "C-2"},      {4, sign, "D-6"},
    {5, board, nullptr},   {6, sign, "F-10"},      {7, stack, nullptr},   {8, sign, "G-3"},
    {9, marking, nullptr}, {10, lights, nullptr},  {11, car, "#c82d2d"},  {12, car, "#ebb928"},
    {13, car, "#2d5faf"},  {14, car, "#78af5a"},   {15, car, "#a0a5ad"},  {16, dash, "engine"},
    {17, book, nullptr},   {18, officer, nullptr}, {19, sign, "B-33/50"}, {20, ticket, nullptr},
    {21, points, nullptr},
};

} // namespace

QPixmap forEntry(int number, int size) {
    QPixmap pm = canvas(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    for (const Icon& icon : icons)
        if (icon.number == number)
            icon.paint(p, r, icon.what);
    return pm;
}

} // namespace wirtal::menuicons
