// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/catalogfetch.h"

#include "base/paths.h"
#include "platform/error.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <utility>

#include <zip.h>

namespace wirtal::catalogfetch {

bool zipIsWhole(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink())
        return false;
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive)
        return false;
    zip_discard(archive);
    return true;
}

QString downloadFolder() {
    return Paths::inUserData(QStringLiteral("pobrane"));
}

namespace {

QString readSmall(const QString& path) {
    QFile f(path);
    if (QFileInfo(path).isSymLink() || !f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(4096));
}

// A name in the folder that is not a regular file (a link, a folder) is taken away, never
// followed.
bool clearOdd(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isSymLink() || !info.isFile())
        return info.isDir() && !info.isSymLink() ? QDir(path).removeRecursively()
                                                 : QFile::remove(path);
    return true;
}

using Outcome = DownloadEnd::Outcome;

} // namespace

Fetcher::Fetcher(Downloader& downloader, Source source, QString folder, Handlers handlers,
                 QObject* parent)
    : QObject(parent), downloader_(downloader), source_(std::move(source)),
      folder_(std::move(folder)), handlers_(std::move(handlers)) {
    freeSpace_ = [](const QString& path) {
        const QStorageInfo storage(path);
        return storage.isValid() ? storage.bytesAvailable() : qint64(-1);
    };
}

Fetcher::~Fetcher() {
    // Nobody is told any more; partial files stay for a later resume.
    handlers_ = {};
    ++attempt_;
    if (auto stop = std::exchange(cancel_, nullptr))
        stop();
}

QString Fetcher::path(const QString& name) const {
    return QDir(folder_).filePath(name);
}

void Fetcher::readPage() {
    auto body = std::make_shared<QByteArray>();
    DownloadRequest request;
    request.url = source_.page;
    request.maxBytes = maxPageBytes;
    request.redirectHosts = source_.hosts;
    request.totalTimeoutMs = pageTimeoutMs;
    DownloadHandlers h;
    h.data = [body](const QByteArray& chunk) {
        *body += chunk;
        return true;
    };
    h.done = [this, body, attempt = ++attempt_](const DownloadEnd& end) {
        if (attempt != attempt_)
            return;
        cancel_ = nullptr;
        if (end.outcome == Outcome::Cancelled)
            return;
        const QString address = source_.page.toDisplayString();
        if (end.outcome == Outcome::Refused) {
            handlers_.pageFailed(
                QStringLiteral("Strona %1 odsyła pod adres, którego nie ma wśród dozwolonych "
                               "([katalog] hosty w wirtal.ini), albo jest za duża.")
                    .arg(address));
            return;
        }
        if (end.outcome != Outcome::Complete) {
            handlers_.pageFailed(
                QStringLiteral("Nie udało się odczytać strony %1 (brak połączenia albo strona "
                               "została przeniesiona).")
                    .arg(address));
            return;
        }
        const PageResult page = readCataloguePage(*body, end.url, source_.hosts);
        if (page.offer)
            handlers_.pageRead(*page.offer);
        else
            handlers_.pageFailed(page.problem);
    };
    cancel_ = downloader_.get(request, this, std::move(h));
}

void Fetcher::download(const Offer& offer) {
    offer_ = offer;
    index_ = 0;
    resumes_ = 0;
    const QFileInfo folder(folder_);
    if (folder.isSymLink() || (folder.exists() && !folder.isDir()) || !QDir().mkpath(folder_)) {
        fail(QStringLiteral("Nie można utworzyć folderu pobierania %1.").arg(folder_));
        return;
    }
    // Room for what the page says, less what earlier attempts already have.
    qint64 needed = spareBytes;
    for (const OfferedFile& f : offer_.files) {
        if (f.size < 0)
            continue;
        const QFileInfo part(path(partName(f.localName)));
        const QFileInfo whole(path(f.localName));
        const bool sameOrigin = readSmall(path(originName(f.localName))) == f.url.toString();
        qint64 have = 0;
        if (sameOrigin && part.isFile() && !part.isSymLink())
            have = part.size();
        else if (sameOrigin && whole.isFile() && !whole.isSymLink())
            have = whole.size();
        needed += f.size - std::min(have, f.size);
    }
    const qint64 free = freeSpace_(folder_);
    if (free >= 0 && needed > free) {
        fail(QStringLiteral("Za mało miejsca na dysku: pobranie wymaga %1, wolne jest %2.")
                 .arg(sizeText(needed), sizeText(free)));
        return;
    }
    startFile();
}

void Fetcher::startFile() {
    if (index_ >= offer_.files.size()) {
        Fetched fetched;
        for (const OfferedFile& f : offer_.files) {
            if (f.kind == FileKind::Spreadsheet)
                fetched.catalogue = path(f.localName);
            else
                fetched.media << path(f.localName);
        }
        handlers_.finished(fetched);
        return;
    }
    const OfferedFile& file = offer_.files[index_];
    const QString partPath = path(partName(file.localName));
    const QString originPath = path(originName(file.localName));
    if (!clearOdd(partPath) || !clearOdd(originPath) || !clearOdd(path(file.localName))) {
        fail(QStringLiteral("Nie można zapisać w folderze pobierania %1.").arg(folder_));
        return;
    }
    const QString finalPath = path(file.localName);
    const bool sameOrigin = readSmall(originPath) == file.url.toString();
    if (QFileInfo(finalPath).isFile()) {
        // Whole from an earlier attempt at the same address: not downloaded again.
        if (sameOrigin && !QFileInfo::exists(partPath) &&
            (file.kind == FileKind::Spreadsheet || zipIsWhole(finalPath))) {
            if (handlers_.progressed)
                handlers_.progressed(index_, QFileInfo(finalPath).size(),
                                     QFileInfo(finalPath).size());
            ++index_;
            resumes_ = 0;
            return startFile();
        }
        QFile::remove(finalPath);
    }
    // A partial file of another address is not resumed. NAME.adres names the address of NAME.part
    // while it grows and of NAME once it is whole.
    if (!sameOrigin) {
        QFile::remove(partPath);
        QFile origin(originPath);
        if (!origin.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            origin.write(file.url.toString().toUtf8()) < 0) {
            fail(QStringLiteral("Nie można zapisać w folderze pobierania %1.").arg(folder_));
            return;
        }
    }
    part_.setFileName(partPath);
    if (!part_.open(QIODevice::ReadWrite)) {
        fail(QStringLiteral("Nie można zapisać pliku %1.").arg(partPath));
        return;
    }
    part_.seek(part_.size());
    from_ = part_.size();
    received_ = 0;
    total_ = -1;
    writeError_.clear();

    DownloadRequest request;
    request.url = file.url;
    request.from = from_;
    request.maxBytes = file.kind == FileKind::Spreadsheet ? maxSpreadsheetBytes : maxArchiveBytes;
    request.redirectHosts = source_.hosts;
    DownloadHandlers h;
    const int attempt = ++attempt_;
    h.started = [this, attempt](qint64 from, qint64 total) {
        if (attempt != attempt_)
            return;
        if (from != from_) { // the server sends the whole file again
            part_.resize(0);
            part_.seek(0);
            from_ = 0;
        }
        total_ = total;
        const qint64 free = freeSpace_(folder_);
        if (total >= 0 && free >= 0 && total - from_ + spareBytes > free)
            writeError_ = QStringLiteral("Za mało miejsca na dysku: plik ma %1, wolne jest %2.")
                              .arg(sizeText(total), sizeText(free));
        if (handlers_.progressed)
            handlers_.progressed(index_, from_, total_);
    };
    h.data = [this, attempt](const QByteArray& chunk) {
        if (attempt != attempt_ || !writeError_.isEmpty())
            return false;
        if (part_.write(chunk) != chunk.size()) {
            writeError_ = QStringLiteral("Nie można zapisać pliku %1 (brak miejsca na dysku?).")
                              .arg(part_.fileName());
            return false;
        }
        received_ += chunk.size();
        if (handlers_.progressed)
            handlers_.progressed(index_, from_ + received_, total_);
        return true;
    };
    h.done = [this, attempt](const DownloadEnd& end) {
        if (attempt == attempt_)
            fileDone(end);
    };
    cancel_ = downloader_.get(request, this, std::move(h));
}

void Fetcher::fileDone(const DownloadEnd& end) {
    cancel_ = nullptr;
    const OfferedFile file = offer_.files[index_];
    part_.flush();
    const qint64 size = part_.size();
    part_.close();
    if (!writeError_.isEmpty())
        return fail(writeError_);
    const bool complete = end.outcome == Outcome::Complete && (total_ < 0 || size == total_);
    if (!complete) {
        // A broken connection that brought something: go on from where it broke.
        if ((end.outcome == Outcome::Failed || end.outcome == Outcome::Complete) && received_ > 0 &&
            ++resumes_ <= maxResumes)
            return startFile();
        // A partial file the server has no range for (it is as long as the file, or longer: the
        // file changed meanwhile): once more from the start.
        if (end.outcome == Outcome::Failed && end.status == 416 && from_ > 0 &&
            ++resumes_ <= maxResumes) {
            QFile::remove(path(partName(file.localName)));
            return startFile();
        }
        if (end.outcome == Outcome::Refused)
            return fail(QStringLiteral("Serwer odesłał plik „%1” pod niedozwolony adres albo "
                                       "plik jest większy, niż powinien.")
                            .arg(file.text));
        return fail(QStringLiteral("Pobieranie pliku „%1” zostało przerwane (brak połączenia?). "
                                   "Pobrana część została zachowana: ponowne pobieranie ją "
                                   "wznowi.")
                        .arg(file.text));
    }
    const QString partPath = path(partName(file.localName));
    if (file.kind != FileKind::Spreadsheet && !zipIsWhole(partPath)) {
        QFile::remove(partPath);
        QFile::remove(path(originName(file.localName)));
        return fail(QStringLiteral("Archiwum „%1” jest niekompletne lub uszkodzone; nie zostało "
                                   "użyte. Spróbuj pobrać je ponownie później.")
                        .arg(file.text));
    }
    const QString finalPath = path(file.localName);
    QFile::remove(finalPath);
    if (!QFile::rename(partPath, finalPath))
        return fail(QStringLiteral("Nie można zapisać pliku %1.").arg(finalPath));
    ++index_;
    resumes_ = 0;
    startFile();
}

void Fetcher::fail(const QString& problem) {
    cancel_ = nullptr;
    if (part_.isOpen())
        part_.close();
    if (handlers_.failed)
        handlers_.failed(problem);
}

void Fetcher::removePartials() {
    // Files already whole stay, with their address.
    for (const OfferedFile& f : offer_.files) {
        const bool part = QFile::remove(path(partName(f.localName)));
        if (part || !QFileInfo(path(f.localName)).isFile())
            QFile::remove(path(originName(f.localName)));
    }
}

void Fetcher::cancel() {
    ++attempt_; // what the download still says is not heard
    if (cancel_) {
        auto stop = std::move(cancel_);
        cancel_ = nullptr;
        stop();
    }
    if (part_.isOpen())
        part_.close();
    removePartials();
    if (handlers_.cancelled)
        handlers_.cancelled();
}

} // namespace wirtal::catalogfetch
