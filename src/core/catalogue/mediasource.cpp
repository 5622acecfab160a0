// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/mediasource.h"

#include "catalogue/catalogue.h"
#include "platform/error.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wirtal::catalogue {

struct MediaSources::Archive {
    zip_t* zip = nullptr;
    QString path;
    ~Archive() {
        if (zip)
            zip_discard(zip);
    }
};

namespace {

// A zip opened from a regular file only (never a device or a pipe that would block).
zip_t* openZip(const QString& path, QString* why) {
    int error = 0;
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *why = fd < 0 ? QStringLiteral("nie można otworzyć pliku")
                      : QStringLiteral("to nie jest zwykły plik");
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    // Reads block from here on; libzip owns the descriptor once it has opened it.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    zip_t* z = zip_fdopen(fd, ZIP_RDONLY, &error);
    if (!z)
        ::close(fd);
#else
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
#endif
    if (!z && why->isEmpty())
        *why = QStringLiteral("to nie jest archiwum zip albo jest uszkodzone");
    return z;
}

QString lastPart(const QString& name) {
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return slash < 0 ? name : name.mid(slash + 1);
}

} // namespace

MediaSources::MediaSources(const QStringList& paths, const MediaLimits& limits,
                           const std::function<void(qint64)>& listed)
    : limits_(limits), paths_(paths) {
    for (int i = 0; i < paths.size(); ++i) {
        archives_.emplace_back();
        if (QFileInfo(paths[i]).isDir())
            listFolder(i, paths[i], listed);
        else
            listArchive(i, paths[i], listed);
    }
}

MediaSources::~MediaSources() = default;

QString MediaSources::looseKey(const QString& name) {
    QString key = name.normalized(QString::NormalizationForm_C).toCaseFolded().simplified();
    if (key.endsWith(u".jpeg"))
        key.replace(key.size() - 5, 5, QStringLiteral(".jpg"));
    else if (key.endsWith(u".mp4"))
        key.replace(key.size() - 4, 4, QStringLiteral(".wmv"));
    return key;
}

void MediaSources::add(const MediaFile& file) {
    if (exact_.contains(file.name))
        return;
    exact_.insert(file.name, files_.size());
    const QString key = looseKey(file.name);
    if (!loose_.contains(key))
        loose_.insert(key, files_.size());
    files_ << file;
}

void MediaSources::listFolder(int source, const QString& path,
                              const std::function<void(qint64)>& listed) {
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    qint64 count = 0;
    while (it.hasNext()) {
        it.next();
        if (++count > limits_.entries)
            throw Error(QStringLiteral("folder multimediów %1 ma ponad %2 plików")
                            .arg(path)
                            .arg(limits_.entries));
        if (listed && count % 1000 == 0)
            listed(count);
        const QFileInfo info = it.fileInfo();
        add(MediaFile{source, info.fileName(), -1, info.size()});
    }
}

void MediaSources::listArchive(int source, const QString& path,
                               const std::function<void(qint64)>& listed) {
    QString why;
    if (!QFileInfo::exists(path))
        throw Error(QStringLiteral("brak folderu ani archiwum multimediów %1").arg(path));
    auto archive = std::make_unique<Archive>();
    archive->path = path;
    archive->zip = openZip(path, &why);
    if (!archive->zip)
        throw Error(QStringLiteral("archiwum multimediów %1: %2").arg(path, why));
    const zip_int64_t count = zip_get_num_entries(archive->zip, 0);
    if (count < 0 || count > limits_.entries)
        throw Error(QStringLiteral("archiwum multimediów %1 ma ponad %2 plików")
                        .arg(path)
                        .arg(limits_.entries));
    const QString archiveName = QFileInfo(path).fileName();
    const auto refuse = [&](const QString& name, const QString& reason) {
        // Only the first few are told; an archive of junk must not fill the report.
        if (refused_.size() < 1000)
            refused_ << RefusedMember{archiveName, name.left(200), reason};
    };
    for (zip_int64_t i = 0; i < count; ++i) {
        if (listed && i % 1000 == 999)
            listed(i + 1);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive->zip, zip_uint64_t(i), 0, &st) != 0 ||
            !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE) ||
            !(st.valid & ZIP_STAT_COMP_SIZE))
            continue;
        const char* raw = zip_get_name(archive->zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        if (!raw)
            continue;
        const QByteArray bytes(raw);
        if (bytes.endsWith('/'))
            continue; // a folder
        const QString whole = QString::fromUtf8(bytes);
        if (bytes.size() > limits_.nameBytes) {
            refuse(whole, QStringLiteral("za długa nazwa"));
            continue;
        }
        const QString name = lastPart(whole);
        if (!plainFileName(name)) {
            refuse(whole, QStringLiteral("niedozwolona nazwa"));
            continue;
        }
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive->zip, zip_uint64_t(i), 0, &system,
                                             &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX) {
            const unsigned type = (attributes >> 16) & 0170000;
            if (type != 0 && type != 0100000) {
                refuse(whole, QStringLiteral("to nie jest zwykły plik (np. dowiązanie)"));
                continue;
            }
        }
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
            refuse(whole, QStringLiteral("zaszyfrowany"));
            continue;
        }
        if ((st.valid & ZIP_STAT_COMP_METHOD) &&
            !zip_compression_method_supported(st.comp_method, 0)) {
            refuse(whole, QStringLiteral("nieobsługiwana metoda kompresji"));
            continue;
        }
        const qint64 size = qint64(st.size), packed = qint64(st.comp_size);
        if (st.size > zip_uint64_t(limits_.memberBytes)) {
            refuse(whole, QStringLiteral("za duży (%1 bajtów)").arg(size));
            continue;
        }
        if (size >= limits_.ratioFloor && (packed <= 0 || size / packed > limits_.ratio)) {
            refuse(whole, QStringLiteral("podejrzany stopień kompresji"));
            continue;
        }
        add(MediaFile{source, name, qint64(i), size});
    }
    archives_[std::size_t(source)] = std::move(archive);
}

std::optional<MediaFile> MediaSources::find(const QString& name, bool* loose) const {
    if (loose)
        *loose = false;
    if (const auto it = exact_.constFind(name); it != exact_.constEnd())
        return files_[it.value()];
    if (const auto it = loose_.constFind(looseKey(name)); it != loose_.constEnd()) {
        if (loose)
            *loose = true;
        return files_[it.value()];
    }
    return std::nullopt;
}

QString MediaSources::folderPath(const MediaFile& file) const {
    if (file.member >= 0 || file.source < 0 || file.source >= paths_.size())
        return {};
    return paths_[file.source] + u'/' + file.name;
}

std::function<qint64(char*, qint64)> MediaSources::openMember(const MediaFile& file) {
    problem_.clear();
    Archive* archive = file.source >= 0 && std::size_t(file.source) < archives_.size()
                           ? archives_[std::size_t(file.source)].get()
                           : nullptr;
    const QString where = archive ? QFileInfo(archive->path).fileName() : QString();
    zip_file_t* opened =
        archive ? zip_fopen_index(archive->zip, zip_uint64_t(file.member), 0) : nullptr;
    if (!opened) {
        problem_ = QStringLiteral("archiwum %1: nie można odczytać pliku %2").arg(where, file.name);
        return [](char*, qint64) -> qint64 { return -1; };
    }
    // The member closes with the last copy of the reader.
    std::shared_ptr<zip_file_t> member(opened, [](zip_file_t* f) { zip_fclose(f); });
    auto got = std::make_shared<qint64>(0);
    const qint64 size = file.size;
    const QString name = file.name;
    return [this, member, got, size, name, where](char* buffer, qint64 max) -> qint64 {
        // Never more than declared: one byte past it is asked for to see that it ends there.
        const qint64 want = std::min(max, size - *got + 1);
        const zip_int64_t n = zip_fread(member.get(), buffer, zip_uint64_t(want));
        if (n < 0 || *got + n > size || (n == 0 && *got != size)) {
            problem_ = QStringLiteral("archiwum %1: plik %2 jest uszkodzony").arg(where, name);
            return -1;
        }
        *got += n;
        return n;
    };
}

} // namespace wirtal::catalogue
