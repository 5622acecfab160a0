// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The pictures of the reference pages (obrazki_prawko/znaki, swiatla, kontrolki, pojazdy), drawn
// with the same code as the demo bank's pictures.

#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>

namespace wirtal::art {

// One picture a page shows: its path under obrazki_prawko ("znaki/B-33.png") and what it
// shows: a media item ("sign:B-33/50", "light:red", "dash:oil") or "car:<name>".
struct PagePicture {
    QString file;
    QString item;
};

// The pictures listed in the page pictures' list (a Markdown file: table rows that start with
// the file in backquotes and name the item, and headings "### `pojazdy/<car>.png`").
QList<PagePicture> readPagePictures(const QString& listFile, QString* why);

// The picture of one entry: a sign alone on a transparent background, a signal head, a lit
// warning light, a road marking as painted on the road, or a car's controls.
QImage renderPagePicture(const PagePicture& picture);

// Draws every listed picture into folder (obrazki_prawko); returns the number of failures.
int writePagePictures(const QList<PagePicture>& pictures, const QString& folder);

// The car diagrams: the controls seen from the driver's seat, the engine bay and the seat,
// numbered 1-18 as on the cars' pages. 1120 x 720.
QImage renderCar(const QString& name);
QStringList carNames();

} // namespace wirtal::art
