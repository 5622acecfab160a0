#pragma once

// A full-size bank for the benchmarks: 1298 basic lines and 183 specialist lines of about 120
// characters, every field quoted, Windows-1250, CR LF, in a temporary program folder, and a
// statistics file with every key in a temporary user data folder.

#include <QTemporaryDir>

namespace wirtal::bench {

struct FullBank {
    QTemporaryDir program;
    QTemporaryDir user;
    FullBank();
};

// Made once, on first use; installs its folders as the program's.
FullBank& fullBank();

} // namespace wirtal::bench
