// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace wirtal {

// The media folder: program folder + "\obrazki_prawko\filmy\"; a media field is a file name in it.
QString mediaFolder();
// The file of a media field: the media folder and the field joined as written. Throws Error
// naming the field when it leaves the program folder ("..", an absolute name, a symbolic link
// pointing out of it).
QString mediaPath(const QString& field);

} // namespace wirtal
