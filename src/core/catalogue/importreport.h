// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The report an import writes beside the bank files (import-raport.txt): the counts, every row
// left out or corrected with its reason, and the media.

#include "catalogue/importer.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QStringList>

namespace wirtal::catalogue {

// Whether a film codec can be played here, in Polish, with the package to install when not.
QString filmDecoderText(const CodecSupport& codec);

// The lines of the report of a finished import of `fileName`; `missing` maps every media name
// not found to the questions that named it.
QStringList importReport(const ImportResult& result, const QString& fileName, const QDateTime& when,
                         bool withoutMedia, const QMap<QString, QList<qint64>>& missing);

} // namespace wirtal::catalogue
