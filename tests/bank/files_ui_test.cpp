// SPDX-License-Identifier: GPL-3.0-or-later

// Hostile files where a picture, a film or the report template should be: the media display,
// the picture loader, the real player and the report refuse them at once with a message naming
// the file, and show nothing from outside the program folder.

#include "base/paths.h"
#include "platform/error.h"
#include "platform/filereader.h"
#include "platform/qtmediaplayer.h"
#include "results/report.h"
#include "support/errors.h"
#include "support/fakes.h"
#include "support/qt_printers.h"
#include "support/tempdirs.h"
#include "widgets/mediadisplay.h"
#include "widgets/picturebox.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMediaPlayer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace wirtal;
using test::errorOf;
using namespace wirtal::test;

namespace {

void makeFifo(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

QByteArray jpeg(QColor colour) {
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPG");
    return bytes;
}

// The learning display: film panel, picture and film buttons.
struct Display {
    QWidget window;
    QWidget* panel = new QWidget(&window);
    PictureBox* picture = new PictureBox(&window);
    QWidget* rewind = new QWidget(&window);
    QWidget* replay = new QWidget(&window);
    QString mediaplik;
    MediaDisplay d{panel, picture, rewind, replay, &mediaplik};
};

} // namespace

TEST(HostileMedia, TheDisplayRefusesFifosAndNamesOutsideTheFolderAndKeepsWhatItShows) {
    TempFolders folders;
    const QString filmy = folders.program() + "obrazki_prawko/filmy/";
    folders.writeProgramFile("obrazki_prawko/filmy/znak.jpg", jpeg(Qt::red));
    folders.writeProgramFile("obrazki_prawko/tajne.jpg", jpeg(Qt::blue));
    makeFifo(filmy + "fifo.jpg");
    makeFifo(filmy + "fifo.wmv");
    QDir().mkpath(filmy + "folder.jpg");
    struct Case {
        const char* field;
        const char* says; // empty: shown or ignored without a message
    } cases[] = {
        {"fifo.jpg", "nie jest zwykły plik"},
        {"fifo.wmv", "nie jest zwykły plik"},
        {"../tajne.jpg", "poza folder programu"},
        {"..\\tajne.jpg", "poza folder programu"},
        {"../../obrazki_prawko/tajne.jpg", "poza folder programu"},
        {"folder.jpg", ""}, // a folder counts as a missing file
        {"brak.wmv", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        Display screen;
        FakePlayer player;
        showMedia(QStringLiteral("znak.jpg"), screen.d, player);
        ASSERT_EQ(screen.picture->file(), QDir::toNativeSeparators(filmy + "znak.jpg"));
        const QString said =
            errorOf([&] { showMedia(QString::fromUtf8(c.field), screen.d, player); });
        if (*c.says) {
            EXPECT_TRUE(
                said.contains(QString::fromUtf8(c.says)) &&
                said.contains(QString::fromUtf8(c.field).section(u'/', -1).section(u'\\', -1)))
                << said.toStdString();
        } else {
            EXPECT_EQ(said, test::noError);
        }
        // Nothing reached the player or the picture; the display shows the picture as before.
        EXPECT_TRUE(player.calls.isEmpty()) << player.calls.join(", ").toStdString();
        EXPECT_EQ(screen.picture->file(), QDir::toNativeSeparators(filmy + "znak.jpg"));
        EXPECT_FALSE(screen.picture->isHidden());
        EXPECT_TRUE(screen.mediaplik.isEmpty());
    }
}

TEST(HostileMedia, PictureLoaderReadsOnlyRegularFilesOfBoundedSize) {
    TempFolders folders;
    const QString dir = folders.program();
    makeFifo(dir + "fifo.jpg");
    {
        QFile big(dir + "duzy.jpg");
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(maxReadBytes + 1));
    }
    folders.writeProgramFile("dobry.jpg", jpeg(Qt::green));
    PictureBox box;
    box.load(dir + "dobry.jpg");
    EXPECT_EQ(box.picture().toImage().pixelColor(4, 3).green(), 255);
    for (const char* name : {"fifo.jpg", "duzy.jpg"}) {
        SCOPED_TRACE(name);
        const QString said = errorOf([&] { box.load(dir + name); });
        EXPECT_TRUE(said.contains(name)) << said.toStdString();
        EXPECT_EQ(box.file(), dir + "dobry.jpg"); // still the last good picture
    }
    // A PNG named .jpg still decodes, as it did when the file name picked the decoder.
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::blue);
    png.save(dir + "png.jpg", "PNG");
    box.load(dir + "png.jpg");
    EXPECT_EQ(box.picture().toImage().pixelColor(1, 1), QColor(Qt::blue));
}

TEST(HostileMedia, RealPlayerRefusesAFifoBeforeTheBackEndSeesIt) {
    QTemporaryDir dir;
    makeFifo(dir.path() + "/film.wmv");
    QtMediaPlayer player(3000);
    QWidget panel;
    player.setOutput(&panel);
    player.setFile(dir.path() + "/film.wmv");
    const QString said = errorOf([&] { player.open(); });
    EXPECT_TRUE(said.contains("film.wmv") && said.contains("nie jest zwykły plik"))
        << said.toStdString();
    EXPECT_EQ(player.backend(), nullptr) << "the multimedia back end was started for a FIFO";
}

TEST(HostileMedia, PlayerMessagesEndInOneFullStop) {
    QTemporaryDir dir;
    // Text and binary junk get different messages from the back end.
    const QString text = dir.path() + "/tekst.wmv", binary = dir.path() + "/zepsuty.wmv";
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    QFile g(binary); // an ASF header with nothing sound after it
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c"));
    for (int i = 0; i < 4096; ++i)
        g.putChar(char((i * 7919) % 256));
    g.close();
    for (const QString& file : {text, binary, dir.path() + "/brak.wmv", QString()}) {
        SCOPED_TRACE(file.toStdString());
        QtMediaPlayer player(3000);
        QWidget panel;
        player.setOutput(&panel);
        player.setFile(file);
        const QString said = errorOf([&] { player.open(); });
        if (said == test::noError && player.backend() && !player.backend()->isAvailable())
            GTEST_SKIP() << "no multimedia back end";
        EXPECT_TRUE(said.endsWith(u'.')) << said.toStdString();
        EXPECT_FALSE(said.endsWith(QStringLiteral(".."))) << said.toStdString();
        EXPECT_FALSE(said.endsWith(QStringLiteral(". ."))) << said.toStdString();
    }
}

TEST(HostileMedia, ReportTemplateThatIsAFifoIsRefusedNamingIt) {
    TempFolders folders;
    makeFifo(Report::templatePath());
    FakeDialogs dialogs;
    FakeReportOutput output;
    Report report(dialogs, output, [] { return ReportInput{}; });
    for (const auto& produce : {std::function<void()>([&] { report.printReport(); }),
                                std::function<void()>([&] { report.saveReport(); })}) {
        const QString said = errorOf(produce);
        EXPECT_TRUE(said.contains("testy.rav") && said.contains("nie jest zwykły plik"))
            << said.toStdString();
    }
    EXPECT_TRUE(output.printed.isEmpty());
    EXPECT_TRUE(output.saved.isEmpty());
}
