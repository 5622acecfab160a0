// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Answer cues of a question bank: how well a learner who knows nothing of the law scores by
// reading the wording alone (`wirtal-bank check --cues`). A bank whose answers follow its
// phrasing ("wolno" mostly no, the longest option mostly right) teaches the phrasing, not the
// rules, so these figures are held near chance.

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace wirtal::cues {

// One question as the learner sees it: its text, the options of a specialist question (empty
// for a basic one) and the right answer ("T"/"N", "A"/"B"/"C").
struct Item {
    int n = 0;
    QString text;
    QStringList options;
    QString answer;
};

// A guessing rule and the share of questions it answers right (0..1), over all questions of its
// kind unless `over` says otherwise.
struct Rule {
    QString name;
    double accuracy = 0;
    int over = 0;     // questions the figure is taken over
    int t = 0, n = 0; // basic phrase types: how many answers are T and N
};

// A question text used several times with its answers: a learner who remembers the answer of
// each such text scores its commoner answer on all of them.
struct RepeatedText {
    QString text;
    std::map<QString, int> answers; // answer -> how many times
    int count() const;
    double lean() const; // the commoner answer's share
};

struct Report {
    int basicCount = 0, specialistCount = 0;
    std::vector<Rule> phraseTypes; // basic: each phrase type and its majority share
    std::vector<Rule> basicRules;  // basic: rules applied to every basic question
    std::vector<Rule> specialistRules;
    int absoluteOptions = 0, absoluteRight = 0; // specialist options with an absolute word
    double rightLength = 0, wrongLength = 0;    // mean length in characters
    std::vector<RepeatedText> repeated;         // texts used repeatMin times or more
    double maxLean() const;                     // the most lopsided of them (0 when none)
    double bestBasic() const;
    double bestSpecialist() const;
};

// Bounds the figures are held under: with these, no rule of the report beats chance by more
// than a few points (a basic question is guessed right half the time, a specialist one a third).
inline constexpr double basicBound = 0.55;
inline constexpr double specialistBound = 0.40;
// A text used this many times or more may lean to one answer at most this much.
inline constexpr int repeatMin = 4;
inline constexpr double repeatBound = 0.75;

Report analyse(const std::vector<Item>& basic, const std::vector<Item>& specialist);

// The report as a table for people; ends with a line saying whether the bounds hold.
QString format(const Report& r);

// Every rule under its bound, right options no longer than wrong ones on average, and no
// repeated text leaning more than repeatBound.
bool withinBounds(const Report& r);

// True when the word is one of the absolute words ("zawsze", "nigdy", "wyłącznie", ...).
bool isAbsolute(const QString& word);

// Reads the questions of a folder: the JSON sources when it holds *.json files, otherwise the
// bank files of the category through the program's lookup. Problems go to *problems.
void readFolder(const QString& folder, std::vector<Item>* basic, std::vector<Item>* specialist,
                QStringList* problems, const QString& category = QStringLiteral("B"));

// `wirtal-bank check --cues [--strict]`: prints the report; the exit code is 1 when the folder
// cannot be read, or with strict when a figure is over its bound, otherwise 0.
int run(const QString& folder, const QString& category, bool strict);

} // namespace wirtal::cues
