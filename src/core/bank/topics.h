// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <vector>

namespace wirtal {

// A group of the category's questions (our numbers) shown on the progress page.
struct Topic {
    QString name;
    int first = 0; // our numbers first..last
    int last = 0;
};

// The category's topics. A classic folder's questions are arranged by topic (the basic ones in
// the order of the test's draw ranges, then the specialist ones): twenty named topics and the
// specialist questions. An imported catalogue carries no topics: its two parts are given
// instead, and namedTopics says which it is. Every question is in exactly one group.
struct TopicList {
    std::vector<Topic> topics;
    bool namedTopics = false;
};
TopicList topicsOf(const QString& categoryCode);

// The legal basis a question's source names ("PoRD art. 20 ust. 3"), or empty. A classic folder
// may hold "podstawy.txt" beside its bank files: one line per question with a basis, "<number>
// <tab> <basis>". Read anew when the file changes; a missing or unreadable file means no basis.
QString legalBasisOf(const QString& categoryCode, int number);

// The reference page (its path under the program folder, as the reference library names pages)
// that explains a legal basis: a sign's group page for "znak B-20", the highway code page for the
// act, empty when none fits.
QString referencePageFor(const QString& legalBasis);

} // namespace wirtal
