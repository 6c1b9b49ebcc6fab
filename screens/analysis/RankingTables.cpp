#include "RankingTables.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "RankingMerge.h"
#include "core/AccessADOClass.h"
#include "core/AccessSelect.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/monthend/MonthReads.h"

namespace {

// The value expression of each kind over FixDeta_tbl or Management_Tbl rows.
const QStringList Values = {"Sales_Quantity", "Sales_Money", "([Sales_Money]-[Cost_Money])"};

QString DayText(const vb::Date& date) {
    return vb::Format(date, "yyyy/mm/dd");
}

QString MonthRows(const vb::Date& from) {
    return "FixDate = " + MonthReads::DateText(from);
}

QString PeriodRows(const vb::Date& from, const vb::Date& to) {
    return "Input_Date Between " + MonthReads::DateText(from) + " And " + MonthReads::DateText(to);
}

// The rows with their position as rank in front, the last column as an amount.
RankingTables::Ranking Ranked(const vb::VariantArray& rows, int32_t count, int cols) {
    RankingTables::Ranking ranking;
    ranking.count = static_cast<int16_t>(count);
    ranking.rows = vb::VariantArray(count, cols + 1);
    for (int row = 0; row < count; ++row) {
        ranking.rows(row, 0) = static_cast<int16_t>(row + 1);
        for (int col = 0; col < cols; ++col) {
            ranking.rows(row, col + 1) =
                col == cols - 1 ? vb::Variant(MonthReads::Amount(rows(row, col))) : rows(row, col);
        }
    }
    return ranking;
}

// The period's sums of the three kinds per class (keyColumns 1) or per product (2), in
// the order of the keys: key columns, then one column per kind.
int32_t PeriodSums(AccessADOClass& access, const vb::Date& from, const vb::Date& to, int keyColumns,
                   vb::VariantArray& sums) {
    const QStringList keys = QStringList{"Classify_No", "Trade_No"}.mid(0, keyColumns);
    const QStringList names = {"SumQuantity", "SumMoney", "SumProfit"};
    QStringList items = keys;
    for (int kind : {RankingTables::Quantity, RankingTables::Amount, RankingTables::Profit}) {
        items << "Sum(" + Values[kind] + ") AS " + names[kind];
    }
    return AccessSelect(access, keys + names,
                        {"(SELECT " + items.join(", ") + " FROM Management_Tbl WHERE " +
                         PeriodRows(from, to) + " GROUP BY " + keys.join(", ") + ") AS PeriodDeta"},
                        {}, keys, sums);
}

// The sums of one kind as a ranking orders them: key columns and value, value
// descending, a Null sum after every value, equal values by key.
vb::VariantArray KindSums(const vb::VariantArray& sums, int32_t count, int keyColumns, int kind) {
    const int column = keyColumns + kind;
    std::vector<std::optional<vb::Currency>> values;
    std::vector<int> order;
    for (int row = 0; row < count; ++row) {
        const vb::Variant& value = sums(row, column);
        values.push_back(value.isNull() || value.isEmpty()
                             ? std::nullopt
                             : std::optional<vb::Currency>(MonthReads::Amount(value)));
        order.push_back(row);
    }
    std::stable_sort(order.begin(), order.end(), [&values](int a, int b) {
        return values[a] && (!values[b] || *values[b] < *values[a]);
    });
    vb::VariantArray sorted(count, keyColumns + 1);
    for (int row = 0; row < count; ++row) {
        for (int col = 0; col < keyColumns; ++col) {
            sorted(row, col) = sums(order[row], col);
        }
        sorted(row, keyColumns) = sums(order[row], column);
    }
    return sorted;
}

int32_t CheckedCount(int32_t count) {
    if (count > INT16_MAX) {
        throw vb::RuntimeError(vb::errOverflow);
    }
    return count;
}

}  // namespace

void RankingTables::Clear() {
    classes_ = Rankings();
    products_ = Rankings();
}

bool RankingTables::Load(const vb::Date& from, const vb::Date& to, const QString& title) {
    Clear();
    const bool closed =
        MainModule::HasCloseDate && DayText(from) <= DayText(MainModule::LastCloseDate);
    int32_t result = 0;
    try {
        AccessADOClass access;
        MasterDatabase::Configure(access);
        result =
            closed ? LoadClassRankingClosed(access, from) : LoadClassRankingOpen(access, from, to);
        if (result >= 0) {
            result = closed ? LoadProductRankingClosed(access, from)
                            : LoadProductRankingOpen(access, from, to);
        }
        if (result >= 0) {
            return true;
        }
    } catch (const vb::RuntimeError&) {
        result = 0;
    }
    Clear();
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::ReadFailed, title);
    }
    return false;
}

// The loaders fill their three rankings together or leave them empty; they return the
// first failed read's result, else 0.
int32_t RankingTables::LoadClassRankingClosed(AccessADOClass& access, const vb::Date& from) {
    Rankings loaded;
    for (int kind : {Profit, Quantity, Amount}) {
        vb::VariantArray rows;
        const int32_t count =
            AccessSelect(access, {"Classify_No", "Classify_Name", "RankValue"},
                         {"(SELECT Classify_No, Classify_Name, Sum(" + Values[kind] +
                          ") AS RankValue FROM FixDeta_tbl WHERE " + MonthRows(from) +
                          " GROUP BY Classify_No, Classify_Name) AS ClassDeta"},
                         {}, {"RankValue DESC", "Classify_No"}, rows);
        if (count < 0) {
            return count;
        }
        loaded[kind] = Ranked(rows, CheckedCount(count), 3);
    }
    classes_ = loaded;
    return 0;
}

int32_t RankingTables::LoadProductRankingClosed(AccessADOClass& access, const vb::Date& from) {
    Rankings loaded;
    for (int kind : {Profit, Quantity, Amount}) {
        vb::VariantArray rows;
        const int32_t count = AccessSelect(
            access, {"Classify_No", "Trade_No", "Trade_Name", Values[kind] + " AS RankValue"},
            {"FixDeta_tbl"}, {MonthRows(from)}, {Values[kind] + " DESC", "Classify_No", "Trade_No"},
            rows);
        if (count < 0) {
            return count;
        }
        loaded[kind] = Ranked(rows, CheckedCount(count), 4);
    }
    products_ = loaded;
    return 0;
}

int32_t RankingTables::LoadClassRankingOpen(AccessADOClass& access, const vb::Date& from,
                                            const vb::Date& to) {
    vb::VariantArray list;
    const int32_t listCount = AccessSelect(
        access, {"CNo", "CName"},
        {"(SELECT ClassifyMast_tbl.Classify_No As CNo, ClassifyMast_tbl.Classify_Name As CName"
         " FROM ClassifyMast_tbl,TradeMast_tbl"
         " WHERE ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No"
         " GROUP BY ClassifyMast_tbl.Classify_No,ClassifyMast_tbl.Classify_Name) AS ClassList"},
        {}, {"CNo"}, list);
    if (listCount < 0) {
        return listCount;
    }
    CheckedCount(listCount);
    vb::VariantArray sums;
    const int32_t count = PeriodSums(access, from, to, 1, sums);
    if (count < 0) {
        return count;
    }
    Rankings loaded;
    for (int kind : {Profit, Quantity, Amount}) {
        loaded[kind].rows =
            RankingMerge::Merge(list, listCount, KindSums(sums, count, 1, kind), count, 1);
        loaded[kind].count = static_cast<int16_t>(listCount);
    }
    classes_ = loaded;
    return 0;
}

int32_t RankingTables::LoadProductRankingOpen(AccessADOClass& access, const vb::Date& from,
                                              const vb::Date& to) {
    vb::VariantArray list;
    const int32_t listCount = AccessSelect(
        access, {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No", "TradeMast_tbl.Trade_Name"},
        {"ClassifyMast_tbl", "TradeMast_tbl"},
        {"ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No"},
        {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No"}, list);
    if (listCount < 0) {
        return listCount;
    }
    CheckedCount(listCount);
    vb::VariantArray sums;
    const int32_t count = PeriodSums(access, from, to, 2, sums);
    if (count < 0) {
        return count;
    }
    Rankings loaded;
    for (int kind : {Profit, Quantity, Amount}) {
        loaded[kind].rows =
            RankingMerge::Merge(list, listCount, KindSums(sums, count, 2, kind), count, 2);
        loaded[kind].count = static_cast<int16_t>(listCount);
    }
    products_ = loaded;
    return 0;
}
