// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/tempdirs.h"
#include "widgets/htmlview.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

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

#ifdef Q_OS_LINUX
// The files opened in a folder since the watch began (Linux's inotify): proof that something was
// not read, without relying on what it would have shown.
class OpenedFiles {
public:
    explicit OpenedFiles(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN | IN_ACCESS);
    }
    ~OpenedFiles() { close(fd_); }
    QStringList names() {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                return names_;
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                names_ << (e->len ? QString::fromLocal8Bit(e->name) : QStringLiteral("."));
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
    }

private:
    int fd_;
    QStringList names_;
};

bool hasRed(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                return true;
        }
    return false;
}

QImage rendered(HtmlView& v) {
    v.resize(681, 217);
    v.document()->size(); // lays the document out
    QImage image(v.size(), QImage::Format_RGB32);
    v.render(&image);
    return image;
}

// A remote page may name a local file in any form HTML and CSS allow: the view opens none of
// them (nor a folder), shows none of their pictures, and keeps none in the document.
TEST(HtmlView, ARemotePageOpensNoLocalFileWhateverItNames) {
    TempFolders folders;
    const QString dir = folders.program();
    folders.writeProgramFile(QStringLiteral("tajne.png"), png());
    folders.writeProgramFile(QStringLiteral("tajne.css"),
                             "p { background-image: url(tajne.png); color: red }");
    folders.writeProgramFile(QStringLiteral("tajne.htm"), "<p>tajne</p>");
    const QString file = QUrl::fromLocalFile(dir + QStringLiteral("tajne.png")).toString();
    const QString css = QUrl::fromLocalFile(dir + QStringLiteral("tajne.css")).toString();
    const QString path = dir + QStringLiteral("tajne.png");
    const QStringList names = {file,
                               QStringLiteral("file:") + path,
                               path,
                               QStringLiteral("tajne.png"),
                               QStringLiteral("./tajne.png"),
                               QStringLiteral("../") + QFileInfo(dir).dir().dirName() +
                                   QStringLiteral("/tajne.png")};
    QStringList pages;
    for (const QString& n : names) {
        pages << QStringLiteral("<img src=\"%1\" width=50 height=50>").arg(n)
              << QStringLiteral("<body background=\"%1\"><p>a</p></body>").arg(n)
              << QStringLiteral("<table background=\"%1\" width=300 height=100><tr><td "
                                "background=\"%1\">a</td></tr></table>")
                     .arg(n)
              << QStringLiteral("<p style=\"background-image: url(%1)\">a</p>").arg(n)
              << QStringLiteral("<style>p { background-image: url('%1') }</style><p>a</p>").arg(n)
              << QStringLiteral("<object data=\"%1\">a</object><embed src=\"%1\">").arg(n);
    }
    pages << QStringLiteral("<style>@import url(%1);</style><p>a</p>").arg(css)
          << QStringLiteral("<style>@import \"tajne.css\";</style><p>a</p>")
          << QStringLiteral("<link rel=\"stylesheet\" href=\"%1\"><p>a</p>").arg(css)
          << QStringLiteral("<link rel=\"stylesheet\" href=\"tajne.css\"><p>a</p>")
          << QStringLiteral("<iframe src=\"tajne.htm\"></iframe><frame src=\"tajne.htm\">");
    // The folder is the current one, so that a name resolved against nothing lands in it.
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir);
    for (const QUrl& base :
         {QUrl(QStringLiteral("http://127.0.0.1:8080/updates/twersja10.html")), QUrl()}) {
        for (const QString& body : pages) {
            OpenedFiles opened(dir);
            HtmlView v;
            v.showRemotePage(
                ("<html><head><title>11</title></head><body>" + body + "</body></html>").toUtf8(),
                base);
            EXPECT_FALSE(hasRed(rendered(v))) << body.toStdString();
            EXPECT_EQ(opened.names(), QStringList()) << body.toStdString();
            for (const QString& n : names)
                EXPECT_NE(v.document()->resource(QTextDocument::ImageResource, QUrl(n)).userType(),
                          QMetaType::QPixmap)
                    << n.toStdString();
        }
    }
    QDir::setCurrent(oldCurrent);
}
#endif

// The depth of frames (tables) in a document and the largest cell padding of its tables.
void frameShape(QTextFrame* frame, int depth, int& deepest, qreal& padding) {
    deepest = std::max(deepest, depth);
    if (auto* table = qobject_cast<QTextTable*>(frame))
        padding = std::max(padding, table->format().cellPadding());
    for (QTextFrame* child : frame->childFrames())
        frameShape(child, depth + 1, deepest, padding);
}

// The pages that crashed the program at every start or held it for tens of seconds: shown and
// laid out, they leave a document of a few levels of tables with sane paddings.
TEST(HtmlView, PagesThatCrashedOrFrozeTheLayoutAreShownBounded) {
    const QString table = QStringLiteral("<table><tr><td>");
    const QString tableEnd = QStringLiteral("</td></tr></table>");
    const struct {
        const char* what;
        QString body;
    } cases[] = {
        {"3000 nested tables",
         table.repeated(3000) + QStringLiteral("x") + tableEnd.repeated(3000)},
        {"300 nested tables", table.repeated(300) + QStringLiteral("x") + tableEnd.repeated(300)},
        {"one 900 KB word", QString(900 * 1024, u'W')},
        {"cell padding of 2 000 000 000",
         QStringLiteral("<table cellpadding=2000000000 cellspacing=2000000000 border=2000000000>"
                        "<tr><td width=2000000000>a</td></tr></table>")},
    };
    for (const auto& c : cases) {
        HtmlView v;
        v.showRemotePage(
            ("<html><head><title>11</title></head><body>" + c.body + "</body></html>").toUtf8(),
            QUrl(QStringLiteral("http://127.0.0.1:8080/updates/twersja10.html")));
        rendered(v);
        int deepest = 0;
        qreal padding = 0;
        frameShape(v.document()->rootFrame(), 0, deepest, padding);
        EXPECT_LE(deepest, 3) << c.what;
        EXPECT_LE(padding, 30) << c.what;
        EXPECT_LE(v.document()->characterCount(), 40000) << c.what;
        EXPECT_LE(v.document()->size().width(), 2200) << c.what;
        EXPECT_EQ(v.title(), QStringLiteral("11")) << c.what;
    }
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, format);
    return bytes;
}

TEST(HtmlView, ARemotePictureIsBoundedInBytesAndPixels) {
    const auto picture = [](int w, int h, const char* format = "PNG") {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::blue);
        return encoded(image, format);
    };
    QByteArray noise(HtmlView::maxPictureBytes + 1, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919) % 251);
    QImage big(800, 800, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            big.setPixel(x, y, qRgb((x * 13) % 256, (y * 7) % 256, (x * y) % 256));
    QByteArray truncated = picture(1000, 1000);
    truncated.truncate(100);
    const struct {
        const char* what;
        QByteArray bytes;
        QSize size; // empty: refused
    } cases[] = {
        {"small PNG", picture(16, 12), QSize(16, 12)},
        {"JPEG", picture(20, 10, "JPEG"), QSize(20, 10)},
        {"GIF", picture(20, 10, "GIF"), QSize()}, // (Qt writes no GIF: refused as empty data)
        {"BMP", picture(20, 10, "BMP"), QSize(20, 10)},
        {"largest side", picture(HtmlView::maxPictureSide, 8), QSize(HtmlView::maxPictureSide, 8)},
        {"too wide", picture(HtmlView::maxPictureSide + 1, 8), QSize()},
        {"too many pixels", picture(1500, 1500), QSize()},
        {"too many bytes", encoded(big, "BMP"), QSize()},
        {"truncated", truncated, QSize()},
        {"not a picture", noise.left(1000), QSize()},
        {"SVG", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"/>", QSize()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlView::decodePicture(c.bytes).size(), c.size.isEmpty() ? QSize(0, 0) : c.size)
            << c.what;
}

} // namespace
