#include <QHash>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "DetaCheckSet.h"
#include "MigrationSelect.h"
#include "core/SqlValueText.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Variant.h"
#include "screens/monthend/CloseRanks.h"

namespace DetaCheck_Set {

namespace {

using Rows = vb::VariantArray;
using MonthIndex = std::vector<int>;  // the rows of one month, in table order

QString dateText(const vb::Date& date) {
    return SqlValueText::DateValue(date);
}

QString classKey(const Rows& rows, int row) {
    return rows(row, ClassifyNo).toString();
}

QString tradeKey(const vb::Variant& classifyNo, const vb::Variant& tradeNo) {
    return classifyNo.toString() + u'\t' + tradeNo.toString();
}

QString tradeKey(const Rows& rows, int row) {
    return tradeKey(rows(row, ClassifyNo), rows(row, TradeNo));
}

using KeyOf = QString (*)(const Rows&, int);

// A sum of a ranking; a sum over empty (Null) amounts counts as 0.
vb::Currency rankValue(const vb::Variant& value) {
    return value.isNumeric() ? value.toCurrency() : vb::Currency();
}

void setAll(Rows& rows, const MonthIndex& month, int column, const vb::Variant& value) {
    for (int row : month) {
        rows(row, column) = value;
    }
}

// Each row takes the rank of its key; a row without a rank keeps its value.
void applyRanks(Rows& rows, const MonthIndex& month, int column, KeyOf keyOf,
                const QHash<QString, int>& ranks) {
    for (int row : month) {
        const auto found = ranks.constFind(keyOf(rows, row));
        if (found != ranks.constEnd()) {
            rows(row, column) = vb::Variant(static_cast<int32_t>(*found));
        }
    }
}

int32_t fillMonthPrices(const QString& dbName, const QString& dbPath, Rows& rows,
                        const MonthIndex& month, const vb::Date& first, const vb::Date& last) {
    Rows prices;
    const int32_t count = MigrationSelect{
        {"Classify_No", "Trade_No", "LastPrice", "CostMo"},
        {"(SELECT Classify_No , Trade_No , Last(Unit_Price) AS LastPrice , "
         "Sum([Cost_Quantity]*[Unit_Price]) AS CostMo From Management_Tbl "
         "WHERE Input_Date Between " +
         dateText(first) + " And " + dateText(last) +
         " GROUP BY Classify_No , Trade_No) AS CostQuPraiceDeta"},
        {},
        {}}.Run(dbName, dbPath, DBPassword, prices);
    // A month without daily rows (the first month, or one whose days were deleted) keeps
    // its stored prices, as a row without daily rows in a month that has some does.
    if (count <= 0) {
        return count;
    }
    QHash<QString, int> byKey;
    for (int r = count - 1; r >= 0; --r) {
        byKey.insert(tradeKey(prices(r, 0), prices(r, 1)), r);
    }
    for (int row : month) {
        const auto found = byKey.constFind(tradeKey(rows, row));
        if (found != byKey.constEnd()) {
            rows(row, UnitPrice) = prices(*found, 2);
            rows(row, CostMoney) = prices(*found, 3);
        }
    }
    return count;
}

// Profit ranks over the master keys, by the rules of the month-end close, except that
// when no profit row belongs to a master key every key is in the zero group (rank 0).
int32_t rankProfit(const QString& dbName, const QString& dbPath, Rows& rows,
                   const MonthIndex& month, const vb::Date& first, const vb::Date& last,
                   bool byTrade) {
    const int column = byTrade ? TradeRankRi : ClasRankRi;
    Rows masters;
    const int32_t masterCount =
        byTrade ? MigrationSelect{{"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No"},
                                  {"ClassifyMast_tbl", "TradeMast_tbl"},
                                  {"ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No"},
                                  {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No"}}
                      .Run(dbName, dbPath, DBPassword, masters)
                : MigrationSelect{{"Classify_No"}, {"ClassifyMast_tbl"}, {}, {}}.Run(
                      dbName, dbPath, DBPassword, masters);
    if (masterCount < 0) {
        return masterCount;
    }
    const QString keyColumns = byTrade ? "Classify_No , Trade_No" : "Classify_No";
    const QString profit = "Sum([Sales_Money]-([Cost_Quantity] * [Unit_Price]))";
    Rows profits;
    const int32_t count = MigrationSelect{
        byTrade ? QStringList{"Classify_No", "Trade_No", "RiekM"}
                : QStringList{"Classify_No", "RiekM"},
        {"(SELECT " + keyColumns + " , " + profit +
         " AS RiekM From Management_Tbl WHERE Input_Date Between " + dateText(first) + " And " +
         dateText(last) + " GROUP BY " + keyColumns + " ORDER BY " + profit + " DESC , " +
         keyColumns + ") AS " + (byTrade ? "TraRiekiDeta" : "ClaRiekiDeta")},
        {},
        {}}.Run(dbName, dbPath, DBPassword, profits);
    if (count < 0) {
        return count;
    }
    if (count == 0) {
        setAll(rows, month, column, vb::Variant(int32_t{1}));
        return 0;
    }
    QStringList keys;
    for (int r = 0; r < masterCount; ++r) {
        keys << (byTrade ? tradeKey(masters(r, 0), masters(r, 1)) : masters(r, 0).toString());
    }
    std::vector<CloseRanks::Entry> entries;
    const int valueColumn = byTrade ? 2 : 1;
    for (int r = 0; r < count; ++r) {
        entries.push_back(
            {byTrade ? tradeKey(profits(r, 0), profits(r, 1)) : profits(r, 0).toString(),
             rankValue(profits(r, valueColumn))});
    }
    const std::vector<int> assigned = CloseRanks::Assign(entries, keys);
    const bool anyMatched = std::any_of(entries.begin(), entries.end(), [&keys](const auto& entry) {
        return keys.contains(entry.key);
    });
    QHash<QString, int> ranks;
    for (int i = 0; i < keys.size(); ++i) {
        ranks.insert(keys[i], anyMatched ? assigned[static_cast<size_t>(i)] : 0);
    }
    applyRanks(rows, month, column, byTrade ? KeyOf(tradeKey) : KeyOf(classKey), ranks);
    return count;
}

// Dense ranks in query order over the sums of the month's stored rows.
int32_t rankSums(const QString& dbName, const QString& dbPath, Rows& rows, const MonthIndex& month,
                 const vb::Date& first, int column) {
    const QString where = "FixDate = " + dateText(first);
    MigrationSelect select;
    const bool byTrade = column == TradeRankMo || column == TradeRankQu;
    if (byTrade) {
        const QString value = column == TradeRankMo ? "Sales_Money" : "Sales_Quantity";
        select = {{"Classify_No", "Trade_No", value},
                  {"FixDeta_tbl"},
                  {where},
                  {value + " DESC", "Classify_No", "Trade_No"}};
    } else {
        const QString sum = column == ClasRankMo ? "Sum(Sales_Money)" : "sum(Sales_Quantity)";
        const QString alias = column == ClasRankMo ? "SMoney" : "Quant";
        select = {{"Classify_No", alias},
                  {"(SELECT Classify_No , " + sum + " as " + alias + " From FixDeta_tbl WHERE " +
                   where + " GROUP BY Classify_No ORDER BY " + sum + " DESC , Classify_No) AS " +
                   (column == ClasRankMo ? "ClaMoDeta" : "ClaQuDeta")},
                  {},
                  {}};
    }
    Rows sums;
    const int32_t count = select.Run(dbName, dbPath, DBPassword, sums);
    if (count < 0) {
        return count;
    }
    if (count == 0) {
        setAll(rows, month, column, vb::Variant(int32_t{1}));
        return 0;
    }
    const int valueColumn = byTrade ? 2 : 1;
    std::vector<std::pair<QString, vb::Currency>> entries;
    for (int r = 0; r < count; ++r) {
        entries.emplace_back(byTrade ? tradeKey(sums(r, 0), sums(r, 1)) : sums(r, 0).toString(),
                             rankValue(sums(r, valueColumn)));
    }
    // A Null sum comes after the losses in the query's order; as a sum of 0 it belongs
    // with the zeros.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    QHash<QString, int> ranks;
    int rank = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || entries[i].second != entries[i - 1].second) {
            ++rank;
        }
        if (!ranks.contains(entries[i].first)) {
            ranks.insert(entries[i].first, rank);
        }
    }
    applyRanks(rows, month, column, byTrade ? KeyOf(tradeKey) : KeyOf(classKey), ranks);
    return count;
}

int32_t rebuildMonth(const QString& dbName, const QString& dbPath, Rows& rows,
                     const MonthIndex& month, const vb::Date& first) {
    const vb::Date last = first.lastOfMonth();
    int32_t result = fillMonthPrices(dbName, dbPath, rows, month, first, last);
    if (result >= 0) {
        result = rankProfit(dbName, dbPath, rows, month, first, last, false);
    }
    for (int column : {ClasRankQu, ClasRankMo}) {
        if (result >= 0) {
            result = rankSums(dbName, dbPath, rows, month, first, column);
        }
    }
    if (result >= 0) {
        result = rankProfit(dbName, dbPath, rows, month, first, last, true);
    }
    for (int column : {TradeRankQu, TradeRankMo}) {
        if (result >= 0) {
            result = rankSums(dbName, dbPath, rows, month, first, column);
        }
    }
    return result;
}

QString nameValue(const vb::Variant& value) {
    return value.isNull() ? SqlValueText::Value(value) : SqlValueText::Text(value.toString());
}

QString amountValue(const vb::Variant& value) {
    return value.isNull() || value.isEmpty() ? SqlValueText::Value(vb::Variant(vb::NullValue{}))
                                             : SqlValueText::Number(value.toCurrency());
}

}  // namespace

int32_t LoadMonthRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows) {
    const int32_t count = MigrationSelect{
        {"FixDate", "Classify_No", "Trade_No", "Classify_Name", "Trade_Name", "Unit_Price",
         "Cost_Quantity", "Cost_Money", "Ｓale_Price", "Sales_Quantity", "Sales_Money",
         "Fix_Quantity", "Aver_Quantity", "ClasRankRi", "ClasRankMo", "ClasRankQu", "TradeRankRi",
         "TradeRankMo", "TradeRankQu"},
        {"FixDeta_tbl"},
        {},
        {"FixDate", "Classify_No",
         "Trade_No"}}.Run(dbName, dbPath, DBPassword, rows);
    for (int r = 0; r < count; ++r) {
        const vb::Variant& sold = rows(r, SalesQuantity);
        const double average = sold.isNumeric() ? sold.toDouble() / 30 : 0.0;
        rows(r, AverQuantity) =
            vb::Variant(vb::Format(vb::Variant(average), "#########0.00")).toCurrency();
    }
    return count;
}

int32_t RebuildMonthRows(const QString& dbName, const QString& dbPath, const vb::Date& latestDate,
                         const vb::Date& earliestDate, vb::VariantArray& outRows,
                         const Progress& progress) {
    Rows rows;
    const int32_t count = LoadMonthRows(dbName, dbPath, rows);
    if (count <= 0) {
        return count;
    }
    std::map<int64_t, MonthIndex> months;
    for (int r = 0; r < count; ++r) {
        months[rows(r, FixDate).toDate().firstOfMonth().dayNumber()].push_back(r);
    }
    const vb::Date firstMonth = earliestDate.firstOfMonth();
    const vb::Date lastMonth = latestDate.firstOfMonth();
    const int monthSpan =
        (lastMonth.year() - firstMonth.year()) * 12 + lastMonth.month() - firstMonth.month();
    const int step = monthSpan / 3;
    vb::Date current = firstMonth;
    for (int i = 1; i <= monthSpan + 1; ++i) {
        const auto found = months.find(current.dayNumber());
        if (found != months.end()) {
            const int32_t result = rebuildMonth(dbName, dbPath, rows, found->second, current);
            if (result < 0) {
                return result;
            }
        }
        current = current.addMonths(1);
        // The walk moves the gauge from 5 up to 8 at most; 9 follows the rebuild.
        if (step > 0 && (i + 1) % step == 0 && progress) {
            progress(static_cast<int16_t>(std::min(i / step + 5, 8)));
        }
    }
    if (step == 0 && progress) {
        progress(8);
    }
    vb::VariantArray out(count, MonthColumns);
    for (int r = 0; r < count; ++r) {
        out(r, FixDate) = SqlValueText::DateValue(rows(r, FixDate).toDate());
        out(r, ClassifyNo) = SqlValueText::Text(ClassifyNoText(rows(r, ClassifyNo).toString()));
        out(r, TradeNo) = SqlValueText::Text(TradeNoText(rows(r, TradeNo).toString(), TradeFigure));
        out(r, ClassifyName) = nameValue(rows(r, ClassifyName));
        out(r, TradeName) = nameValue(rows(r, TradeName));
        for (int c = UnitPrice; c < MonthColumns; ++c) {
            out(r, c) = amountValue(rows(r, c));
        }
    }
    outRows = out;
    return count;
}

}  // namespace DetaCheck_Set
