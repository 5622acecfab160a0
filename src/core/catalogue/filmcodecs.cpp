// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/filmcodecs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QMap>
#include <QtEndian>

namespace wirtal::catalogue {

namespace {

// The most of an ASF header read, and of an MP4 movie box.
constexpr qint64 maxAsfHeader = 1 << 20;
constexpr qint64 maxMovieBox = 16 << 20;
constexpr int maxBoxes = 10000;

// GUIDs as ASF stores them (the first three fields little-endian).
const QByteArray asfHeader = QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c");
const QByteArray streamProperties = QByteArray::fromHex("9107dcb7b7a9cf118ee600c00c205365");
const QByteArray videoMedia = QByteArray::fromHex("c0ef19bc4d5bcf11a8fd00805f5c442b");
const QByteArray audioMedia = QByteArray::fromHex("409e69f84d5bcf11a8fd00805f5c442b");

template <typename T> T le(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<T>(b.constData() + at);
}
template <typename T> T be(const QByteArray& b, qsizetype at) {
    return qFromBigEndian<T>(b.constData() + at);
}

QString audioTag(quint16 tag) {
    switch (tag) {
    case 0x0160:
        return QStringLiteral("WMA1");
    case 0x0161:
        return QStringLiteral("WMA2");
    case 0x0162:
        return QStringLiteral("WMAPro");
    case 0x0163:
        return QStringLiteral("WMALossless");
    case 0x000A:
        return QStringLiteral("WMAVoice");
    case 0x0055:
        return QStringLiteral("MP3");
    case 0x0001:
        return QStringLiteral("PCM");
    default:
        return QStringLiteral("audio 0x%1").arg(tag, 4, 16, QLatin1Char('0'));
    }
}

// The streams of an ASF header: every Stream Properties Object in it, those of the header
// extension included.
FilmFormat asf(QIODevice& file) {
    const QByteArray start = file.read(30);
    if (start.size() < 30 || !start.startsWith(asfHeader))
        return {};
    const quint64 size = le<quint64>(start, 16);
    if (size < 30 || size > quint64(maxAsfHeader))
        return {};
    const QByteArray header = start + file.read(qint64(size) - 30);
    if (header.size() != qint64(size))
        return {}; // cut short
    FilmFormat out{QStringLiteral("ASF"), {}};
    for (qsizetype at = header.indexOf(streamProperties, 30); at >= 0 && out.codecs.size() < 16;
         at = header.indexOf(streamProperties, at + 16)) {
        constexpr qsizetype typeData = 78; // where a stream's type-specific data begins
        if (at + typeData > header.size())
            break;
        const QByteArray type = header.mid(at + 24, 16);
        if (type == videoMedia && at + typeData + 31 <= header.size()) {
            // Encoded width and height, flags, format data size, then a BITMAPINFOHEADER whose
            // compression is the codec's four letters.
            const QByteArray fourcc = header.mid(at + typeData + 11 + 16, 4);
            QString codec;
            for (const char c : fourcc)
                if (QChar::isPrint(uchar(c)))
                    codec += QLatin1Char(c);
            out.codecs << (codec.size() == 4 ? codec : QStringLiteral("video ?"));
        } else if (type == audioMedia && at + typeData + 2 <= header.size()) {
            out.codecs << audioTag(le<quint16>(header, at + typeData));
        }
    }
    return out;
}

// The sample entries of an MP4's tracks: moov/trak/mdia/minf/stbl/stsd.
void mp4Boxes(const QByteArray& data, qsizetype from, qsizetype to, int depth, int* visited,
              QStringList* codecs) {
    static const QList<QByteArray> into{"trak", "mdia", "minf", "stbl"};
    qsizetype at = from;
    while (at + 8 <= to && ++*visited < maxBoxes && codecs->size() < 16) {
        quint64 size = be<quint32>(data, at);
        const QByteArray type = data.mid(at + 4, 4);
        qsizetype head = 8;
        if (size == 1 && at + 16 <= to) {
            size = be<quint64>(data, at + 8);
            head = 16;
        } else if (size == 0) {
            size = quint64(to - at);
        }
        if (size < quint64(head) || size > quint64(to - at))
            return;
        const qsizetype end = at + qsizetype(size);
        if (type == "stsd" && at + head + 8 <= end) {
            const quint32 entries = be<quint32>(data, at + head + 4);
            qsizetype entry = at + head + 8;
            for (quint32 i = 0; i < entries && i < 16 && entry + 8 <= end; ++i) {
                const quint32 entrySize = be<quint32>(data, entry);
                QString codec;
                for (const char c : data.mid(entry + 4, 4))
                    if (QChar::isPrint(uchar(c)))
                        codec += QLatin1Char(c);
                *codecs << codec;
                if (entrySize < 8)
                    break;
                entry += entrySize;
            }
        } else if (depth < 8 && into.contains(type)) {
            mp4Boxes(data, at + head, end, depth + 1, visited, codecs);
        }
        at = end;
    }
}

FilmFormat mp4(QIODevice& file) {
    // The top-level boxes, the movie box found by skipping over the others (the media data may
    // come first).
    qint64 at = 0;
    for (int boxes = 0; boxes < maxBoxes; ++boxes) {
        if (!file.seek(at))
            return {};
        const QByteArray head = file.read(16);
        if (head.size() < 8)
            return {};
        quint64 size = be<quint32>(head, 0);
        const QByteArray type = head.mid(4, 4);
        qint64 headSize = 8;
        if (size == 1 && head.size() == 16) {
            size = be<quint64>(head, 8);
            headSize = 16;
        } else if (size == 0) {
            size = quint64(file.size() - at);
        }
        if (boxes == 0 && type != "ftyp" && type != "moov" && type != "mdat" && type != "free" &&
            type != "wide")
            return {};
        if (size < quint64(headSize) || size > quint64(std::numeric_limits<qint64>::max() - at))
            return {};
        if (type == "moov") {
            if (size > quint64(maxMovieBox))
                return {};
            if (!file.seek(at))
                return {};
            const QByteArray movie = file.read(qint64(size));
            if (movie.size() != qint64(size))
                return {};
            FilmFormat out{QStringLiteral("MP4"), {}};
            int visited = 0;
            mp4Boxes(movie, headSize, movie.size(), 0, &visited, &out.codecs);
            return out;
        }
        at += qint64(size);
    }
    return {};
}

struct Known {
    const char* codec;
    const char* description;
    QStringList plugins; // any of them decodes it
    const char* package;
};

const QList<Known>& knownCodecs() {
    static const QStringList libav{QStringLiteral("libgstlibav.so")};
    static const QList<Known> known{
        {"ASF", "kontener ASF (Windows Media)", {"libgstasf.so"}, "gstreamer1.0-plugins-ugly"},
        {"MP4", "kontener MP4", {"libgstisomp4.so"}, "gstreamer1.0-plugins-good"},
        {"WMV1", "Windows Media Video 7", libav, "gstreamer1.0-libav"},
        {"WMV2", "Windows Media Video 8", libav, "gstreamer1.0-libav"},
        {"WMV3", "Windows Media Video 9", libav, "gstreamer1.0-libav"},
        {"WVC1", "VC-1 (Windows Media Video 9 Advanced)", libav, "gstreamer1.0-libav"},
        {"WMVA", "Windows Media Video 9 Advanced", libav, "gstreamer1.0-libav"},
        {"WMA1", "Windows Media Audio 1", libav, "gstreamer1.0-libav"},
        {"WMA2", "Windows Media Audio 2 (7, 8, 9)", libav, "gstreamer1.0-libav"},
        {"WMAPro", "Windows Media Audio Pro", libav, "gstreamer1.0-libav"},
        {"WMALossless", "Windows Media Audio Lossless", libav, "gstreamer1.0-libav"},
        {"WMAVoice", "Windows Media Audio Voice", libav, "gstreamer1.0-libav"},
        {"MP3", "MP3", {"libgstmpg123.so", "libgstlibav.so"}, "gstreamer1.0-plugins-good"},
        {"PCM", "PCM", {"libgstwavparse.so", "libgstaudioconvert.so"}, "gstreamer1.0-plugins-base"},
        {"avc1", "H.264", {"libgstlibav.so", "libgstopenh264.so"}, "gstreamer1.0-libav"},
        {"hvc1", "H.265", libav, "gstreamer1.0-libav"},
        {"hev1", "H.265", libav, "gstreamer1.0-libav"},
        {"mp4v", "MPEG-4 Part 2", libav, "gstreamer1.0-libav"},
        {"mp4a", "AAC", {"libgstlibav.so", "libgstfaad.so"}, "gstreamer1.0-libav"},
    };
    return known;
}

QStringList systemPluginFolders() {
    const QString env = qEnvironmentVariable("GST_PLUGIN_SYSTEM_PATH_1_0");
    if (!env.isEmpty())
        return env.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    QStringList out{QStringLiteral("/usr/lib/gstreamer-1.0")};
    for (const QString& arch : QDir(QStringLiteral("/usr/lib")).entryList(QDir::Dirs))
        if (QFileInfo(QStringLiteral("/usr/lib/%1/gstreamer-1.0").arg(arch)).isDir())
            out << QStringLiteral("/usr/lib/%1/gstreamer-1.0").arg(arch);
    return out;
}

} // namespace

bool isFilmName(const QString& name) {
    static const QStringList suffixes{".wmv", ".asf", ".mp4", ".m4v", ".mov"};
    for (const QString& s : suffixes)
        if (name.endsWith(s, Qt::CaseInsensitive))
            return true;
    return false;
}

FilmFormat filmFormat(QIODevice& file) {
    if (!file.seek(0))
        return {};
    FilmFormat f = asf(file);
    if (!f.container.isEmpty() || !file.seek(0))
        return f;
    return mp4(file);
}

CodecSupport codecSupport(const QString& codec, const QStringList& pluginFolders) {
    CodecSupport out;
    out.codec = codec;
    out.description = codec;
#ifdef Q_OS_WIN
    // Windows plays its own formats through Media Foundation.
    const bool system = true;
#else
    const bool system = false;
#endif
    for (const Known& k : knownCodecs()) {
        if (codec != QLatin1String(k.codec))
            continue;
        out.description = QString::fromUtf8(k.description);
        out.package = QString::fromLatin1(k.package);
        const QStringList folders = pluginFolders.isEmpty() ? systemPluginFolders() : pluginFolders;
        out.decoder = system;
        for (const QString& folder : folders)
            for (const QString& plugin : k.plugins)
                if (QFileInfo(QDir(folder).filePath(plugin)).isFile())
                    out.decoder = true;
    }
    return out;
}

QList<FilmCodec> filmCodecs(const QStringList& paths, const QStringList& pluginFolders,
                            int* unknown, const std::function<void(qint64)>& tick) {
    QMap<QString, int> counts;
    qint64 checked = 0;
    for (const QString& path : paths) {
        if (tick && ++checked % 100 == 0)
            tick(checked);
        QFile film(path);
        const FilmFormat format = film.open(QIODevice::ReadOnly) ? filmFormat(film) : FilmFormat{};
        if (format.container.isEmpty()) {
            ++*unknown;
            continue;
        }
        QStringList seen{format.container};
        ++counts[format.container];
        for (const QString& codec : format.codecs)
            if (!seen.contains(codec)) {
                seen << codec;
                ++counts[codec];
            }
    }
    QList<FilmCodec> out;
    for (const QString& container : {QStringLiteral("ASF"), QStringLiteral("MP4")})
        if (counts.contains(container))
            out << FilmCodec{codecSupport(container, pluginFolders), counts.take(container)};
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        out << FilmCodec{codecSupport(it.key(), pluginFolders), it.value()};
    return out;
}

QString missingDecoders(const QString& path, const QStringList& pluginFolders) {
    QFile film(path);
    if (!film.open(QIODevice::ReadOnly))
        return {};
    const FilmFormat format = filmFormat(film);
    if (format.container.isEmpty())
        return {};
    QStringList missing, packages;
    for (const QString& codec : QStringList{format.container} + format.codecs) {
        const CodecSupport s = codecSupport(codec, pluginFolders);
        if (s.decoder)
            continue;
        const QString named = s.description == codec
                                  ? QStringLiteral("„%1”").arg(codec)
                                  : QStringLiteral("%1 (%2)").arg(s.description, codec);
        if (!missing.contains(named))
            missing << named;
        if (!s.package.isEmpty() && !packages.contains(s.package))
            packages << s.package;
    }
    if (missing.isEmpty())
        return {};
    QString out =
        QStringLiteral("Tego filmu nie można odtworzyć na tym komputerze: brak %1 %2.")
            .arg(missing.size() == 1 ? QStringLiteral("dekodera") : QStringLiteral("dekoderów"),
                 missing.join(QStringLiteral(", ")));
    if (!packages.isEmpty())
        out += QStringLiteral(" Zainstaluj %1 %2 i uruchom program ponownie.")
                   .arg(packages.size() == 1 ? QStringLiteral("pakiet") : QStringLiteral("pakiety"),
                        packages.join(QStringLiteral(", ")));
    else
        out += QStringLiteral(" Program nie zna pakietu z tym dekoderem.");
    return out;
}

} // namespace wirtal::catalogue
