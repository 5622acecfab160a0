// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/mediadisplay.h"

#include <QWidget>

#include <memory>

namespace wirtal {

class MediaPlayer;
class PictureBox;
class StyledButton;
class Timer;
class TimerService;

// The learning display: the film panel "Panel1" and the picture "ImageTest" (480 x 360, one of
// them visible) with the film buttons "rewind" and "replay" beside it. It remembers the film last
// opened here ("mediaplik") and replays it through "Timer8".
class LearningDisplay : public QWidget {
    Q_OBJECT
public:
    LearningDisplay(TimerService& timers, MediaPlayer& player, QWidget* parent = nullptr);
    ~LearningDisplay() override;

    // A record's media field shown here (the caller has closed the player).
    void showMedia(const QString& field);
    // The picture of question number 0: program folder + "\obrazki_prawko\empty.jpg"; throws
    // Error when it cannot be loaded.
    void showEmptyPicture();
    // The film panel hidden, the picture shown (as the category choice leaves it).
    void showPicture();
    // Back to learning mode: the player gets the learning film back; a film on the display plays
    // again from its start 200 ms later.
    void resumeFilm();

    // "replay": starts the delayed replay; "rewind": the film stands still on its first frame.
    void replayClick();
    void rewindClick();

    QWidget* filmPanel() const { return display_.filmPanel; }
    PictureBox* picture() const { return display_.picture; }
    const QString& mediaplik() const { return mediaplik_; }

    static constexpr int filmWidth = 480;
    static constexpr int filmHeight = 360;

private:
    void replayFilm();

    MediaPlayer& player_;
    MediaDisplay display_;
    QString mediaplik_;
    StyledButton* rewind_ = nullptr;
    StyledButton* replay_ = nullptr;
    std::unique_ptr<Timer> replayTimer_;
};

} // namespace wirtal
