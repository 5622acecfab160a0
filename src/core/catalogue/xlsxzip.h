// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The zip side of reading a workbook: the archive held in memory, its entries bounded in size and
// compression ratio, and an entry read as a stream so that a part's XML is never unpacked whole
// (the XML reader takes it a few kilobytes at a time).

#include "catalogue/xlsx.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

struct zip;
struct zip_file;

namespace wirtal::catalogue {

// One entry of the archive, unpacked as it is read. Problems (a damaged entry, a length other than
// the archive's directory says) are kept, not thrown: the reader that asks ends as at the end of
// the data, and the caller throws problem() instead of the XML error that follows.
class ZipEntryDevice : public QIODevice {
public:
    ZipEntryDevice(zip_file* file, qint64 size, QString name);
    ~ZipEntryDevice() override;

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    qint64 size() const override { return size_; }
    qint64 unpacked() const { return got_; }
    // Empty while the entry is sound.
    const QString& problem() const { return problem_; }
    // True once for every megabyte unpacked since the last call.
    bool progressDue();
    // Once the announced size is read: checks the entry ends there (problem() says when not).
    void finish();

protected:
    qint64 readData(char* data, qint64 max) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file* file_;
    qint64 size_;
    qint64 got_ = 0;
    qint64 reported_ = 0;
    QString name_, problem_;
};

class Zip {
public:
    // Throws Error naming `fileName` when the bytes are no zip or it has too many entries.
    Zip(const QByteArray& bytes, const QString& fileName, const XlsxLimits& limits);
    ~Zip();

    bool has(const QString& name) const;
    // The whole entry (for the small parts), bounded in size and compression ratio.
    QByteArray read(const QString& name);
    // The entry as a stream, under the same bounds, checked before anything is unpacked.
    std::unique_ptr<ZipEntryDevice> open(const QString& name);

    [[noreturn]] void fail(const QString& what) const;

private:
    QString fileName_;
    const XlsxLimits& limits_;
    zip* zip_ = nullptr;
    qint64 total_ = 0;
};

} // namespace wirtal::catalogue
