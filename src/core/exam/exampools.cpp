// SPDX-License-Identifier: GPL-3.0-or-later

#include "exam/exampools.h"

#include "bank/bank.h"
#include "bank/layout.h"
#include "base/textfile.h"
#include "exam/draw.h"
#include "platform/error.h"

#include <algorithm>

namespace wirtal {

ExamPools examPools(const QString& categoryCode) {
    const auto bank = layout::of(categoryCode);
    const QStringList basic = loadTextLines(bankPath(bank->basicFile));
    const QStringList special = loadTextLines(bankPath(bank->specialistFile));
    // A question's points as its record gives them; 0 when the record cannot be read.
    auto pointsOf = [&](int n) {
        try {
            const Location where = bank->locate(n);
            const Record r =
                recordAt(where.kind == QuestionKind::Basic ? basic : special, where, n);
            return std::clamp(r.points().trimmed().toInt(), 0, 3);
        } catch (const Error&) {
            return 0;
        }
    };
    auto question = [&](int n, int points) {
        return PoolQuestion{bank->idOf(n), points, bank->kindOf(n) == QuestionKind::Basic};
    };

    ExamPools pools(slotCount);
    if (!bank->catalogue) {
        const SlotRanges ranges = rangesFor(categoryCode, special);
        for (int k = 1; k <= slotCount; ++k)
            for (int n = ranges[std::size_t(k)].from; n <= ranges[std::size_t(k)].to; ++n)
                if (const int points = pointsOf(n); points > 0)
                    pools[std::size_t(k - 1)].push_back(question(n, points));
        return pools;
    }
    std::vector<int> points(std::size_t(bank->last + 1), 0);
    if (bank->pointsInRecords)
        for (int n = 1; n <= bank->last; ++n)
            points[std::size_t(n)] = pointsOf(n);
    for (int k = 1; k <= slotCount; ++k) {
        const bool basicSlot = k <= basicSlots;
        const int from = basicSlot ? 1 : bank->basicCount + 1;
        const int to = basicSlot ? bank->basicCount : bank->last;
        const int slotPoints = structurePoints(k);
        for (int n = from; n <= to; ++n) {
            if (!bank->pointsInRecords) {
                pools[std::size_t(k - 1)].push_back(question(n, slotPoints));
                continue;
            }
            if (points[std::size_t(n)] == slotPoints)
                pools[std::size_t(k - 1)].push_back(question(n, slotPoints));
        }
    }
    return pools;
}

} // namespace wirtal
