#include "MonthClose.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

#include "CloseRanks.h"
#include "MonthReads.h"
#include "PeriodSums.h"
#include "core/AccessADOClass.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/records/MonthlyStore.h"

using MonthReads::Amount;
using MonthReads::Key;
using MonthReads::Text;

namespace {

// The columns of the month's sums per product, as read.
enum SumColumn : int {
    SumCost = 2,
    SumCostMoney,
    SumSales,
    SumMoney,
    AverageSales,
    LastPrice,
    SumProfit,
};

// The columns of the class sums of PeriodSums::Sales.
enum ClassSumColumn : int {
    ClassSales = 1,
    ClassMoney,
    ClassProfit,
};

// The six rankings in the order of the rank columns stored: classes by profit, amount,
// quantity, then products. Each ranks the sum of its column per class or per product:
// a product's sums are those the close reads, a class's those of PeriodSums::Sales,
// which adds its products' sums exactly, so that a class sum in range is ranked whatever
// its products' sums pass on the way.
struct Ranking {
    int column;  // in the product sums, or in the class sums
    bool products;
};
const Ranking Rankings[6] = {
    {ClassProfit, false}, {ClassMoney, false}, {ClassSales, false},
    {SumProfit, true},    {SumMoney, true},    {SumSales, true},
};

// The entries of a ranking, value descending, for CloseRanks: one per product or class
// with daily rows. A sum over Null values only counts as 0, as CloseRanks reads a Null
// value.
std::vector<CloseRanks::Entry> RankingEntries(const vb::VariantArray& sums, int32_t count,
                                              const Ranking& ranking) {
    std::vector<CloseRanks::Entry> entries;
    for (int row = 0; row < count; ++row) {
        entries.push_back({ranking.products ? Key(sums(row, 0), sums(row, 1)) : Text(sums(row, 0)),
                           Amount(sums(row, ranking.column))});
    }
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const CloseRanks::Entry& a, const CloseRanks::Entry& b) { return b.value < a.value; });
    return entries;
}

}  // namespace

MonthClose::MonthClose(const vb::Date& month)
    : month_(month.firstOfMonth()), monthEnd_(XX共通関数::GetMonthEndDate(month)) {}

int32_t MonthClose::Calculate() {
    rows_ = vb::VariantArray();
    try {
        const int32_t read = Read();
        if (read < 0) {
            return read;
        }
        if (masterCount_ < 1) {
            return NoProducts;
        }
        Build();
    } catch (const vb::RuntimeError&) {
        rows_ = vb::VariantArray();
        return NotComputable;
    }
    return Ready;
}

int32_t MonthClose::Read() {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    masterCount_ = MonthReads::Masters(access, masters_);
    if (masterCount_ < 0) {
        return masterCount_;
    }
    PeriodSums sums;
    if (const int32_t read = sums.Read(access, month_, monthEnd_); read < 0) {
        return read;
    }
    sums_ = sums.CloseRows(sumCount_);
    PeriodSums::SalesSums sales;
    if (const int32_t failed = sums.Sales(sales); failed < 0) {
        return failed;
    }
    classSums_ = std::move(sales.classes);
    classCount_ = sales.classCount;
    stockCount_ = MonthReads::StoredStock(access, month_.addMonths(-1), stock_);
    return stockCount_ < 0 ? stockCount_ : 0;
}

void MonthClose::Build() {
    QStringList classes;
    QStringList products;
    QHash<QString, int> classIndex;
    for (int row = 0; row < masterCount_; ++row) {
        const QString classNo = Text(masters_(row, 0));
        if (!classIndex.contains(classNo)) {
            classIndex.insert(classNo, static_cast<int>(classes.size()));
            classes << classNo;
        }
        products << Key(masters_(row, 0), masters_(row, 1));
    }

    // The rank of each product in the six columns.
    std::vector<std::vector<int>> ranks;
    for (int i = 0; i < 6; ++i) {
        const bool byProduct = Rankings[i].products;
        const std::vector<int> assigned =
            CloseRanks::Assign(byProduct ? RankingEntries(sums_, sumCount_, Rankings[i])
                                         : RankingEntries(classSums_, classCount_, Rankings[i]),
                               byProduct ? products : classes);
        std::vector<int> column(masterCount_);
        for (int row = 0; row < masterCount_; ++row) {
            column[row] =
                byProduct ? assigned[row] : assigned[classIndex.value(Text(masters_(row, 0)))];
        }
        ranks.push_back(std::move(column));
    }

    const QHash<QString, int> sumRows = MonthReads::RowsByKey(sums_, sumCount_);
    const QHash<QString, int> stockRows = MonthReads::RowsByKey(stock_, stockCount_);
    const QString fixDate = SqlValueText::DateValue(month_);
    rows_ = vb::VariantArray(masterCount_, 19);
    for (int row = 0; row < masterCount_; ++row) {
        const QString& key = products[row];
        vb::Currency cost, costMoney, sales, salesMoney, average;
        vb::Currency price = Amount(masters_(row, 5));
        if (const auto s = sumRows.constFind(key); s != sumRows.constEnd()) {
            cost = Amount(sums_(*s, SumCost));
            costMoney = Amount(sums_(*s, SumCostMoney));
            sales = Amount(sums_(*s, SumSales));
            salesMoney = Amount(sums_(*s, SumMoney));
            average = Amount(sums_(*s, AverageSales));
            price = Amount(sums_(*s, LastPrice));
        }
        const auto f = stockRows.constFind(key);
        const vb::Currency previous =
            f != stockRows.constEnd() ? Amount(stock_(*f, 2)) : vb::Currency();
        rows_(row, 0) = fixDate;
        for (int col = 0; col < 4; ++col) {
            rows_(row, col + 1) = SqlValueText::Text(Text(masters_(row, col)));
        }
        const vb::Currency numbers[8] = {
            Amount(masters_(row, 4)), cost,   costMoney, price, sales, salesMoney,
            previous + cost - sales,  average};
        for (int col = 0; col < 8; ++col) {
            rows_(row, col + 5) = SqlValueText::Number(numbers[col]);
        }
        for (int col = 0; col < 6; ++col) {
            rows_(row, col + 13) = SqlValueText::Number(ranks[col][row]);
        }
    }
}

int32_t MonthClose::Save() const {
    return MonthlyStore::Replace(month_, rows_);
}
