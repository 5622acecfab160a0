#include "widgets/mediadisplay.h"

#include "base/paths.h"
#include "platform/mediaplayer.h"
#include "widgets/picturebox.h"

#include <QFileInfo>
#include <QWidget>

namespace wirtal {

void MediaDisplay::showFilmPanel() {
    picture->hide();
    filmPanel->show();
}

void MediaDisplay::showPicture() {
    filmPanel->hide();
    picture->show();
}

QString mediaPath(const QString& field) {
    return Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\filmy\\")) + field;
}

QString extensionOf(const QString& path) {
    const qsizetype sep = std::max({path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'),
                                    path.lastIndexOf(u':')});
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot < sep)
        return {};
    return path.mid(dot);
}

void showMedia(const QString& field, MediaDisplay& d, MediaPlayer& player) {
    const QString path = mediaPath(field);
    const QFileInfo info(path);
    if (field.isEmpty() || !info.exists() || info.isDir())
        return;
    const QString ext = extensionOf(path);
    if (ext == QStringLiteral(".wmv")) {
        d.showFilmPanel();
        player.setFile(path);
        if (d.mediaplik)
            *d.mediaplik = path;
        player.setOutput(d.filmPanel);
        player.open();
        player.play();
        if (d.rewind)
            d.rewind->show();
        if (d.replay)
            d.replay->show();
    } else if (ext == QStringLiteral(".jpg")) {
        d.showPicture();
        d.picture->load(path);
        if (d.rewind)
            d.rewind->hide();
        if (d.replay)
            d.replay->hide();
    }
}

} // namespace wirtal
