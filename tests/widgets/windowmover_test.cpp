// SPDX-License-Identifier: GPL-3.0-or-later

// The frameless window is moved by a press on its top band, by the window system's move; a
// press on the panel below or on a control in the band does not move it.

#include "widgets/windowmover.h"

#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace wirtal;

TEST(WindowMover, APressOnTheTopBandStartsTheSystemMove) {
    QWidget window;
    window.resize(400, 300);
    auto* panel = new QWidget(&window);
    panel->setGeometry(0, 40, 400, 260);
    auto* button = new QPushButton(QStringLiteral("x"), &window);
    button->setGeometry(370, 8, 24, 24);
    int moves = 0;
    new WindowMover(
        &window, [panel] { return panel->y(); },
        [&moves](QWindow*) {
            ++moves;
            return true;
        });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_EQ(moves, 1);
    QTest::mousePress(&window, Qt::RightButton, {}, QPoint(100, 20));
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(100, 20)); // on the panel
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));   // a control in the band
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(moves, 1);
}
