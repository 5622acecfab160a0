#include "support/tempdirs.h"
#include "widgets/htmlview.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::test;

namespace {

QByteArray png() {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

TEST(HtmlView, LocalPagesLoadTheirPicturesFromLocalFilesOnly) {
    TempFolders folders;
    folders.writeProgramFile(QStringLiteral("strony/znak.png"), png());
    folders.writeProgramFile(
        QStringLiteral("strony/a.htm"),
        "<html><head><title>Strona A</title></head><body><img src=\"znak.png\">"
        "<img src=\"http://127.0.0.1:9/obcy.png\"><a href=\"b.htm\">dalej</a></body></html>");
    folders.writeProgramFile(QStringLiteral("strony/b.htm"),
                             "<html><head><title>Strona B</title></head><body>B</body></html>");
    HtmlView v;
    v.navigate(folders.program() + QStringLiteral("strony/a.htm"));
    EXPECT_EQ(v.title(), QStringLiteral("Strona A"));
    EXPECT_EQ(v.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("znak.png")))
                  .toByteArray(),
              png());
    EXPECT_FALSE(v.loadResource(QTextDocument::ImageResource,
                                QUrl(QStringLiteral("http://127.0.0.1:9/obcy.png")))
                     .isValid());
    emit v.anchorClicked(QUrl(QStringLiteral("b.htm")));
    EXPECT_EQ(v.title(), QStringLiteral("Strona B"));
    EXPECT_EQ(v.location(), folders.program() + QStringLiteral("strony/b.htm"));
    emit v.anchorClicked(QUrl(QStringLiteral("http://example.invalid/")));
    EXPECT_EQ(v.title(), QStringLiteral("Strona B")); // web links are not followed
}

TEST(HtmlView, PagesInWindows1250AndUtf8AreDecoded) {
    TempFolders folders;
    const QString text = QStringLiteral("Znaki ostrzegawcze – żółć");
    folders.writeProgramFile(QStringLiteral("u.htm"),
                             ("<html><body>" + text + "</body></html>").toUtf8());
    folders.writeProgramFile(QStringLiteral("w.htm"),
                             "<html><body>" + cp1250(QStringLiteral("Znaki ostrzegawcze żółć")) +
                                 "</body></html>");
    HtmlView v;
    v.navigate(folders.program() + QStringLiteral("u.htm"));
    EXPECT_EQ(v.toPlainText().trimmed(), text);
    v.navigate(folders.program() + QStringLiteral("w.htm"));
    EXPECT_EQ(v.toPlainText().trimmed(), QStringLiteral("Znaki ostrzegawcze żółć"));
    // A declared charset wins over guessing: these Windows-1250 bytes are valid UTF-8 too.
    folders.writeProgramFile(QStringLiteral("d.htm"),
                             "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                             "charset=windows-1250\"></head><body>\xC3\xB3</body></html>");
    v.navigate(folders.program() + QStringLiteral("d.htm"));
    EXPECT_EQ(v.toPlainText().trimmed(), QStringLiteral("Ăł"));
}

TEST(HtmlView, ARemotePageLoadsNothingFurtherAndOpensNoLinks) {
    TempFolders folders;
    folders.writeProgramFile(QStringLiteral("tajne.png"), png());
    const QString local =
        QUrl::fromLocalFile(folders.program() + QStringLiteral("tajne.png")).toString();
    HtmlView v;
    v.showRemotePage(("<html><head><title>11</title><link rel=\"stylesheet\" href=\"" + local +
                      "\"></head><body><img src=\"" + local +
                      "\"><img src=\"logo.png\"><a href=\"" + local + "\">x</a></body></html>")
                         .toUtf8(),
                     QUrl(QStringLiteral("http://127.0.0.1:8080/updates/twersja10.html")));
    EXPECT_EQ(v.title(), QStringLiteral("11"));
    for (const QUrl& u : {QUrl(local), QUrl(QStringLiteral("logo.png")),
                          QUrl(QStringLiteral("http://127.0.0.1:8080/updates/logo.png"))})
        for (int type : {int(QTextDocument::ImageResource), int(QTextDocument::StyleSheetResource),
                         int(QTextDocument::HtmlResource)})
            EXPECT_FALSE(v.loadResource(type, u).isValid()) << u.toString().toStdString();
    emit v.anchorClicked(QUrl(local));
    EXPECT_EQ(v.title(), QStringLiteral("11"));
    EXPECT_TRUE(v.location().isEmpty());
}

TEST(HtmlView, ARemotePageShowsOnlyPicturesOfItsOwnServerOnceHandedIn) {
    HtmlView v;
    const QUrl page(QStringLiteral("http://127.0.0.1:8080/updates/twersja10.html"));
    v.showRemotePage("<html><body><img src=\"logo.png\"><img src=\"/obrazki/a.png\">"
                     "<img src=\"logo.png\"><img src=\"http://obcy.example/b.png\">"
                     "<img src=\"https://127.0.0.1:8080/c.png\"><img src=\"file:///etc/d.png\">"
                     "</body></html>",
                     page);
    const QUrl logo(QStringLiteral("http://127.0.0.1:8080/updates/logo.png"));
    EXPECT_EQ(v.remotePictures(),
              QList<QUrl>({logo, QUrl(QStringLiteral("http://127.0.0.1:8080/obrazki/a.png"))}));
    EXPECT_FALSE(
        v.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo.png"))).isValid());
    v.addRemotePicture(QUrl(QStringLiteral("http://obcy.example/b.png")), png());
    EXPECT_FALSE(v.loadResource(QTextDocument::ImageResource,
                                QUrl(QStringLiteral("http://obcy.example/b.png")))
                     .isValid());
    v.addRemotePicture(logo, "not a picture");
    EXPECT_FALSE(v.loadResource(QTextDocument::ImageResource, logo).isValid());
    v.addRemotePicture(logo, png());
    EXPECT_EQ(v.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo.png")))
                  .value<QImage>()
                  .size(),
              QSize(8, 8));
    // Only pictures: no style sheet or page comes from anywhere.
    EXPECT_FALSE(v.loadResource(QTextDocument::StyleSheetResource, logo).isValid());
    // A new page forgets the former page's pictures.
    v.showRemotePage("<html><body><img src=\"logo.png\"></body></html>", page);
    EXPECT_FALSE(v.loadResource(QTextDocument::ImageResource, logo).isValid());
}

} // namespace
