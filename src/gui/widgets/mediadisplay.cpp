// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/mediadisplay.h"

#include "base/paths.h"
#include "catalogue/filmcodecs.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/mediaplayer.h"
#include "widgets/picturebox.h"

#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QVBoxLayout>
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

void MediaDisplay::showFilmMessage(const QString& text) {
    if (!filmPanel)
        return;
    static const QString name = QStringLiteral("filmMessage");
    auto* label = filmPanel->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
    if (text.isEmpty() && !label)
        return;
    if (!label) {
        label = new QLabel(filmPanel);
        label->setObjectName(name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setMargin(12);
        label->setAutoFillBackground(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (!filmPanel->layout())
            (new QVBoxLayout(filmPanel))->setContentsMargins(0, 0, 0, 0);
        filmPanel->layout()->addWidget(label);
    }
    // The message and the film's view share the panel's place: one of them is shown.
    for (QWidget* child : filmPanel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != label)
            child->setVisible(text.isEmpty());
    label->setText(text);
    label->setAccessibleName(text);
    label->setVisible(!text.isEmpty());
}

QString extensionOf(const QString& path) {
    const qsizetype sep =
        std::max({path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'), path.lastIndexOf(u':')});
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot < sep)
        return {};
    return path.mid(dot);
}

QString mediaDescription(const QString& field) {
    // The file name keeps what the bank's picture shows where it names it: "sign_A-12a.jpg".
    QString name = field.section(u'\\', -1).section(u'/', -1);
    name.truncate(name.lastIndexOf(u'.') < 0 ? name.size() : name.lastIndexOf(u'.'));
    static const QRegularExpression sign(QStringLiteral("^sign_([A-Z]-\\d+[a-z]?)"));
    if (const QRegularExpressionMatch m = sign.match(name); m.hasMatch())
        return QStringLiteral("Znak %1").arg(m.captured(1));
    return {};
}

void showMedia(const QString& field, MediaDisplay& d, MediaPlayer& player) {
    if (d.picture)
        d.picture->setAccessibleDescription(mediaDescription(field));
    if (field.isEmpty()) {
        // In a folder made by the catalogue import a question may have no media: it shows the
        // empty picture, never the previous question's picture. (In a classic bank an empty name
        // is a fault of the record, which leaves the display as it is.)
        if (!Paths::isCatalogueFolder())
            return;
        d.showPicture();
        if (d.picture)
            d.picture->load(Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\empty.jpg")));
        return;
    }
    const QString path = mediaPath(field);
    const QString ext = extensionOf(path);
    // Films: the official catalogue's .wmv, and .mp4 of its newer editions.
    const bool film = ext == QStringLiteral(".wmv") || ext == QStringLiteral(".mp4");
    if (!film && ext != QStringLiteral(".jpg"))
        return;
    // A folder of that name counts as missing; anything else that is not a regular file is
    // refused here, before the player or the picture loader could block on it.
    const FileRead file = checkRegularFile(path);
    if (file.problem == FileProblem::Missing ||
        (file.problem == FileProblem::NotRegular && QFileInfo(path).isDir()))
        return;
    if (file.problem != FileProblem::None)
        throw Error(file.message);
    if (film) {
        d.showFilmPanel();
        player.setFile(path);
        if (d.mediaplik)
            *d.mediaplik = path;
        player.setOutput(d.filmPanel);
        try {
            player.open();
        } catch (const Error&) {
            // A codec without a decoder here is said where the film would be; the learner goes on.
            const QString why = catalogue::missingDecoders(path);
            if (why.isEmpty())
                throw;
            d.showFilmMessage(why);
            if (d.mediaplik)
                d.mediaplik->clear();
            if (d.rewind)
                d.rewind->hide();
            if (d.replay)
                d.replay->hide();
            return;
        }
        d.showFilmMessage({});
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

void prepareFilm(const Record& question, MediaPlayer& player) {
    try {
        const QString field = question.media();
        const QString ext = extensionOf(field);
        if (ext != QStringLiteral(".wmv") && ext != QStringLiteral(".mp4"))
            return;
        const QString path = mediaPath(field);
        if (checkRegularFile(path).problem == FileProblem::None)
            player.prepare(path);
    } catch (const Error&) {
        // Said when the question is shown.
    }
}

} // namespace wirtal
