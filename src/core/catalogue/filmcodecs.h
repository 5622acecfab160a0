// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The codecs of the catalogue's films, read from their headers (ASF: .wmv, .asf; MP4: .mp4, .m4v,
// .mov), and whether this machine has a decoder for each: the official films are Windows Media,
// which the program plays through GStreamer's plugins. A film file is hostile input: only its
// header is read, bounded in size and in the number of boxes walked.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

namespace wirtal::catalogue {

// The codecs one film names in its header: the container ("ASF", "MP4") and each stream's codec
// ("WMV3", "WMA2", "avc1", "mp4a"); empty when the header is none of these or damaged.
struct FilmFormat {
    QString container;
    QStringList codecs;
};
FilmFormat filmFormat(QIODevice& file);
// Whether a media name is a film whose header is read.
bool isFilmName(const QString& name);

// A codec as the import tells it: its name for people and whether a decoder is installed.
struct CodecSupport {
    QString codec;       // as in FilmFormat ("WMV3", "ASF")
    QString description; // "Windows Media Video 9"
    bool decoder = false;
    QString package; // the Debian package that brings its decoder, when one is known
};
// `pluginFolders` are where GStreamer's plugins are looked for; empty: this machine's
// (GST_PLUGIN_SYSTEM_PATH_1_0, else the system's folders).
CodecSupport codecSupport(const QString& codec, const QStringList& pluginFolders = {});

// A codec films use, with how many of them use it.
struct FilmCodec {
    CodecSupport support;
    int films = 0;
};
// The codecs of the film files `paths`: the containers first, then the streams' codecs by name,
// each counted once a film. `unknown` counts the films whose header is neither ASF nor MP4;
// `tick` is called every hundred films and may throw to stop.
QList<FilmCodec> filmCodecs(const QStringList& paths, const QStringList& pluginFolders,
                            int* unknown, const std::function<void(qint64 checked)>& tick = {});

// Why the film `path` cannot be played here, for the learner: the codecs its header names that no
// installed decoder takes, each with its name and code ("Windows Media Video 9 (WMV3)"), and the
// packages that bring their decoders. Empty when the header is neither ASF nor MP4 or every codec
// it names has a decoder. The caller has checked that `path` is a regular file.
QString missingDecoders(const QString& path, const QStringList& pluginFolders = {});

} // namespace wirtal::catalogue
