// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Silhouettes shared by the sign pictograms and the scenes: people, vehicles, animals. Each is
// drawn in one ink colour, with details (windows, gaps) in the paper colour.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <initializer_list>

namespace wirtal::art {

namespace colour {
inline const QColor red{210, 16, 32};
inline const QColor yellow{255, 204, 0};
inline const QColor blue{0, 82, 160};
inline const QColor white{255, 255, 255};
inline const QColor black{26, 26, 26};
inline const QColor grey{120, 120, 120};
inline const QColor green{0, 150, 64};
inline const QColor orange{240, 120, 0};
} // namespace colour

struct Ink {
    QColor fg = colour::black;
    QColor bg = colour::white;
};

// Small drawing helpers.
void fillPoly(QPainter& p, std::initializer_list<QPointF> pts, const QColor& c);
void fillPath(QPainter& p, const QPainterPath& path, const QColor& c);
void strokePath(QPainter& p, const QPainterPath& path, const QColor& c, qreal width,
                Qt::PenCapStyle cap = Qt::RoundCap);
void strokeLine(QPainter& p, QPointF a, QPointF b, const QColor& c, qreal width,
                Qt::PenCapStyle cap = Qt::RoundCap);
void fillCircle(QPainter& p, QPointF centre, qreal r, const QColor& c);
void fillRect(QPainter& p, const QRectF& r, const QColor& c, qreal radius = 0);
// An arrow along a path: shaft of the given width, head at the end pointing along the last leg.
void arrow(QPainter& p, std::initializer_list<QPointF> pts, const QColor& c, qreal width,
           qreal head);
// Text centred in a box, bold, sized to the box height (shrunk to fit the width).
void text(QPainter& p, const QRectF& box, const QString& s, const QColor& c, qreal weight = 0.8);

// Figures, fitted to the box (width and height of the box are the figure's extent).
void walker(QPainter& p, const QRectF& box, const QColor& c, bool child = false);
void standing(QPainter& p, const QRectF& box, const QColor& c);
void carSide(QPainter& p, const QRectF& box, Ink ink);
void truckSide(QPainter& p, const QRectF& box, Ink ink);
void busSide(QPainter& p, const QRectF& box, Ink ink);
void tramSide(QPainter& p, const QRectF& box, Ink ink);
void motorcycleSide(QPainter& p, const QRectF& box, Ink ink, bool rider = false);
void bicycleSide(QPainter& p, const QRectF& box, const QColor& c, qreal width);
void tractorSide(QPainter& p, const QRectF& box, Ink ink);
void locomotiveSide(QPainter& p, const QRectF& box, Ink ink);
void cowSide(QPainter& p, const QRectF& box, const QColor& c);
void deerSide(QPainter& p, const QRectF& box, const QColor& c);
void horseSide(QPainter& p, const QRectF& box, const QColor& c);
void carFront(QPainter& p, const QRectF& box, Ink ink); // seen from the front (top view: nose)
void planeTop(QPainter& p, const QRectF& box, const QColor& c);

} // namespace wirtal::art
