// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The pictures and films a catalogue names, found in what the learner downloaded: folders and zip
// archives (one of about 9 GB, sometimes a second, smaller pack), each read in place. An archive
// is hostile input: its members are bounded in number, name length, size and compression ratio,
// only a member's own file name is used (never its folders), links and anything but plain files
// are passed over, and a member is unpacked only when the sheet names it, a megabyte at a time,
// never beyond the size its archive declares.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace wirtal::catalogue {

struct MediaLimits {
    qint64 entries = 500000;        // files of one folder or members of one archive
    int nameBytes = 1024;           // a member's whole name, folders included
    qint64 memberBytes = 8LL << 30; // one file
    qint64 ratioFloor = 1LL << 20;  // members smaller than this skip the ratio test
    qint64 ratio = 100;             // uncompressed : compressed
};

// One file found: where it is and what it is called there.
struct MediaFile {
    int source = -1;    // index of its folder or archive among the paths given
    QString name;       // its own file name
    qint64 member = -1; // index in its archive; -1 in a folder
    qint64 size = 0;    // bytes (unpacked)
};

// A member of an archive that was passed over, and why (in Polish).
struct RefusedMember {
    QString archive, name, why;
};

class MediaSources {
public:
    // Lists every folder (its files, not its subfolders) and archive (its members, by their own
    // file names). The first of equal names wins, in the order of `paths`. `listed` is called
    // every thousand names and may throw to stop. Throws Error naming a path that is neither a
    // folder nor a readable zip, or holds more than limits.entries names.
    MediaSources(const QStringList& paths, const MediaLimits& limits = {},
                 const std::function<void(qint64 listed)>& listed = {});
    ~MediaSources();
    MediaSources(const MediaSources&) = delete;
    MediaSources& operator=(const MediaSources&) = delete;

    // The file a sheet names: the name exactly as written; else the same name in another Unicode
    // form, letter case or run of blanks, or with ".jpeg" for ".jpg" or ".mp4" for ".wmv" (and
    // back), and then `loose` is set. None when neither is there.
    std::optional<MediaFile> find(const QString& name, bool* loose = nullptr) const;

    // The file's path when it lies in a folder; empty for an archive member.
    QString folderPath(const MediaFile& file) const;
    // Reads an archive member: `read` fills the buffer (at most max bytes) and gives the count, 0
    // at the end, -1 when the member is damaged or unpacks to other than its declared size
    // (problem() then says so). One member at a time.
    std::function<qint64(char*, qint64)> openMember(const MediaFile& file);
    QString problem() const { return problem_; }

    const QList<RefusedMember>& refused() const { return refused_; }
    // How matching is done: the key under which names count as the same.
    static QString looseKey(const QString& name);

private:
    struct Archive;
    void listFolder(int source, const QString& path, const std::function<void(qint64)>& listed);
    void listArchive(int source, const QString& path, const std::function<void(qint64)>& listed);
    void add(const MediaFile& file);

    MediaLimits limits_;
    QStringList paths_;
    std::vector<std::unique_ptr<Archive>> archives_; // by source; null for a folder
    QList<MediaFile> files_;
    QHash<QString, qsizetype> exact_, loose_;
    QList<RefusedMember> refused_;
    QString problem_;
};

} // namespace wirtal::catalogue
