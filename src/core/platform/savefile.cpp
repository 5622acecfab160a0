// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/savefile.h"

#include <QSaveFile>

namespace wirtal {

bool saveWhole(const QString& path, const QByteArray& bytes, QString* why) {
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                         file.flush(); // a short write shows here, not in commit()
    if (written && file.commit())
        return true;
    if (why)
        *why = file.errorString();
    file.cancelWriting(); // the temporary file goes, the old file stays
    return false;
}

} // namespace wirtal
