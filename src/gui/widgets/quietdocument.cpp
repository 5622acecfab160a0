// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/quietdocument.h"

#include <QImage>

namespace wirtal {

QVariant QuietDocument::nothing(int type) {
    if (type == QTextDocument::ImageResource) {
        QImage none(1, 1, QImage::Format_ARGB32);
        none.fill(Qt::transparent);
        return none;
    }
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return QString();
    return QByteArray();
}

QVariant QuietDocument::loadResource(int type, const QUrl& name) {
    QVariant found = resolver_ ? resolver_(type, name) : QVariant();
    if (type == QTextDocument::ImageResource) {
        // A null picture sends Qt's picture handler to the file by the same name.
        QImage picture;
        if (found.userType() == QMetaType::QImage)
            picture = found.value<QImage>();
        else if (found.userType() == QMetaType::QByteArray)
            picture.loadFromData(found.toByteArray());
        return picture.isNull() ? nothing(type) : QVariant(picture);
    }
    return found.isValid() ? found : nothing(type);
}

} // namespace wirtal
