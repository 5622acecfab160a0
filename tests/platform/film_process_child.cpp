// SPDX-License-Identifier: GPL-3.0-or-later

// The film process as the program starts it, for the tests of the film process player.
#include "platform/filmprocess.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    return wirtal::runFilmProcess();
}
