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
#include "screens/monthend/PeriodSums.h"

namespace {

// The value expression of each kind over FixDeta_tbl or Management_Tbl rows.
const QStringList Values = {"Sales_Quantity", "Sales_Money", "([Sales_Money]-[Cost_Money])"};

QString DayText(const vb::Date& date) {
    return vb::Format(date, "yyyy/mm/dd");
}

QString MonthRows(const vb::Date& from) {
    return "FixDate = " + MonthReads::DateText(from);
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
        if (closed) {
            result = LoadClassRankingClosed(access, from);
            if (result >= 0) {
                result = LoadProductRankingClosed(access, from);
            }
        } else {
            result = LoadOpen(access, from, to);
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

int32_t RankingTables::LoadOpen(AccessADOClass& access, const vb::Date& from, const vb::Date& to) {
    vb::VariantArray masters;
    const int32_t productCount = MonthReads::Masters(access, masters);
    if (productCount < 0) {
        return productCount;
    }
    CheckedCount(productCount);
    PeriodSums period;
    if (const int32_t read = period.Read(access, from, to, PeriodSums::Columns::Sales); read < 0) {
        return read;
    }
    // The classes with products, by number, and the products, from the masters read in
    // the order of class and product number.
    vb::VariantArray classList(productCount, 2);
    vb::VariantArray productList(productCount, 3);
    int32_t classCount = 0;
    for (int row = 0; row < productCount; ++row) {
        if (classCount == 0 ||
            MonthReads::Text(classList(classCount - 1, 0)) != MonthReads::Text(masters(row, 0))) {
            classList(classCount, 0) = masters(row, 0);
            classList(classCount, 1) = masters(row, 2);
            ++classCount;
        }
        productList(row, 0) = masters(row, 0);
        productList(row, 1) = masters(row, 1);
        productList(row, 2) = masters(row, 3);
    }
    PeriodSums::SalesSums sums;
    if (const int32_t failed = period.Sales(sums); failed < 0) {
        return failed;
    }
    Rankings classes;
    Rankings products;
    for (int kind : {Profit, Quantity, Amount}) {
        classes[kind].rows = RankingMerge::Merge(classList, classCount,
                                                 KindSums(sums.classes, sums.classCount, 1, kind),
                                                 sums.classCount, 1);
        classes[kind].count = static_cast<int16_t>(classCount);
        products[kind].rows = RankingMerge::Merge(
            productList, productCount, KindSums(sums.products, sums.productCount, 2, kind),
            sums.productCount, 2);
        products[kind].count = static_cast<int16_t>(productCount);
    }
    classes_ = classes;
    products_ = products;
    return 0;
}
