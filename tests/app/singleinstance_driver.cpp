// SPDX-License-Identifier: GPL-3.0-or-later

// Helper of singleinstance_test: takes the single-instance socket of the user data folder given,
// prints its path and ends: "return" through main's return, "exit" through exit() from within,
// as the program does when its display is lost.

#include "startup/singleinstance.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    wirtal::SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    if (!instance.listening())
        return 3;
    std::printf("%s\n",
                qPrintable(wirtal::SingleInstance::serverNameFor(QString::fromLocal8Bit(argv[2]))));
    std::fflush(stdout);
    if (std::strcmp(argv[1], "exit") == 0)
        std::exit(1);
    return 0;
}
