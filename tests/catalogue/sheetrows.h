// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A sheet as the reader would keep it, made from rows of texts (row i of the list is the sheet's
// row i + 1, cell c its column c), for the tests of the row checks.

#include "catalogue/sheet.h"

#include <QList>
#include <QStringList>

namespace wirtal::catalogue {

inline Sheet sheetOf(const QList<QStringList>& rows) {
    Sheet s;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        s.addRow(i + 1);
        for (qsizetype c = 0; c < rows[i].size(); ++c)
            s.setCell(int(c), rows[i][c], false);
    }
    return s;
}

} // namespace wirtal::catalogue
