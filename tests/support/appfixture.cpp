// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/appfixture.h"

#include "base/textfile.h"
#include "platform/error.h"
#include "widgets/styledbutton.h"

#include <QBuffer>
#include <QImage>

namespace wirtal::test {

TestBank::TestBank() {
    for (int n = 1; n <= 1297; ++n)
        records_[n] = {QStringLiteral("Pytanie %1").arg(n),
                       n % 2 ? QStringLiteral("T") : QStringLiteral("N"),
                       QStringLiteral("p%1.jpg").arg(n), QString::number(1 + n % 3)};
    static const char* abc[] = {"A", "B", "C"};
    for (int n = 1298; n <= 1479; ++n)
        records_[n] = {QStringLiteral("Pytanie %1").arg(n),
                       QStringLiteral("Odpowiedź A %1").arg(n),
                       QStringLiteral("Odpowiedź B %1").arg(n),
                       QStringLiteral("Odpowiedź C %1").arg(n),
                       QString::fromLatin1(abc[n % 3]),
                       QStringLiteral("s%1.wmv").arg(n),
                       QString::number(1 + n % 3)};
}

void TestBank::write(const TempFolders& folders, const QString& categoryCode) const {
    QString basic = QStringLiteral("\"nagłówek\"\r\n");
    for (int n = 1; n <= 1297; ++n)
        basic += quotedLine(records_.value(n)) + QStringLiteral("\r\n");
    QString special = QStringLiteral("\"nagłówek\"\r\n");
    for (int n = 1298; n <= 1479; ++n)
        special += quotedLine(records_.value(n)) + QStringLiteral("\r\n");
    folders.writeProgramFile(QStringLiteral("0wx.dll"), encodeCp1250(basic));
    const QString name =
        categoryCode == QStringLiteral("B")
            ? QStringLiteral("02x.dll")
            : QStringLiteral("baza") + categoryCode.toLower() + QStringLiteral(".txt");
    folders.writeProgramFile(name, encodeCp1250(special));
    // The fixed pictures of the displays (question 0 and the exam placeholder).
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/empty.jpg"),
                             pictureBytes(QStringLiteral("empty.jpg")));
    folders.writeProgramFile(QStringLiteral("obrazki_prawko/empty2.jpg"),
                             pictureBytes(QStringLiteral("empty2.jpg")));
}

QByteArray pictureBytes(const QString& name, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(90, 140, 200));
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? "PNG" : "JPG");
    return bytes;
}

AppFixture::AppFixture() {
    setErrorSink(
        [this](const QString& text) { dialogs.message(text, Buttons::Ok, Icon::Error, false); });
}

AppFixture::~AppFixture() {
    window_.reset();
    setErrorSink({});
}

MainWindow& AppFixture::window() {
    if (!window_) {
        Services s;
        s.timers = &clock;
        s.dialogs = &dialogs;
        s.random = &random;
        s.clock = &wallclock;
        s.player = &player;
        s.report = &report;
        s.web = webLoader;
        s.downloader = downloader;
        window_ = std::make_unique<MainWindow>(s, history);
        window_->resize(1366, 768);
    }
    return *window_;
}

void AppFixture::click(const QString& objectName) {
    auto* b = window().findChild<StyledButton*>(objectName);
    ASSERT_NE(b, nullptr) << "no button " << objectName.toStdString();
    ASSERT_TRUE(b->isEnabled()) << objectName.toStdString() << " is disabled";
    b->click();
}

} // namespace wirtal::test
