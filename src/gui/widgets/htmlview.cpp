// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/htmlview.h"

#include "base/pagesanitizer.h"
#include "base/textfile.h"
#include "platform/filereader.h"
#include "widgets/quietdocument.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>

namespace wirtal {

HtmlView::HtmlView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
    document()->setDocumentMargin(10);
    connect(this, &QTextBrowser::anchorClicked, this, &HtmlView::followLink);
}

QString HtmlView::missingNotice(const QString& path) {
    return QStringLiteral("Strona „%1” nie jest dostępna.").arg(QFileInfo(path).fileName());
}

QString HtmlView::decodeHtml(const QByteArray& bytes) {
    // A byte-order mark, then the charset the page declares near its top.
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith("\xFE\xFF"))
        return decodeText(bytes);
    static const QRegularExpression charset(
        QStringLiteral("charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = charset.match(QString::fromLatin1(bytes.left(2048)));
    if (m.hasMatch()) {
        const QString name = m.captured(1).toLower();
        if (name == QStringLiteral("windows-1250") || name == QStringLiteral("cp1250") ||
            name == QStringLiteral("x-cp1250"))
            return decodeCp1250(bytes);
        QStringDecoder declared(name.toLatin1().constData());
        if (declared.isValid())
            return declared(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp1250(bytes);
}

void HtmlView::useDocument(Mode mode) {
    // The text control's first document is Qt's own, which reads what it is not given: never
    // used for a page.
    if (mode == mode_ && dynamic_cast<QuietDocument*>(document()))
        return;
    // Neither document reads anything by itself: a remote page gets only the pictures fetched
    // from its server, a local page what loadResource reads (regular files of bounded size).
    auto* doc = new QuietDocument(
        [this](int type, const QUrl& url) { return loadResource(type, url); }, this);
    doc->setDocumentMargin(10);
    // The first document belongs to the text control, which deletes it when replaced; ours
    // belong to the view.
    QTextDocument* old = document();
    const bool ours = old && old->parent() == this;
    setDocument(doc);
    if (ours)
        delete old;
    mode_ = mode;
}

void HtmlView::navigate(const QString& path) {
    useDocument(Mode::Local);
    location_ = path;
    found_ = QFileInfo(path).isFile();
    if (!found_) {
        base_ = QUrl();
        setHtml(QStringLiteral("<html><head><title></title></head><body><p style=\"margin:24px;"
                               "font-size:16px\">%1</p></body></html>")
                    .arg(missingNotice(path).toHtmlEscaped()));
        return;
    }
    base_ = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    document()->setBaseUrl(base_);
    setHtml(loadResource(QTextDocument::HtmlResource, base_).toString());
}

void HtmlView::showRemotePage(const QByteArray& html, const QUrl& url) {
    useDocument(Mode::Remote);
    location_.clear();
    found_ = false;
    base_ = url;
    pictures_.clear();
    document()->setBaseUrl(url);
    const safehtml::Page page = safehtml::sanitize(decodeHtml(html), url);
    wanted_ = page.pictures.mid(0, maxRemotePictures);
    setHtml(page.html);
}

bool HtmlView::sameServer(const QUrl& url) const {
    return url.scheme() == base_.scheme() && url.host() == base_.host() &&
           url.port(80) == base_.port(80) && !base_.host().isEmpty();
}

QList<QUrl> HtmlView::remotePictures() const {
    if (mode_ != Mode::Remote)
        return {};
    QList<QUrl> found;
    for (const QUrl& url : wanted_)
        if (sameServer(url))
            found << url;
    return found;
}

QImage HtmlView::decodePicture(const QByteArray& bytes) {
    if (bytes.size() > maxPictureBytes)
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    static const QList<QByteArray> formats = {"png", "jpeg", "gif", "bmp"};
    if (!formats.contains(reader.format()))
        return {};
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maxPictureSide || size.height() > maxPictureSide ||
        qint64(size.width()) * size.height() > maxPicturePixels)
        return {};
    reader.setAllocationLimit(int(maxPicturePixels * 4 / (1024 * 1024)) + 1);
    QImage image = reader.read();
    if (image.size() != size)
        return {};
    return image;
}

void HtmlView::addRemotePicture(const QUrl& url, const QByteArray& bytes) {
    if (mode_ != Mode::Remote || !sameServer(url))
        return;
    if (!wanted_.contains(url))
        return;
    const QImage image = decodePicture(bytes);
    if (image.isNull())
        return;
    pictures_.insert(url, image);
    document()->markContentsDirty(0, document()->characterCount());
    viewport()->update();
}

QString HtmlView::title() const {
    return documentTitle();
}

QVariant HtmlView::loadResource(int type, const QUrl& name) {
    if (mode_ == Mode::Remote) {
        // Only pictures already fetched from the page's own server.
        if (type != QTextDocument::ImageResource)
            return {};
        const auto it = pictures_.constFind(base_.resolved(name));
        return it == pictures_.cend() ? QVariant() : QVariant(*it);
    }
    QUrl url = name;
    if (url.isRelative())
        url = base_.resolved(name);
    if (!url.isLocalFile())
        return {}; // local pages never reach the network
    // Only a regular file of bounded size: a page naming a device or a FIFO as its picture
    // gets nothing, rather than a read without end.
    const FileRead read = tryReadRegularFile(url.toLocalFile());
    if (read.problem != FileProblem::None)
        return {};
    const QByteArray& bytes = read.bytes;
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return decodeHtml(bytes);
    return bytes;
}

void HtmlView::followLink(const QUrl& link) {
    if (mode_ == Mode::Remote)
        return;
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        scrollToAnchor(link.fragment());
        return;
    }
    const QUrl target = base_.resolved(link);
    if (!target.isLocalFile())
        return;
    navigate(target.toLocalFile());
    if (target.hasFragment())
        scrollToAnchor(target.fragment());
}

} // namespace wirtal
