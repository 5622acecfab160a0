// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/mainwindow.h"
#include "platform/manualclock.h"
#include "platform/random.h"
#include "platform/wallclock.h"
#include "support/fakes.h"
#include "support/tempdirs.h"

#include <QMap>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace wirtal::test {

// A question bank written for a test: every number 1..1479 has a record (basic: "Pytanie n",
// answer "T" for odd and "N" for even numbers, media "p<n>.jpg", points 1..3; specialist:
// "Pytanie n", answers "Odpowiedź A/B/C n", correct "A"/"B"/"C" by n mod 3, media "s<n>.wmv").
// Records can be replaced before write().
class TestBank {
public:
    TestBank();
    void set(int number, const QStringList& fields) { records_[number] = fields; }
    QStringList fields(int number) const { return records_.value(number); }
    // Writes "0wx.dll" and the specialist file of the category ("02x.dll" for B) in
    // Windows-1250 with CR LF, every field quoted, and the fixed pictures
    // "obrazki_prawko/empty.jpg" and "obrazki_prawko/empty2.jpg".
    void write(const TempFolders& folders, const QString& categoryCode = QStringLiteral("B")) const;

private:
    QMap<int, QStringList> records_;
};

// A picture file (JPEG or PNG by extension) of the given size.
QByteArray pictureBytes(const QString& name, int w = 480, int h = 360);

// The real main window on temporary folders, the manual clock, scripted boxes and a fake
// player. Errors that escape handlers are shown as boxes, so an unexpected one fails the test.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // Builds the window (after the test has prepared its files).
    MainWindow& window();
    // Clicks the StyledButton with this objectName as a user would.
    void click(const QString& objectName);
    template <class T = QWidget> T* find(const QString& objectName) {
        T* w = window().findChild<T*>(objectName);
        EXPECT_NE(w, nullptr) << "no control " << objectName.toStdString();
        return w;
    }
    void chooseB() { click(QStringLiteral("AdvSmoothButton25")); }

    TempFolders folders;
    TestBank bank;
    ManualClock clock;
    FakeDialogs dialogs;
    FakePlayer player;
    FakeReportOutput report;
    FakeWebLoader web;
    // The version-page loader the window gets (a test may put a real one here before window()).
    WebPageLoader* webLoader = &web;
    // The catalogue page's downloader the window gets; none unless a test puts one here (then
    // the window reads the page some time after its start).
    Downloader* downloader = nullptr;
    SeededRandom random{12345};
    FixedWallClock wallclock{QDateTime(QDate(2026, 12, 10), QTime(10, 30))};
    // The answer history the window gets (a test may open one before window()).
    AnswerLog* history = nullptr;

private:
    std::unique_ptr<MainWindow> window_;
};

} // namespace wirtal::test
