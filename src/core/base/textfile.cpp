// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/textfile.h"

#include "platform/filereader.h"

#include <QFile>
#include <QMutex>

#include <algorithm>
#include <atomic>
#include <list>
#include <optional>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#include <time.h>
#endif

#include <array>

namespace wirtal {

namespace {

// Windows-1250 bytes 0x80..0xFF. The five bytes without a character (0x81, 0x83, 0x88, 0x90,
// 0x98) map to the C1 control of the same number, as Windows' MultiByteToWideChar does, so every
// byte decodes and encodes back to itself.
constexpr std::array<char16_t, 128> cp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

QString decodeUtf16(const QByteArray& bytes, qsizetype from, bool bigEndian) {
    const qsizetype units = (bytes.size() - from) / 2; // an odd last byte is dropped
    QString out(units, Qt::Uninitialized);
    QChar* dst = out.data();
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.constData()) + from;
    for (qsizetype i = 0; i < units; ++i, src += 2) {
        const char16_t u =
            bigEndian ? char16_t((src[0] << 8) | src[1]) : char16_t((src[1] << 8) | src[0]);
        dst[i] = QChar(u);
    }
    return out;
}

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> bom) {
    if (bytes.size() < qsizetype(bom.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : bom)
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    return true;
}

} // namespace

QString decodeCp1250(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = src[i];
        dst[i] = QChar(b < 0x80 ? char16_t(b) : cp1250High[b - 0x80]);
    }
    return out;
}

QByteArray encodeCp1250(const QString& text, bool* ok) {
    if (ok)
        *ok = true;
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            out.append(char(u));
            continue;
        }
        char byte = '?';
        bool found = false;
        for (std::size_t k = 0; k < cp1250High.size(); ++k) {
            if (cp1250High[k] == u) {
                byte = char(0x80 + k);
                found = true;
                break;
            }
        }
        if (!found) {
            if (ok)
                *ok = false;
            // One '?' for a whole surrogate pair.
            if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
        }
        out.append(byte);
    }
    return out;
}

QString decodeText(const QByteArray& bytes) {
    QString text;
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    else if (startsWith(bytes, {0xFF, 0xFE}))
        text = decodeUtf16(bytes, 2, false);
    else if (startsWith(bytes, {0xFE, 0xFF}))
        text = decodeUtf16(bytes, 2, true);
    else
        text = decodeCp1250(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    const QChar* s = text.constData();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = s[i].unicode();
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && s[i + 1].unicode() == u'\n')
                ++i;
            start = ++i;
        } else if (c == u'\0') {
            break; // a NUL ends the text
        } else {
            ++i;
        }
    }
    if (i > start)
        lines.append(text.mid(start, i - start));
    return lines;
}

namespace {

QStringList readAndDecode(const QString& path) {
    // The bytes go before the lines are made: at most the text and its lines are held at once.
    const QString text = decodeText(readRegularFile(path));
    return splitLines(text);
}

#ifdef Q_OS_LINUX
struct Stamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;
    bool operator==(const Stamp&) const = default;
};

qint64 nsOf(const timespec& t) {
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

std::optional<Stamp> stampOf(const QByteArray& native) {
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return Stamp{st.st_dev, st.st_ino, st.st_size, nsOf(st.st_mtim), nsOf(st.st_ctim)};
}

qint64 nowNs() {
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return nsOf(t);
}

struct Entry {
    QString path;
    Stamp stamp;
    QStringList lines;
};

struct Cache {
    QMutex mutex;
    std::list<Entry> entries; // most recently used first
    bool enabled = true;
    qint64 racyWindow = textcache::racyWindowNs;
    std::atomic<quint64> reads{0};

    void evict(const QString& path) {
        entries.remove_if([&](const Entry& e) { return e.path == path; });
    }
    void keep(Entry e) {
        evict(e.path);
        entries.push_front(std::move(e));
        qint64 total = 0;
        int count = 0;
        for (auto it = entries.begin(); it != entries.end();) {
            total += qint64(it->stamp.size);
            if (++count > textcache::maxFiles || total > textcache::maxBytes)
                it = entries.erase(it);
            else
                ++it;
        }
    }
};

Cache& cache() {
    static Cache c;
    return c;
}
#endif

} // namespace

QStringList loadTextLines(const QString& path) {
#ifdef Q_OS_LINUX
    Cache& c = cache();
    const QByteArray native = QFile::encodeName(path);
    const std::optional<Stamp> before = native.isEmpty() ? std::nullopt : stampOf(native);
    {
        QMutexLocker lock(&c.mutex);
        if (!c.enabled || !before) {
            c.evict(path);
            lock.unlock();
            ++c.reads;
            return readAndDecode(path); // the reader reports what is wrong with the file
        }
        for (auto it = c.entries.begin(); it != c.entries.end(); ++it) {
            if (it->path != path)
                continue;
            if (it->stamp == *before) {
                c.entries.splice(c.entries.begin(), c.entries, it);
                return it->lines;
            }
            c.entries.erase(it);
            break;
        }
    }
    const qint64 start = nowNs();
    ++c.reads;
    QStringList lines = readAndDecode(path);
    // Kept only when nothing changed during the read and the file has been quiet for longer
    // than a stamp can tell apart.
    const std::optional<Stamp> after = stampOf(native);
    QMutexLocker lock(&c.mutex);
    if (c.enabled && after && *after == *before &&
        std::max(before->mtimeNs, before->ctimeNs) + c.racyWindow < start)
        c.keep(Entry{path, *before, lines});
    return lines;
#else
    return readAndDecode(path);
#endif
}

namespace textcache {

quint64 diskReads() {
#ifdef Q_OS_LINUX
    return cache().reads.load();
#else
    return 0;
#endif
}

void setEnabled(bool on) {
#ifdef Q_OS_LINUX
    QMutexLocker lock(&cache().mutex);
    cache().enabled = on;
    cache().entries.clear();
#else
    Q_UNUSED(on);
#endif
}

void setRacyWindowForTest(qint64 ns) {
#ifdef Q_OS_LINUX
    QMutexLocker lock(&cache().mutex);
    cache().racyWindow = ns < 0 ? racyWindowNs : ns;
    cache().entries.clear();
#else
    Q_UNUSED(ns);
#endif
}

void clear() {
#ifdef Q_OS_LINUX
    QMutexLocker lock(&cache().mutex);
    cache().entries.clear();
#endif
}

} // namespace textcache

} // namespace wirtal
