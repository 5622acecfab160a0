#pragma once

#include <QHash>
#include <QImage>
#include <QTextBrowser>
#include <QUrl>

namespace wirtal {

// The program's HTML view, on Qt's rich-text engine (which runs no scripts).
//  - Local pages: navigate() shows an HTML file with its pictures, tables and style sheets, all
//    read from local files only; links to other local pages are followed, others are not. A
//    missing page shows a short notice instead.
//  - A page received from a web server: showRemotePage() shows it as it came; the view opens no
//    links, never reads local files and shows only pictures from the page's own server, which
//    its owner fetches (remotePictures()) and hands in (addRemotePicture()).
class HtmlView : public QTextBrowser {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent = nullptr);

    // Shows the local file at path (a path string, as the menus build it).
    void navigate(const QString& path);
    // The path last given to navigate(), or empty.
    const QString& location() const { return location_; }
    // Whether the last navigate() found its file.
    bool pageFound() const { return found_; }

    void showRemotePage(const QByteArray& html, const QUrl& url);
    // The pictures of the remote page that lie on its own server (at most maxRemotePictures).
    static constexpr int maxRemotePictures = 8;
    QList<QUrl> remotePictures() const;
    void addRemotePicture(const QUrl& url, const QByteArray& bytes);
    // The title of the shown document.
    QString title() const;

    QVariant loadResource(int type, const QUrl& name) override;

    // The notice shown for a missing page file.
    static QString missingNotice(const QString& path);
    // HTML bytes as text: a byte-order mark, else the charset the page declares, else UTF-8 when
    // valid, else Windows-1250 (the pages' traditional encoding).
    static QString decodeHtml(const QByteArray& bytes);

private:
    void followLink(const QUrl& link);
    bool sameServer(const QUrl& url) const;

    enum class Mode { Local, Remote };
    Mode mode_ = Mode::Local;
    QString location_;
    QUrl base_; // what relative names are resolved against
    bool found_ = false;
    QHash<QUrl, QImage> pictures_; // pictures of the remote page, by full address
};

} // namespace wirtal
