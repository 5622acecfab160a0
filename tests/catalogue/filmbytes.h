// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The headers of small films for the tests: an ASF (.wmv) header with its streams, and an MP4
// with its movie box before or after the media data. Only the header is a film's: the rest is
// filler.

#include <QByteArray>
#include <QList>
#include <QtEndian>

namespace wirtal::test {

inline QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
inline QByteArray le64(quint64 v) {
    QByteArray b(8, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
inline QByteArray be32(quint32 v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

// An ASF Stream Properties Object of a video stream with this four-letter codec, or of an audio
// stream with this format tag.
inline QByteArray asfStream(bool video, const QByteArray& fourcc, quint16 tag = 0) {
    QByteArray specific;
    if (video) {
        specific = le32(640) + le32(480) + QByteArray(1, '\0') + QByteArray::fromHex("2800") +
                   le32(40) + le32(640) + le32(480) + QByteArray::fromHex("01001800") + fourcc +
                   QByteArray(20, '\0');
    } else {
        specific = QByteArray(2, '\0') + QByteArray(16, '\0');
        qToLittleEndian(tag, specific.data());
    }
    const QByteArray type = QByteArray::fromHex(video ? "c0ef19bc4d5bcf11a8fd00805f5c442b"
                                                      : "409e69f84d5bcf11a8fd00805f5c442b");
    QByteArray body = type + QByteArray(16, '\0') + le64(0) + le32(quint32(specific.size())) +
                      le32(0) + QByteArray(2, '\0') + le32(0) + specific;
    return QByteArray::fromHex("9107dcb7b7a9cf118ee600c00c205365") +
           le64(quint64(24 + body.size())) + body;
}
inline QByteArray asfFile(const QList<QByteArray>& objects) {
    QByteArray children;
    for (const QByteArray& o : objects)
        children += o;
    return QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c") +
           le64(quint64(30 + children.size())) + le32(quint32(objects.size())) +
           QByteArray::fromHex("0102") + children + QByteArray(100, 'd');
}

inline QByteArray box(const QByteArray& type, const QByteArray& body) {
    return be32(quint32(8 + body.size())) + type + body;
}
inline QByteArray mp4File(const QList<QByteArray>& sampleEntries, bool movieLast) {
    QByteArray entries;
    for (const QByteArray& e : sampleEntries)
        entries += box(e, QByteArray(20, '\0'));
    const QByteArray stsd =
        box("stsd", QByteArray(4, '\0') + be32(quint32(sampleEntries.size())) + entries);
    const QByteArray moov =
        box("moov", box("mvhd", QByteArray(20, '\0')) +
                        box("trak", box("mdia", box("minf", box("stbl", stsd)))));
    const QByteArray ftyp = box("ftyp", "isom\0\0\0\0isom");
    const QByteArray mdat = box("mdat", QByteArray(5000, 'm'));
    return movieLast ? ftyp + mdat + moov : ftyp + moov + mdat;
}

} // namespace wirtal::test
