// wirtal-art: draws the pictures of the demo bank.
//   wirtal-art sheet FILE.png    every sign of the table on one sheet (for review)
#include "art/signpaint.h"
#include "art/signtable.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

using namespace wirtal;

namespace {

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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"sheet")
        return sheet(args[2]);
    std::fputs("Użycie: wirtal-art sheet FILE.png\n", stderr);
    return 2;
}
