#include "RankingMerge.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "screens/monthend/MonthReads.h"

namespace RankingMerge {

namespace {

QString KeyOf(const vb::VariantArray& rows, int row, int keyColumns) {
    QStringList parts;
    for (int col = 0; col < keyColumns; ++col) {
        parts << MonthReads::Text(rows(row, col));
    }
    return parts.join(QLatin1Char('\t'));
}

}  // namespace

vb::VariantArray Merge(const vb::VariantArray& list, int32_t listCount,
                       const vb::VariantArray& sums, int32_t sumCount, int keyColumns) {
    QHash<QString, int> entries;
    for (int row = 0; row < listCount; ++row) {
        entries.insert(KeyOf(list, row, keyColumns), row);
    }
    std::vector<bool> sold(listCount, false);
    std::vector<std::pair<int, vb::Currency>> gains;
    std::vector<std::pair<int, vb::Currency>> losses;
    for (int row = 0; row < sumCount; ++row) {
        const auto found = entries.constFind(KeyOf(sums, row, keyColumns));
        if (found == entries.constEnd() || sold[*found]) {
            continue;
        }
        sold[*found] = true;
        const vb::Currency value = MonthReads::Amount(sums(row, keyColumns));
        (value < vb::Currency() ? losses : gains).emplace_back(*found, value);
    }
    std::vector<std::pair<int, vb::Currency>> order = gains;
    for (int row = 0; row < listCount; ++row) {
        if (!sold[row]) {
            order.emplace_back(row, vb::Currency());
        }
    }
    order.insert(order.end(), losses.begin(), losses.end());

    vb::VariantArray table(listCount, keyColumns + 3);
    for (int rank = 0; rank < listCount; ++rank) {
        const int entry = order[rank].first;
        table(rank, 0) = static_cast<int16_t>(rank + 1);
        for (int col = 0; col <= keyColumns; ++col) {
            table(rank, col + 1) = list(entry, col);
        }
        table(rank, keyColumns + 2) = order[rank].second;
    }
    return table;
}

}  // namespace RankingMerge
