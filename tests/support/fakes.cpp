#include "support/fakes.h"

#include "platform/error.h"

#include <gtest/gtest.h>

namespace wirtal::test {

FakeDialogs::~FakeDialogs() {
    for (const auto& e : expected_)
        ADD_FAILURE() << "expected box never shown: " << e.part.toStdString();
}

void FakeDialogs::expect(const QString& textPart, Answer answer, std::function<void()> onShow) {
    expected_.push_back({textPart, answer, std::move(onShow)});
}

void FakeDialogs::expectSave(const QString& fileName) {
    saves_.push_back(fileName);
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

QString FakeDialogs::saveFileName(const QString& title, const QString&) {
    shown_ << title;
    if (saves_.empty()) {
        ADD_FAILURE() << "unexpected save dialog: " << title.toStdString();
        return {};
    }
    QString f = saves_.front();
    saves_.pop_front();
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

} // namespace wirtal::test
