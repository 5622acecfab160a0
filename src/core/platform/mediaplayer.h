// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace wirtal {

// The one media player of the main window: plays a film into a given panel, scaled to it.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    // The file of the film last given to the player.
    virtual void setFile(const QString& path) = 0;
    virtual QString file() const = 0;
    // The panel the film is drawn into.
    virtual void setOutput(QWidget* panel) = 0;
    // Opens the current file and waits until it is open; throws Error when it cannot be opened.
    virtual void open() = 0;
    virtual void play() = 0;
    // Steps one frame forward.
    virtual void step() = 0;
    // Goes back to the start; the film stands still there.
    virtual void rewind() = 0;
    // Stops a playing film and releases the file.
    virtual void close() = 0;
    virtual bool isPlaying() const = 0;
    // A film is near (the question shown or the next one has it): a player that needs time to
    // get ready starts getting ready now, so that the film waits less when it comes. Nothing is
    // shown; a player that fails here says so when the film is opened.
    virtual void prepare(const QString& film) { (void)film; }
};

// A player that plays nothing: for a program run without films and for benchmarks.
class InertPlayer final : public MediaPlayer {
public:
    void setFile(const QString& path) override { file_ = path; }
    QString file() const override { return file_; }
    void setOutput(QWidget*) override {}
    void open() override {}
    void play() override {}
    void step() override {}
    void rewind() override {}
    void close() override {}
    bool isPlaying() const override { return false; }

private:
    QString file_;
};

} // namespace wirtal
