// SPDX-License-Identifier: GPL-3.0-or-later

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
//  - A page received from a web server: showRemotePage() shows a bounded, safe subset of it (see
//    safehtml::sanitize); the view opens no links, never reads a local file or anything else
//    for it, and shows only pictures from the page's own server, which its owner fetches
//    (remotePictures()) and hands in (addRemotePicture()), each bounded in bytes and pixels.
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
    // Bounds of a remote picture: its bytes, its width and height, its pixels.
    static constexpr qsizetype maxPictureBytes = 512 * 1024;
    static constexpr int maxPictureSide = 2048;
    static constexpr qint64 maxPicturePixels = 2 * 1024 * 1024;
    // Shows a fetched picture; one that is not a PNG, JPEG, GIF or BMP picture within the bounds
    // is not shown.
    void addRemotePicture(const QUrl& url, const QByteArray& bytes);
    // The bounded decoding of a remote picture (a null image when it is refused).
    static QImage decodePicture(const QByteArray& bytes);
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
    // Gives the view a new document for the mode; it answers every resource through
    // loadResource (the local page from files, the remote one only with fetched pictures) and
    // never reads anything by itself.
    void useDocument(Mode mode);

    Mode mode_ = Mode::Local;
    QString location_;
    QUrl base_; // what relative names are resolved against
    bool found_ = false;
    QHash<QUrl, QImage> pictures_; // pictures of the remote page, by full address
    QList<QUrl> wanted_;           // the pictures the remote page shows
};

} // namespace wirtal
