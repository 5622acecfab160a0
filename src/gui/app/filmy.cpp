// SPDX-License-Identifier: GPL-3.0-or-later

// The film helper wirtal-filmy: the program starts it when a film is near and plays its films in
// it (platform/filmprocess.h). Qt Core, Gui and Multimedia only; no window system of its own.
// Started by hand it says what it is and ends.

#include "film/filmhelper.h"

#include <QGuiApplication>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define STDIN_FILENO 0
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
    if (argc > 1 || isatty(STDIN_FILENO)) {
        std::fputs("wirtal-filmy " WIRTAL_VERSION ": odtwarzacz filmów programu wirtal, "
                   "uruchamiany przez program.\n",
                   stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    return wirtal::runFilmHelper(QByteArrayLiteral(WIRTAL_VERSION));
}
