#include "DayRecords.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <optional>
#include <vector>

#include "DayAmounts.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterCells.h"

namespace DayRecords {

namespace {

using Key = QPair<QString, QString>;

Key KeyOf(const vb::VariantArray& list, int row) {
    return {MasterCells::Text(list.at(row, 0)), MasterCells::Text(list.at(row, 1))};
}

// A running sum that stays empty once it no longer fits.
class Total {
  public:
    void Add(const vb::Variant& value) {
        if (!sum_) {
            return;
        }
        try {
            *sum_ += DayAmounts::StoredNumber(value);
        } catch (const vb::RuntimeError&) {
            sum_.reset();
        }
    }
    vb::Variant Value() const { return sum_ ? vb::Variant(*sum_) : vb::Variant(); }

  private:
    std::optional<vb::Currency> sum_ = vb::Currency();
};

}  // namespace

LoadedDay Match(const vb::VariantArray& products, int productCount, const vb::VariantArray& stored,
                int storedCount) {
    QHash<Key, int> storedRow;
    for (int k = 0; k < storedCount; ++k) {
        storedRow.insert(KeyOf(stored, k), k);
    }
    LoadedDay day;
    day.rows = vb::VariantArray(productCount, 7);
    day.dayRows = vb::VariantArray(productCount, 7);
    std::vector<bool> shown(storedCount, false);
    Total purchases, sales, salesMoney;
    const vb::Variant zero = vb::Currency();
    for (int i = 0; i < productCount; ++i) {
        const vb::Variant classNo = products.at(i, 0);
        const vb::Variant tradeNo = products.at(i, 1);
        const vb::Variant cells[] = {classNo,           tradeNo, products.at(i, 2), zero, zero,
                                     products.at(i, 4), zero};
        const vb::Variant loaded[] = {classNo, tradeNo, zero, products.at(i, 3), zero, zero, zero};
        for (int col = 0; col < 7; ++col) {
            day.rows(i, col) = cells[col];
            day.dayRows(i, col) = loaded[col];
        }
        const auto found = storedRow.constFind(KeyOf(products, i));
        if (found == storedRow.constEnd() || shown[*found]) {
            continue;
        }
        const int k = *found;
        shown[k] = true;
        day.rows(i, 3) = day.dayRows(i, 2) = stored.at(k, 2);
        day.rows(i, 4) = day.dayRows(i, 5) = stored.at(k, 5);
        day.rows(i, 6) = day.dayRows(i, 6) = stored.at(k, 6);
        day.dayRows(i, 4) = stored.at(k, 4);
        purchases.Add(stored.at(k, 2));
        sales.Add(stored.at(k, 5));
        salesMoney.Add(stored.at(k, 6));
    }
    day.totals = vb::VariantArray(1, 4);
    day.totals(0, 0) = QStringLiteral("合計");
    day.totals(0, 1) = purchases.Value();
    day.totals(0, 2) = sales.Value();
    day.totals(0, 3) = salesMoney.Value();

    std::vector<int> orphans;
    for (int k = 0; k < storedCount; ++k) {
        if (!shown[k]) {
            orphans.push_back(k);
        }
    }
    day.orphans = vb::VariantArray(static_cast<int>(orphans.size()), 7);
    for (int o = 0; o < static_cast<int>(orphans.size()); ++o) {
        for (int col = 0; col < 7; ++col) {
            day.orphans(o, col) = stored.at(orphans[o], col);
        }
    }
    return day;
}

}  // namespace DayRecords
