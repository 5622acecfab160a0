// SPDX-License-Identifier: GPL-3.0-or-later

// Helper of crash_test: writes the statistics file given as its argument again and again, each
// time with the next value of "wyniki", and prints the number of every write as it begins it. It
// never ends by itself; the test kills it.

#include "base/inifile.h"
#include "hardening/crashvalues.h"

#include <cstdio>

using namespace wirtal;

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    long long n = crash::numberOf(ini::read(path, crash::section, crash::key, QString()));
    for (;;) {
        ++n;
        std::printf("%lld\n", n);
        std::fflush(stdout);
        ini::write(path, crash::section, crash::key, crash::value(n));
    }
}
