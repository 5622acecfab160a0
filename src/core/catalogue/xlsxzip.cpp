// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/xlsxzip.h"

#include "platform/error.h"

#include <zip.h>

#include <algorithm>

namespace wirtal::catalogue {

ZipEntryDevice::ZipEntryDevice(zip_file* file, qint64 size, QString name)
    : file_(file), size_(size), name_(std::move(name)) {
    // Unbuffered: the XML reader keeps its own buffer, a second one would only cost memory.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

ZipEntryDevice::~ZipEntryDevice() {
    zip_fclose(file_);
}

qint64 ZipEntryDevice::bytesAvailable() const {
    return (problem_.isEmpty() ? size_ - got_ : 0) + QIODevice::bytesAvailable();
}

bool ZipEntryDevice::progressDue() {
    constexpr qint64 every = 1 << 20;
    if (got_ - reported_ < every)
        return false;
    reported_ = got_;
    return true;
}

qint64 ZipEntryDevice::readData(char* data, qint64 max) {
    if (!problem_.isEmpty())
        return -1;
    const qint64 want = std::min(max, size_ - got_);
    if (want <= 0)
        return 0;
    const zip_int64_t n = zip_fread(file_, data, zip_uint64_t(want));
    if (n < 0) {
        problem_ = QStringLiteral("część %1 jest uszkodzona").arg(name_);
        return -1;
    }
    if (n == 0) {
        problem_ = QStringLiteral("część %1 ma inną długość, niż podaje archiwum").arg(name_);
        return -1;
    }
    got_ += n;
    return n;
}

void ZipEntryDevice::finish() {
    // Short of the announced end the entry has not been read to its end: nothing to say yet.
    if (!problem_.isEmpty() || got_ < size_)
        return;
    // One byte more than announced: an entry longer than its directory says is refused; reading
    // to the end also checks the entry's checksum.
    char extra = 0;
    const zip_int64_t n = zip_fread(file_, &extra, 1);
    if (n < 0)
        problem_ = QStringLiteral("część %1 jest uszkodzona").arg(name_);
    else if (n > 0)
        problem_ = QStringLiteral("część %1 ma inną długość, niż podaje archiwum").arg(name_);
}

Zip::Zip(const QByteArray& bytes, const QString& fileName, const XlsxLimits& limits)
    : fileName_(fileName), limits_(limits) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    // libzip takes an empty buffer for an empty archive; an empty file is no workbook.
    if (source && !bytes.isEmpty())
        zip_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!zip_) {
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        fail(QStringLiteral("to nie jest skoroszyt .xlsx (plik ZIP)"));
    }
    zip_error_fini(&error);
    const zip_int64_t entries = zip_get_num_entries(zip_, 0);
    if (entries < 0 || entries > limits_.entries) {
        zip_discard(zip_);
        zip_ = nullptr;
        fail(QStringLiteral("archiwum ma za dużo wpisów (ponad %1)").arg(limits_.entries));
    }
}

Zip::~Zip() {
    if (zip_)
        zip_discard(zip_);
}

bool Zip::has(const QString& name) const {
    return zip_name_locate(zip_, name.toUtf8().constData(), 0) >= 0;
}

std::unique_ptr<ZipEntryDevice> Zip::open(const QString& name) {
    const zip_int64_t index = zip_name_locate(zip_, name.toUtf8().constData(), 0);
    if (index < 0)
        fail(QStringLiteral("brak części %1").arg(name));
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip_, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        !(st.valid & ZIP_STAT_COMP_SIZE))
        fail(QStringLiteral("nie można odczytać części %1").arg(name));
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
        fail(QStringLiteral("część %1 jest zaszyfrowana").arg(name));
    const auto size = qint64(std::min<zip_uint64_t>(st.size, zip_uint64_t(1) << 62));
    if (size > limits_.entryBytes)
        fail(QStringLiteral("część %1 jest po rozpakowaniu za duża (%2 B, dozwolone %3 B)")
                 .arg(name)
                 .arg(size)
                 .arg(limits_.entryBytes));
    total_ += size;
    if (total_ > limits_.totalBytes)
        fail(QStringLiteral("części skoroszytu są po rozpakowaniu razem za duże (ponad %1 B)")
                 .arg(limits_.totalBytes));
    if (size > limits_.ratioFloor &&
        (st.comp_size == 0 || zip_uint64_t(size) / st.comp_size > zip_uint64_t(limits_.ratio)))
        fail(QStringLiteral("część %1 jest podejrzanie mocno skompresowana").arg(name));
    zip_file_t* file = zip_fopen_index(zip_, zip_uint64_t(index), 0);
    if (!file)
        fail(QStringLiteral("nie można rozpakować części %1").arg(name));
    return std::make_unique<ZipEntryDevice>(file, size, name);
}

QByteArray Zip::read(const QString& name) {
    const std::unique_ptr<ZipEntryDevice> entry = open(name);
    QByteArray out(entry->size(), Qt::Uninitialized);
    qint64 got = 0;
    while (got < out.size()) {
        const qint64 n = entry->read(out.data() + got, out.size() - got);
        if (n <= 0)
            break;
        got += n;
    }
    entry->finish();
    if (!entry->problem().isEmpty())
        fail(entry->problem());
    if (got != out.size())
        fail(QStringLiteral("część %1 ma inną długość, niż podaje archiwum").arg(name));
    return out;
}

void Zip::fail(const QString& what) const {
    throw Error(QStringLiteral("%1: %2").arg(fileName_, what));
}

} // namespace wirtal::catalogue
