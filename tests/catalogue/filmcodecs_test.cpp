// SPDX-License-Identifier: GPL-3.0-or-later

// The codecs of a film read from its header (ASF and MP4, the movie box before or after the media
// data), damaged headers read as unknown, and a decoder found by its GStreamer plugin.

#include "catalogue/filmbytes.h"
#include "catalogue/filmcodecs.h"
#include "support/qt_printers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wirtal;
using namespace wirtal::catalogue;
using namespace wirtal::test;

namespace {

FilmFormat formatOf(QByteArray bytes) {
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    return filmFormat(b);
}

} // namespace

TEST(FilmCodecs, HeadersNameTheirCodecs) {
    struct Case {
        const char* what;
        QByteArray bytes;
        QString container;
        QStringList codecs;
    };
    const QByteArray wmv = asfFile({asfStream(false, {}, 0x0161), asfStream(true, "WMV3")});
    QByteArray cut = wmv.left(60);
    QByteArray huge = wmv;
    qToLittleEndian(quint64(1) << 40, huge.data() + 16);
    const Case cases[] = {
        {"ASF: WMV 9 with WMA 2", wmv, "ASF", {"WMA2", "WMV3"}},
        {"ASF: WMV 8", asfFile({asfStream(true, "WMV2")}), "ASF", {"WMV2"}},
        {"MP4, movie box first", mp4File({"avc1"}, false), "MP4", {"avc1"}},
        {"MP4, movie box after the media data",
         mp4File({"avc1", "mp4a"}, true),
         "MP4",
         {"avc1", "mp4a"}},
        {"ASF cut inside its header", cut, "", {}},
        {"ASF claiming a terabyte of header", huge, "", {}},
        {"no film at all", QByteArray(4096, 'x'), "", {}},
        {"empty", QByteArray(), "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FilmFormat f = formatOf(c.bytes);
        EXPECT_EQ(f.container, c.container);
        EXPECT_EQ(f.codecs, c.codecs);
    }
}

TEST(FilmCodecs, DecoderFoundByItsPlugin) {
    QTemporaryDir plugins;
    QFile asf(QDir(plugins.path()).filePath("libgstasf.so"));
    ASSERT_TRUE(asf.open(QIODevice::WriteOnly));
    asf.close();
    const CodecSupport container = codecSupport("ASF", {plugins.path()});
    EXPECT_TRUE(container.decoder);
    const CodecSupport video = codecSupport("WMV3", {plugins.path()});
    EXPECT_FALSE(video.decoder);
    EXPECT_EQ(video.description, "Windows Media Video 9");
    EXPECT_EQ(video.package, "gstreamer1.0-libav");
    const CodecSupport unknown = codecSupport("XYZ1", {plugins.path()});
    EXPECT_FALSE(unknown.decoder);
    EXPECT_TRUE(unknown.package.isEmpty());
}
