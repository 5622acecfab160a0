// SPDX-License-Identifier: GPL-3.0-or-later

#include "learn/learningdisplay.h"

#include "art/learnart.h"
#include "base/paths.h"
#include "platform/mediaplayer.h"
#include "platform/timer.h"
#include "widgets/picturebox.h"
#include "widgets/styledbutton.h"

#include <QCoreApplication>

namespace wirtal {

namespace {
constexpr int buttonSize = 35;
constexpr int gap = 6;

StyledButton* filmButton(QWidget* parent, const char* name, const QString& hint,
                         const QPixmap& glyph, int y) {
    auto* b = new StyledButton(QString(), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(hint);
    b->setToolTip(hint);
    b->setPicture(glyph);
    b->setGeometry(LearningDisplay::filmWidth + gap, y, buttonSize, buttonSize);
    b->hide();
    return b;
}
} // namespace

LearningDisplay::LearningDisplay(TimerService& timers, MediaPlayer& player, QWidget* parent)
    : QWidget(parent), player_(player) {
    setObjectName(QStringLiteral("learningdisplay"));
    resize(filmWidth + gap + buttonSize, filmHeight);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, 0, filmWidth, filmHeight);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::black);
    panel->setPalette(pal);
    panel->hide();

    auto* picture = new PictureBox(this);
    picture->setObjectName(QStringLiteral("ImageTest"));
    picture->setGeometry(0, 0, filmWidth, filmHeight);
    picture->setAccessibleName(QStringLiteral("Ilustracja pytania"));

    rewind_ = filmButton(this, "rewind", QStringLiteral("Przewiń film do początku"),
                         learnart::rewindGlyph(), 0);
    replay_ = filmButton(this, "replay", QStringLiteral("Odtwórz film ponownie"),
                         learnart::replayGlyph(), buttonSize + gap);
    rewind_->setHandler([this] { rewindClick(); });
    replay_->setHandler([this] { replayClick(); });

    display_.filmPanel = panel;
    display_.picture = picture;
    display_.rewind = rewind_;
    display_.replay = replay_;
    display_.mediaplik = &mediaplik_;

    replayTimer_ = timers.create(QStringLiteral("Timer8"), 200, TimerKind::OneShot);
    replayTimer_->setHandler([this] { replayFilm(); });
}

LearningDisplay::~LearningDisplay() = default;

void LearningDisplay::showMedia(const QString& field) {
    wirtal::showMedia(field, display_, player_);
}

void LearningDisplay::showEmptyPicture() {
    display_.showPicture();
    display_.picture->load(Paths::inProgramFolder(QStringLiteral("\\obrazki_prawko\\empty.jpg")));
}

void LearningDisplay::showPicture() {
    display_.showPicture();
}

void LearningDisplay::resumeFilm() {
    player_.setFile(mediaplik_);
    // No film when its place says why it cannot be played (mediaplik is empty then).
    if (!mediaplik_.isEmpty() && display_.filmPanel->isVisibleTo(this))
        replayTimer_->start();
}

void LearningDisplay::replayClick() {
    replayTimer_->start();
}

void LearningDisplay::replayFilm() {
    replayTimer_->stop();
    player_.setOutput(display_.filmPanel);
    player_.open();
    player_.play();
}

void LearningDisplay::rewindClick() {
    QCoreApplication::processEvents();
    player_.setOutput(display_.filmPanel);
    player_.open();
    QCoreApplication::processEvents();
    player_.step();
    player_.rewind();
}

} // namespace wirtal
