// SPDX-License-Identifier: GPL-3.0-or-later

// The built demo program folder holds every reference page the menus open, and every picture a
// page shows is there and is a picture: no page of the library shows a broken picture. Every page
// says the date its law is as of.
#include "library/referencepages.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString folder = QStringLiteral(WIRTAL_PROGRAM_FOLDER);

QStringList picturesOf(const QString& page) {
    QFile f(page);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression img(
        QStringLiteral("<img\\b[^>]*\\bsrc\\s*=\\s*[\"']([^\"']+)[\"']"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (auto it = img.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

TEST(ReferencePagesInProgramFolder, EveryMenuPageIsThere) {
    for (const auto& e : wirtal::library::entries()) {
        const QString path = folder + QString::fromLatin1(e.page);
        EXPECT_TRUE(QFile::exists(path)) << "missing page " << path.toStdString();
    }
}

TEST(ReferencePagesInProgramFolder, EveryPictureOfEveryPageIsAPicture) {
    const QDir pages(folder + QStringLiteral("/obrazki_prawko"));
    const QStringList names =
        pages.entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << "no pages in " << pages.path().toStdString();
    bool anyPicture = false;
    for (const QString& name : names) {
        for (const QString& src : picturesOf(pages.filePath(name))) {
            anyPicture = true;
            EXPECT_FALSE(src.contains(u':') || src.startsWith(u'/'))
                << name.toStdString()
                << ": picture not relative to the page: " << src.toStdString();
            const QString path = pages.filePath(src);
            const QImage image(path);
            EXPECT_FALSE(image.isNull())
                << name.toStdString() << ": broken picture " << src.toStdString();
            // A sign 64 px wide on the page is drawn at least twice as wide.
            if (!image.isNull()) {
                EXPECT_GE(image.width(), 128) << src.toStdString();
            }
        }
    }
    EXPECT_TRUE(anyPicture);
}

TEST(ReferencePagesInProgramFolder, EveryPageSaysTheDateItsLawIsAsOf) {
    const QDir pages(folder + QStringLiteral("/obrazki_prawko"));
    const QStringList names =
        pages.entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    static const QRegularExpression asOf(
        QStringLiteral("Stan prawny: \\d{1,2} \\p{L}+ \\d{4} r\\."),
        QRegularExpression::UseUnicodePropertiesOption);
    for (const QString& name : names) {
        QFile f(pages.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_TRUE(asOf.match(QString::fromUtf8(f.readAll())).hasMatch())
            << name.toStdString() << ": no date of the law it states";
    }
}

} // namespace
