#include "widgets/htmlview.h"

#include "base/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBlock>
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

void HtmlView::navigate(const QString& path) {
    mode_ = Mode::Local;
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
    mode_ = Mode::Remote;
    location_.clear();
    found_ = false;
    base_ = url;
    pictures_.clear();
    document()->setBaseUrl(url);
    setHtml(decodeHtml(html));
}

bool HtmlView::sameServer(const QUrl& url) const {
    return url.scheme() == base_.scheme() && url.host() == base_.host() &&
           url.port(80) == base_.port(80) && !base_.host().isEmpty();
}

QList<QUrl> HtmlView::remotePictures() const {
    QList<QUrl> found;
    if (mode_ != Mode::Remote)
        return found;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QUrl url = base_.resolved(QUrl(f.toImageFormat().name()));
            if (sameServer(url) && !found.contains(url))
                found << url;
            if (found.size() == maxRemotePictures)
                return found;
        }
    }
    return found;
}

void HtmlView::addRemotePicture(const QUrl& url, const QByteArray& bytes) {
    if (mode_ != Mode::Remote || !sameServer(url))
        return;
    const QImage image = QImage::fromData(bytes);
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
    QFile f(url.toLocalFile());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
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
