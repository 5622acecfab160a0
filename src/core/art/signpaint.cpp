// SPDX-License-Identifier: GPL-3.0-or-later

#include "art/signpaint.h"

#include "art/symbols.h"

#include <QPolygonF>

#include <cmath>

namespace wirtal::art {

using media::Shape;
using media::SignDef;

namespace {

struct Parsed {
    const SignDef* def;
    QString arg;
};

Parsed parse(const QString& codeWithArg) {
    const QString code = codeWithArg.section(u'/', 0, 0);
    const QString arg = codeWithArg.contains(u'/') ? codeWithArg.section(u'/', 1) : QString();
    return {media::findSign(code), arg};
}

qreal aspect(Shape s) {
    switch (s) {
    case Shape::InfoWide:
    case Shape::WhiteWide:
    case Shape::LaneBoard:
        return 1.5;
    case Shape::Plate:
        return 2.0;
    case Shape::Post:
        return 0.3;
    default:
        return 1.0;
    }
}

// T-6 is a square plate.
bool squarePlate(const SignDef& d) {
    return d.symbol == media::Symbol::RoadShape;
}

qreal heightFactor(Shape s) {
    switch (s) {
    case Shape::Plate:
        return 0.55;
    case Shape::Post:
        return 1.8;
    case Shape::Warning:
    case Shape::Yield:
        return 0.87;
    case Shape::ZoneSquare:
        return 1.15;
    default:
        return 1.0;
    }
}

// Thin diagonal lines of an "end of" sign, clipped to the face.
void endLines(QPainter& p, const QPainterPath& face, qreal r) {
    p.save();
    p.setClipPath(face, Qt::IntersectClip);
    for (int i = -2; i <= 2; ++i) {
        const qreal o = i * r * 0.12;
        strokeLine(p, {r + o, -r + o}, {-r + o, r + o}, colour::black, r * 0.03, Qt::FlatCap);
    }
    p.restore();
}

void redStripe(QPainter& p, const QPainterPath& face, qreal w, qreal h) {
    p.save();
    p.setClipPath(face, Qt::IntersectClip);
    strokeLine(p, {-w, h}, {w, -h}, colour::red, std::min(w, h) * 0.16, Qt::FlatCap);
    p.restore();
}

// Runs the symbol in a box of half-size `half` centred at `c`.
void symbolAt(QPainter& p, QPointF c, qreal half, const SignDef& d, const QString& arg, Ink ink) {
    p.save();
    p.translate(c);
    p.scale(half, half);
    if (d.flags & media::Mirror)
        p.scale(-1, 1);
    paintSymbol(p, d.symbol, arg, ink);
    p.restore();
}

QPainterPath roundedPolygon(std::initializer_list<QPointF> pts, qreal radius) {
    QPainterPath path;
    const QList<QPointF> v(pts);
    const qsizetype n = v.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF prev = v[(i + n - 1) % n], cur = v[i], next = v[(i + 1) % n];
        const QPointF a =
            cur + (prev - cur) * (radius / std::hypot(prev.x() - cur.x(), prev.y() - cur.y()));
        const QPointF b =
            cur + (next - cur) * (radius / std::hypot(next.x() - cur.x(), next.y() - cur.y()));
        if (i == 0)
            path.moveTo(a);
        else
            path.lineTo(a);
        path.quadTo(cur, b);
    }
    path.closeSubpath();
    return path;
}

QPainterPath triangle(qreal w, bool down, qreal inset) {
    const qreal h = w * 0.87;
    const qreal k = inset;
    if (!down)
        return roundedPolygon(
            {{0, -h / 2 + k * 1.7}, {w / 2 - k * 1.5, h / 2 - k}, {-w / 2 + k * 1.5, h / 2 - k}},
            w * 0.06);
    return roundedPolygon(
        {{-w / 2 + k * 1.5, -h / 2 + k}, {w / 2 - k * 1.5, -h / 2 + k}, {0, h / 2 - k * 1.7}},
        w * 0.06);
}

QPainterPath rect(qreal w, qreal h, qreal inset, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(-w / 2 + inset, -h / 2 + inset, w - 2 * inset, h - 2 * inset),
                        radius, radius);
    return path;
}

QPainterPath disc(qreal r) {
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), r, r);
    return path;
}

// Draws the face centred at the origin; s is the reference size.
void face(QPainter& p, const SignDef& d, const QString& arg, qreal s) {
    const bool ended = d.flags & media::Ended;
    const qreal r = s / 2;
    const QColor symbolInk = ended ? colour::grey : colour::black;
    switch (d.shape) {
    case Shape::Warning:
    case Shape::Yield: {
        const bool down = d.shape == Shape::Yield;
        fillPath(p, triangle(s, down, 0), colour::red);
        fillPath(p, triangle(s, down, s * 0.09), down ? colour::white : colour::yellow);
        symbolAt(p, {0, s * 0.08}, s * 0.2, d, arg, {colour::black, colour::yellow});
        return;
    }
    case Shape::Prohibition:
    case Shape::NoParking:
    case Shape::EndDisc: {
        const bool blue = d.shape == Shape::NoParking;
        if (d.shape == Shape::EndDisc) {
            fillPath(p, disc(r), colour::black);
            fillPath(p, disc(r * 0.97), colour::white);
        } else {
            fillPath(p, disc(r), colour::white);
            fillPath(p, disc(r * 0.97), colour::red);
            fillPath(p, disc(r * 0.78), blue ? colour::blue : colour::white);
        }
        p.save();
        p.setClipPath(disc(r * 0.78));
        symbolAt(p, {0, 0}, r * 0.62, d, arg, {symbolInk, colour::white});
        p.restore();
        if (ended)
            endLines(p, disc(r * 0.97), r);
        return;
    }
    case Shape::Stop: {
        QPainterPath oct;
        for (int i = 0; i < 8; ++i) {
            const qreal a = (22.5 + i * 45.0) * M_PI / 180.0;
            const QPointF pt(r * std::cos(a), r * std::sin(a));
            i == 0 ? oct.moveTo(pt) : oct.lineTo(pt);
        }
        oct.closeSubpath();
        fillPath(p, oct, colour::white);
        p.save();
        p.scale(0.93, 0.93);
        fillPath(p, oct, colour::red);
        p.restore();
        symbolAt(p, {0, 0}, r * 0.8, d, arg, {colour::white, colour::red});
        return;
    }
    case Shape::ZoneSquare: {
        const qreal h = s * 1.15;
        fillPath(p, rect(s, h, 0, s * 0.05), colour::black);
        fillPath(p, rect(s, h, s * 0.02, s * 0.04), colour::white);
        text(p, QRectF(-r * 0.9, -h / 2 + s * 0.05, s * 0.9, s * 0.2), QStringLiteral("STREFA"),
             symbolInk);
        const SignDef inner{
            d.code,
            ended ? Shape::EndDisc
                  : (d.symbol == media::Symbol::Number ? Shape::Prohibition : Shape::NoParking),
            d.symbol == media::Symbol::Number ? d.symbol : media::Symbol::SlashOne, d.arg,
            d.flags & ~unsigned(media::Ended)};
        p.save();
        p.translate(0, s * 0.15);
        face(p, inner, arg, s * 0.72);
        p.restore();
        if (ended)
            endLines(p, rect(s, h, s * 0.02, s * 0.04), h / 2);
        return;
    }
    case Shape::Mandatory:
        fillPath(p, disc(r), colour::white);
        fillPath(p, disc(r * 0.96), colour::blue);
        symbolAt(p, {0, 0}, r * 0.7, d, arg, {colour::white, colour::blue});
        if (d.flags & media::RedStripe)
            redStripe(p, disc(r * 0.96), r, r);
        return;
    case Shape::Priority: {
        QPainterPath outer = roundedPolygon({{0, -r}, {r, 0}, {0, r}, {-r, 0}}, s * 0.04);
        fillPath(p, outer, colour::black);
        p.save();
        p.scale(0.97, 0.97);
        fillPath(p, outer, colour::white);
        p.restore();
        p.save();
        p.scale(0.62, 0.62);
        fillPath(p, outer, colour::yellow);
        p.restore();
        if (ended)
            endLines(p, outer, r * 0.9);
        return;
    }
    case Shape::InfoSquare:
    case Shape::InfoInset:
    case Shape::InfoWide:
    case Shape::LaneBoard: {
        const qreal w = s * aspect(d.shape);
        fillPath(p, rect(w, s, 0, s * 0.06), colour::white);
        fillPath(p, rect(w, s, s * 0.025, s * 0.05), colour::blue);
        if (d.shape == Shape::InfoInset) {
            fillPath(p, rect(s * 0.72, s * 0.62, 0, s * 0.03).translated(0, -s * 0.06),
                     colour::white);
            symbolAt(p, {0, -s * 0.06}, s * 0.27, d, arg, {colour::black, colour::white});
        } else {
            symbolAt(p, {0, 0}, s * 0.38, d, arg, {colour::white, colour::blue});
        }
        if (d.flags & media::RedStripe)
            redStripe(p, rect(w, s, s * 0.025, s * 0.05), w / 2, s / 2);
        return;
    }
    case Shape::WhiteWide:
    case Shape::Plate: {
        const qreal w = squarePlate(d) ? s * 0.8 : s * aspect(d.shape);
        const qreal h = squarePlate(d) ? s * 0.8 : s * heightFactor(d.shape);
        fillPath(p, rect(w, h, 0, s * 0.04), colour::black);
        fillPath(p, rect(w, h, s * 0.02, s * 0.03), colour::white);
        symbolAt(p, {0, 0}, h * 0.42, d, arg, {colour::black, colour::white});
        if (d.flags & media::RedStripe)
            redStripe(p, rect(w, h, s * 0.02, s * 0.03), w / 2, h / 2);
        return;
    }
    case Shape::Post: {
        const qreal w = s * aspect(d.shape), h = s * heightFactor(d.shape);
        fillPath(p, rect(w, h, 0, 0), colour::white);
        p.save();
        p.setClipPath(rect(w, h, 0, 0));
        p.translate(0, -h * 0.1);
        p.scale(w / 2, w / 2 * 1.2);
        if (d.flags & media::Left)
            p.scale(-1, 1);
        for (int i = 0; i < 1; ++i)
            paintSymbol(p, d.symbol, arg, {});
        p.restore();
        return;
    }
    case Shape::Cross: {
        const auto board = [&](qreal angle, qreal len, QPointF at) {
            p.save();
            p.translate(at);
            p.rotate(angle);
            fillPath(p, rect(len, s * 0.16, 0, s * 0.02), colour::red);
            fillPath(p, rect(len, s * 0.16, s * 0.02, s * 0.01), colour::white);
            fillRect(p, QRectF(-len * 0.34, -s * 0.06, len * 0.2, s * 0.12), colour::red);
            fillRect(p, QRectF(len * 0.14, -s * 0.06, len * 0.2, s * 0.12), colour::red);
            p.restore();
        };
        board(35, s * 1.2, {0, 0});
        board(-35, s * 1.2, {0, 0});
        if (d.symbol == media::Symbol::DoubleCross) {
            board(35, s * 0.5, {0, s * 0.55});
            board(-35, s * 0.5, {0, s * 0.55});
        }
        return;
    }
    case Shape::Marking:
        return; // painted on the road by the scene
    }
}

} // namespace

QSizeF signFaceSize(const QString& codeWithArg, qreal size) {
    const Parsed ps = parse(codeWithArg);
    if (!ps.def)
        return {size, size};
    if (ps.def->shape == Shape::Cross)
        return {size * 1.1, size * (ps.def->symbol == media::Symbol::DoubleCross ? 1.3 : 0.8)};
    if (squarePlate(*ps.def))
        return {size * 0.8, size * 0.8};
    return {size * aspect(ps.def->shape), size * heightFactor(ps.def->shape)};
}

void paintSign(QPainter& p, QPointF top, qreal size, const QString& codeWithArg) {
    const Parsed ps = parse(codeWithArg);
    if (!ps.def)
        return;
    const QSizeF sz = signFaceSize(codeWithArg, size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal centreY = ps.def->shape == Shape::Cross ? size * 0.4 : sz.height() / 2;
    p.translate(top.x(), top.y() + centreY);
    face(p, *ps.def, ps.arg, size);
    p.restore();
}

qreal signStackHeight(qreal size, const QStringList& codes) {
    qreal h = 0;
    for (qsizetype i = 0; i < codes.size(); ++i)
        h += signFaceSize(codes[i], i == 0 ? size : size * 0.8).height() + size * 0.04;
    return h;
}

qreal paintSignStack(QPainter& p, QPointF top, qreal size, const QStringList& codes) {
    qreal y = top.y();
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const qreal s = i == 0 ? size : size * 0.8;
        paintSign(p, {top.x(), y}, s, codes[i]);
        y += signFaceSize(codes[i], s).height() + size * 0.04;
    }
    return y - top.y();
}

} // namespace wirtal::art
