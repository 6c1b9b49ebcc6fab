#include "MonthClose.h"

#include <QHash>
#include <QStringList>

#include "CloseRanks.h"
#include "MonthReads.h"
#include "core/AccessADOClass.h"
#include "core/AccessSelect.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/records/MonthlyStore.h"

using MonthReads::Amount;
using MonthReads::Key;
using MonthReads::Text;

namespace {

// A ranking query over the month's daily rows: the value per class (or per class and
// product), value descending.
struct Ranking {
    const char* value;  // the summed expression
    const char* alias;  // its column
    const char* table;  // the derived table's name
    bool products;
};

// In the order the close reads them and the order of the rank columns stored.
const Ranking Rankings[6] = {
    {"Sum([Sales_Money]-[Cost_Money])", "RiekM", "ClaRiekiDeta", false},
    {"Sum(Sales_Money)", "SumSalM", "ClaMonDeta", false},
    {"Sum(Sales_Quantity)", "SumSelQ", "ClaQuDeta", false},
    {"Sum([Sales_Money]-[Cost_Money])", "RiekM", "TraRiekiDeta", true},
    {"Sum(Sales_Money)", "SumSalM", "TraMonDeta", true},
    {"Sum(Sales_Quantity)", "SumSelQ", "TraQuDeta", true},
};

// The FROM items of a derived table, split where the wrapper joins them with " , ".
QStringList RankingFrom(const Ranking& r, const QString& between) {
    const QString value = QString::fromLatin1(r.value);
    const QString where = " From Management_Tbl WHERE Input_Date Between " + between;
    if (!r.products) {
        return {
            "(SELECT Classify_No",
            value + " AS " + r.alias + where + " GROUP BY Classify_No ORDER BY " + value + " DESC",
            QStringLiteral("Classify_No) AS ") + r.table};
    }
    return {"(SELECT Classify_No",
            "Trade_No",
            value + " AS " + r.alias + where + " GROUP BY Classify_No",
            "Trade_No ORDER BY " + value + " DESC",
            "Classify_No",
            QStringLiteral("Trade_No) AS ") + r.table};
}

}  // namespace

MonthClose::MonthClose(const vb::Date& month)
    : month_(month.firstOfMonth()), monthEnd_(XX共通関数::GetMonthEndDate(month)) {}

int32_t MonthClose::Calculate() {
    rows_ = vb::VariantArray();
    const int32_t read = Read();
    if (read < 0) {
        return read;
    }
    if (masterCount_ < 1) {
        return NoProducts;
    }
    try {
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
    const QString between =
        MonthReads::DateText(month_) + " And " + MonthReads::DateText(monthEnd_);
    masterCount_ = MonthReads::Masters(access, masters_);
    if (masterCount_ < 0) {
        return masterCount_;
    }
    sumCount_ = AccessSelect(
        access,
        {"Classify_No", "Trade_No", "SumCost", "SumCosM", "SumSales", "SumMoney", "AvSelQ",
         "LastPrice"},
        {"(SELECT Classify_No", "Trade_No", "Sum(Cost_Quantity) AS SumCost",
         "Sum(Cost_Money) AS SumCosM", "Sum(Sales_Quantity) AS SumSales",
         "Sum(Sales_Money) AS SumMoney", "Avg(Sales_Quantity) AS AvSelQ",
         "Last(Unit_Price) AS LastPrice From Management_Tbl WHERE Input_Date Between " + between +
             " GROUP BY Classify_No",
         "Trade_No ORDER BY Classify_No", "Trade_No) AS ThisMonthDeta"},
        {}, {}, sums_);
    if (sumCount_ < 0) {
        return sumCount_;
    }
    stockCount_ = MonthReads::StoredStock(access, month_.addMonths(-1), stock_);
    if (stockCount_ < 0) {
        return stockCount_;
    }
    for (int i = 0; i < 6; ++i) {
        const Ranking& r = Rankings[i];
        QStringList fields = {"Classify_No"};
        if (r.products) {
            fields << "Trade_No";
        }
        fields << r.alias;
        rankingCounts_[i] =
            AccessSelect(access, fields, RankingFrom(r, between), {}, {}, rankings_[i]);
        if (rankingCounts_[i] < 0) {
            return rankingCounts_[i];
        }
    }
    return 0;
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
        std::vector<CloseRanks::Entry> entries;
        for (int row = 0; row < rankingCounts_[i]; ++row) {
            const vb::VariantArray& q = rankings_[i];
            entries.push_back({byProduct ? Key(q(row, 0), q(row, 1)) : Text(q(row, 0)),
                               Amount(q(row, byProduct ? 2 : 1))});
        }
        const std::vector<int> assigned =
            CloseRanks::Assign(entries, byProduct ? products : classes);
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
            cost = Amount(sums_(*s, 2));
            costMoney = Amount(sums_(*s, 3));
            sales = Amount(sums_(*s, 4));
            salesMoney = Amount(sums_(*s, 5));
            average = Amount(sums_(*s, 6));
            price = Amount(sums_(*s, 7));
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
