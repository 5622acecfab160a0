// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress/progressmodel.h"

#include "bank/bank.h"
#include "bank/layout.h"
#include "bank/topics.h"
#include "exam/exampools.h"
#include "history/answerlog.h"
#include "platform/error.h"

#include <algorithm>

namespace wirtal {

namespace {

QHash<int, Card> cardsOf(const QString& categoryCode, const AnswerLog* history) {
    return history ? history->cards(categoryCode) : QHash<int, Card>{};
}

CardState stateOfNumber(const CategoryBank& bank, const QHash<int, Card>& cards, int n) {
    const auto it = cards.constFind(bank.idOf(n));
    return it == cards.constEnd() ? CardState::Unseen : stateOf(*it);
}

QString textStart(const QString& categoryCode, int n) {
    try {
        QString t = lookup(categoryCode, n).text().simplified();
        if (t.size() > 90)
            t = t.left(88).trimmed() + QChar(0x2026);
        return t;
    } catch (const Error&) {
        return {};
    }
}

} // namespace

ProgressSummary summarize(const QString& categoryCode, const AnswerLog* history, qint64 nowMs) {
    ProgressSummary out;
    const auto bank = layout::of(categoryCode);
    const QHash<int, Card> cards = cardsOf(categoryCode, history);
    out.hasHistory = history != nullptr;

    const TopicList list = topicsOf(categoryCode);
    out.namedTopics = list.namedTopics;
    out.total.name = QStringLiteral("Razem");
    out.total.first = 1;
    out.total.last = bank->last;
    for (const Topic& t : list.topics) {
        TopicProgress p;
        p.name = t.name;
        p.first = t.first;
        p.last = t.last;
        for (int n = t.first; n <= t.last; ++n)
            ++p.count[std::size_t(stateOfNumber(*bank, cards, n))];
        for (std::size_t i = 0; i < 4; ++i)
            out.total.count[i] += p.count[i];
        out.topics.push_back(p);
    }

    if (history) {
        out.exams = history->exams(categoryCode);
        for (const auto& [id, wrong] : history->mostWrong(categoryCode, 10)) {
            const int n = bank->numberOfId(id);
            if (n < 1)
                continue;
            out.mostWrong.push_back({n, wrong, cards.value(id).seen, textStart(categoryCode, n)});
        }
        std::vector<Card> all(cards.cbegin(), cards.cend());
        out.dueNow = int(smartReviewOrder(all, nowMs).size());
    }
    out.readiness = estimateReadiness(examPools(categoryCode), cards);
    return out;
}

std::vector<int> smartReviewQueue(const QString& categoryCode, const AnswerLog* history,
                                  qint64 nowMs) {
    const auto bank = layout::of(categoryCode);
    const QHash<int, Card> cards = cardsOf(categoryCode, history);
    const std::vector<Card> all(cards.cbegin(), cards.cend());
    std::vector<int> out;
    for (const int id : smartReviewOrder(all, nowMs))
        if (const int n = bank->numberOfId(id); n > 0)
            out.push_back(n);
    return out;
}

std::vector<int> newQuestionsQueue(const QString& categoryCode, const AnswerLog* history) {
    const auto bank = layout::of(categoryCode);
    const QHash<int, Card> cards = cardsOf(categoryCode, history);
    std::vector<int> out;
    for (int n = 1; n <= bank->last; ++n)
        if (stateOfNumber(*bank, cards, n) == CardState::Unseen)
            out.push_back(n);
    return out;
}

std::vector<int> topicQueue(const QString& categoryCode, const AnswerLog* history, int first,
                            int last) {
    const auto bank = layout::of(categoryCode);
    const QHash<int, Card> cards = cardsOf(categoryCode, history);
    std::vector<int> out;
    for (const CardState state :
         {CardState::Weak, CardState::Unseen, CardState::Seen, CardState::Mastered})
        for (int n = std::max(first, 1); n <= std::min(last, bank->last); ++n)
            if (stateOfNumber(*bank, cards, n) == state)
                out.push_back(n);
    return out;
}

} // namespace wirtal
