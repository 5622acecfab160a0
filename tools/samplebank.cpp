// Writes a small stand-in program folder (bank files and pictures) for trying the program before
// a real question bank is at hand: wirtal-sample-bank DIR
#include "bank/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {
QString quoted(QStringList fields) {
    for (QString& f : fields)
        f = u'"' + f.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return fields.join(u',');
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

void picture(const QString& path, const QString& caption, const QColor& colour) {
    QImage img(480, 360, QImage::Format_RGB32);
    img.fill(colour);
    QPainter p(&img);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(40);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter | Qt::TextWordWrap, caption);
    p.end();
    img.save(path, "JPG", 85);
}
} // namespace

int main(int argc, char** argv) {
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: wirtal-sample-bank DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString media = dir + QStringLiteral("/obrazki_prawko/filmy");
    QDir().mkpath(media);
    QString basic = QStringLiteral("\"Pytanie\",\"Odp\",\"Media\",\"Pkt\"\r\n");
    for (int n = 1; n <= 1297; ++n)
        basic += quoted({QStringLiteral("Przykładowe pytanie podstawowe nr %1: czy to pytanie "
                                        "pochodzi z prawdziwego banku pytań?")
                             .arg(n),
                         QStringLiteral("N"), QStringLiteral("przyklad%1.jpg").arg(n % 4),
                         QString::number(3 - n % 3)}) +
                 QStringLiteral("\r\n");
    QString special = QStringLiteral("\"Pytanie\",\"A\",\"B\",\"C\",\"Odp\",\"Media\",\"Pkt\"\r\n");
    for (int n = 1298; n <= 1479; ++n)
        special += quoted({QStringLiteral("Przykładowe pytanie specjalistyczne nr %1: która "
                                          "odpowiedź jest prawidłowa?")
                               .arg(n),
                           QStringLiteral("Odpowiedź A"), QStringLiteral("Odpowiedź B"),
                           QStringLiteral("Odpowiedź C"), QStringLiteral("B"),
                           QStringLiteral("przyklad%1.jpg").arg(n % 4),
                           QString::number(3 - n % 3)}) +
                   QStringLiteral("\r\n");
    bool ok = writeFile(dir + QStringLiteral("/0wx.dll"), wirtal::encodeCp1250(basic)) &&
              writeFile(dir + QStringLiteral("/02x.dll"), wirtal::encodeCp1250(special));
    const QColor colours[] = {QColor(60, 110, 170), QColor(70, 140, 90), QColor(150, 90, 60),
                              QColor(110, 80, 150)};
    for (int i = 0; i < 4; ++i)
        picture(media + QStringLiteral("/przyklad%1.jpg").arg(i),
                QStringLiteral("Przykładowy obrazek %1").arg(i + 1), colours[i]);
    picture(dir + QStringLiteral("/obrazki_prawko/empty.jpg"), QString(), QColor(225, 232, 240));
    picture(dir + QStringLiteral("/obrazki_prawko/empty2.jpg"), QString(), QColor(225, 232, 240));
    if (!ok) {
        std::fprintf(stderr, "cannot write the bank files into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
