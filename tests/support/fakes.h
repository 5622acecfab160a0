// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/dialogs.h"
#include "platform/downloader.h"
#include "platform/mediaplayer.h"
#include "platform/webloader.h"
#include "results/reportoutput.h"

#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace wirtal::test {

// Scripted message boxes and choosers: each box must have been expected (by a part of its text),
// each chooser by its kind, else the test fails. onShow runs while the box is "open" (timers may go
// on meanwhile).
class FakeDialogs final : public Dialogs {
public:
    ~FakeDialogs() override;
    void expect(const QString& textPart, Answer answer, std::function<void()> onShow = {});
    void expectSave(const QString& fileName);
    // The next open-file chooser answers fileName (empty: the user cancelled); the filter it was
    // given is kept in lastFilter.
    void expectOpen(const QString& fileName);
    // The next chooser of several files answers files (none: the user cancelled).
    void expectOpenMany(const QStringList& files);
    // The next folder chooser answers folder (empty: the user cancelled).
    void expectFolder(const QString& folder);
    Answer message(const QString& text, Buttons buttons, Icon icon, bool centred) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& suggested) override;
    QString openFileName(const QString& title, const QString& filter) override;
    QStringList openFileNames(const QString& title, const QString& filter) override;
    QString folderName(const QString& title) override;

    // Every box shown, in order.
    const QStringList& shown() const { return shown_; }
    // Where each save dialog opened (folder and file name).
    const QStringList& suggestedSaves() const { return suggestedSaves_; }
    bool allAnswered() const {
        return expected_.empty() && saves_.empty() && opens_.empty() && folders_.empty() &&
               manyOpens_.empty();
    }
    QString lastFilter;
    void clear() { shown_.clear(); }

private:
    struct Expected {
        QString part;
        Answer answer;
        std::function<void()> onShow;
    };
    std::deque<Expected> expected_;
    std::deque<QString> saves_, opens_, folders_;
    std::deque<QStringList> manyOpens_;
    QStringList shown_;
    QStringList suggestedSaves_;
};

// A media player that plays nothing: records what it is told, and plays as long as the test says.
class FakePlayer final : public MediaPlayer {
public:
    void setFile(const QString& path) override { file_ = path; }
    QString file() const override { return file_; }
    void setOutput(QWidget* panel) override { output = panel; }
    void open() override;
    void play() override;
    void step() override { calls << QStringLiteral("step"); }
    void rewind() override;
    void close() override;
    bool isPlaying() const override { return playing; }
    void prepare(const QString& film) override { prepared << film; }

    // The film ends (as if it had played to its end).
    void finish() { playing = false; }

    QStringList calls;    // "open <file>", "play", "step", "rewind", "close"
    QStringList prepared; // the films it was told are near, in order
    QWidget* output = nullptr;
    bool playing = false;
    bool failOpen = false;

private:
    QString file_;
};

// Page loads that wait until the test answers them; nothing goes to the network.
class FakeWebLoader final : public WebPageLoader {
public:
    struct Request {
        QUrl url;
        QPointer<QObject> context;
        std::function<void(const WebPage&)> done;
        bool answered = false;
    };
    void get(const QUrl& url, QObject* context, std::function<void(const WebPage&)> done) override;
    // Answers request i (in the order they were made), as the real loader would: not at all
    // when its context is gone, else through the guard.
    void answer(std::size_t i, const WebPage& page);
    // Answers every request not yet answered.
    void answerAll(const WebPage& page);

    // A version page with the given title; a failed load.
    static WebPage pageTitled(const QString& title);
    static WebPage failed();

    std::vector<Request> requests;
};

// Downloads that wait until the test answers them; nothing goes to the network. A request is
// answered with a whole body (from its range on, as a server that honours ranges would) or with a
// failure after part of it.
class FakeDownloader final : public Downloader {
public:
    struct Request {
        DownloadRequest request;
        QPointer<QObject> context;
        DownloadHandlers handlers;
        bool answered = false;
        bool cancelled = false;
    };
    std::function<void()> get(const DownloadRequest& request, QObject* context,
                              DownloadHandlers handlers) override;
    // Answers request i: started(from, file size), the bytes of `file` from the request's range
    // on (at most `upTo` of them, in chunks of `chunk`), then done: Complete when all were sent,
    // else Failed (a broken connection). Nothing when its context is gone.
    void answer(std::size_t i, const QByteArray& file, qint64 upTo = -1, qint64 chunk = 4096);
    // Ends request i without a body.
    void end(std::size_t i, DownloadEnd::Outcome outcome);
    // The request not yet answered, or null.
    Request* pending();

    std::vector<Request> requests;
};

// Report output that keeps what it was given.
class FakeReportOutput final : public ReportOutput {
public:
    void print(const QString& html) override { printed << html; }
    void savePdf(const QString& html, const QString& path) override { saved << path + u'|' + html; }
    QStringList printed, saved;
};

} // namespace wirtal::test
