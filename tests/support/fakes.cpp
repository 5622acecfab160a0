// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/fakes.h"

#include "platform/error.h"

#include <gtest/gtest.h>

namespace wirtal::test {

FakeDialogs::~FakeDialogs() {
    for (const auto& e : expected_)
        ADD_FAILURE() << "expected box never shown: " << e.part.toStdString();
    for (const auto& f : opens_)
        ADD_FAILURE() << "expected file chooser never shown: " << f.toStdString();
    for (const auto& f : folders_)
        ADD_FAILURE() << "expected folder chooser never shown: " << f.toStdString();
}

void FakeDialogs::expect(const QString& textPart, Answer answer, std::function<void()> onShow) {
    expected_.push_back({textPart, answer, std::move(onShow)});
}

void FakeDialogs::expectSave(const QString& fileName) {
    saves_.push_back(fileName);
}

void FakeDialogs::expectOpen(const QString& fileName) {
    opens_.push_back(fileName);
}

void FakeDialogs::expectOpenMany(const QStringList& files) {
    manyOpens_.push_back(files);
}

QStringList FakeDialogs::openFileNames(const QString& title, const QString& filter) {
    shown_ << title;
    lastFilter = filter;
    if (manyOpens_.empty()) {
        ADD_FAILURE() << "unexpected chooser of files: " << title.toStdString();
        return {};
    }
    QStringList f = manyOpens_.front();
    manyOpens_.pop_front();
    return f;
}

void FakeDialogs::expectFolder(const QString& folder) {
    folders_.push_back(folder);
}

Answer FakeDialogs::message(const QString& text, Buttons, Icon, bool) {
    shown_ << text;
    if (expected_.empty() || !text.contains(expected_.front().part)) {
        ADD_FAILURE() << "unexpected box: " << text.toStdString();
        return Answer::Cancel;
    }
    Expected e = expected_.front();
    expected_.pop_front();
    if (e.onShow)
        e.onShow();
    return e.answer;
}

QString FakeDialogs::saveFileName(const QString& title, const QString&, const QString& suggested) {
    shown_ << title;
    suggestedSaves_ << suggested;
    if (saves_.empty()) {
        ADD_FAILURE() << "unexpected save dialog: " << title.toStdString();
        return {};
    }
    QString f = saves_.front();
    saves_.pop_front();
    return f;
}

QString FakeDialogs::openFileName(const QString& title, const QString& filter) {
    shown_ << title;
    lastFilter = filter;
    if (opens_.empty()) {
        ADD_FAILURE() << "unexpected file chooser: " << title.toStdString();
        return {};
    }
    QString f = opens_.front();
    opens_.pop_front();
    return f;
}

QString FakeDialogs::folderName(const QString& title) {
    shown_ << title;
    if (folders_.empty()) {
        ADD_FAILURE() << "unexpected folder chooser: " << title.toStdString();
        return {};
    }
    QString f = folders_.front();
    folders_.pop_front();
    return f;
}

void FakePlayer::open() {
    calls << QStringLiteral("open ") + file_;
    if (failOpen)
        throw Error(QStringLiteral("Nie można odtworzyć filmu „%1”.").arg(file_));
}

void FakePlayer::play() {
    calls << QStringLiteral("play");
    playing = true;
}

void FakePlayer::rewind() {
    calls << QStringLiteral("rewind");
    playing = false;
}

void FakePlayer::close() {
    calls << QStringLiteral("close");
    playing = false;
}

void FakeWebLoader::get(const QUrl& url, QObject* context,
                        std::function<void(const WebPage&)> done) {
    requests.push_back({url, QPointer<QObject>(context), std::move(done), false});
}

void FakeWebLoader::answer(std::size_t i, const WebPage& page) {
    Request& r = requests.at(i);
    ASSERT_FALSE(r.answered) << "request " << i << " answered twice";
    r.answered = true;
    if (!r.context)
        return;
    WebPage p = page;
    p.url = r.url;
    auto done = r.done;
    guarded([&] { done(p); });
}

void FakeWebLoader::answerAll(const WebPage& page) {
    for (std::size_t i = 0; i < requests.size(); ++i)
        if (!requests[i].answered)
            answer(i, page);
}

WebPage FakeWebLoader::pageTitled(const QString& title) {
    WebPage p;
    p.ok = true;
    p.body = QStringLiteral("<html><head><title>%1</title></head><body><p>Nowa wersja programu "
                            "jest do pobrania ze strony producenta.</p></body></html>")
                 .arg(title)
                 .toUtf8();
    return p;
}

WebPage FakeWebLoader::failed() {
    return WebPage{};
}

std::function<void()> FakeDownloader::get(const DownloadRequest& request, QObject* context,
                                          DownloadHandlers handlers) {
    const std::size_t i = requests.size();
    requests.push_back({request, QPointer<QObject>(context), std::move(handlers), false, false});
    return [this, i] {
        Request& r = requests.at(i);
        if (r.answered || r.cancelled)
            return;
        r.cancelled = true;
        end(i, DownloadEnd::Outcome::Cancelled);
    };
}

void FakeDownloader::answer(std::size_t i, const QByteArray& file, qint64 upTo, qint64 chunk) {
    Request& r = requests.at(i);
    ASSERT_FALSE(r.answered) << "download " << i << " answered twice";
    r.answered = true;
    if (!r.context)
        return;
    const DownloadHandlers h = r.handlers;
    const DownloadRequest request = r.request;
    const qint64 from = std::min<qint64>(request.from, file.size());
    DownloadEnd e;
    e.url = request.url;
    e.status = from > 0 ? 206 : 200;
    if (file.size() > request.maxBytes) {
        e.outcome = DownloadEnd::Outcome::Refused;
        guarded([&] { h.done(e); });
        return;
    }
    if (h.started)
        guarded([&] { h.started(from, file.size()); });
    const qint64 last = upTo < 0 ? file.size() : std::min<qint64>(file.size(), from + upTo);
    bool more = true;
    for (qint64 at = from; at < last && more && r.context; at += chunk) {
        const QByteArray piece = file.mid(at, std::min(chunk, last - at));
        if (h.data)
            guarded([&] { more = h.data(piece); });
    }
    if (!r.context)
        return;
    e.outcome = !more                ? DownloadEnd::Outcome::Cancelled
                : last < file.size() ? DownloadEnd::Outcome::Failed
                                     : DownloadEnd::Outcome::Complete;
    guarded([&] { h.done(e); });
}

void FakeDownloader::end(std::size_t i, DownloadEnd::Outcome outcome) {
    Request& r = requests.at(i);
    r.answered = true;
    if (!r.context)
        return;
    DownloadEnd e;
    e.url = r.request.url;
    e.outcome = outcome;
    const auto done = r.handlers.done;
    guarded([&] { done(e); });
}

FakeDownloader::Request* FakeDownloader::pending() {
    for (Request& r : requests)
        if (!r.answered && !r.cancelled)
            return &r;
    return nullptr;
}

} // namespace wirtal::test
