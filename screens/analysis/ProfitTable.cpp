#include "ProfitTable.h"

#include <QHash>
#include <array>

#include "core/AccessADOClass.h"
#include "core/AccessSelect.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/monthend/MonthReads.h"
#include "screens/monthend/PeriodSums.h"
#include "screens/records/RecordFormats.h"

namespace {

constexpr int Sums = 5;

QString FormatSum(const vb::Currency& value, int col) {
    const QString pattern = ProfitTable::ColumnFormat(col);
    return pattern.isEmpty() ? QString() : vb::Format(value, pattern);
}

}  // namespace

QString ProfitTable::ColumnFormat(int col) {
    if (MainModule::SumDecimal > 3) {
        return QString();
    }
    return col == 2 || col == 4 ? RecordFormats::Quantity() : RecordFormats::Amount();
}

bool ProfitTable::Load(const vb::Date& day, const QString& title) {
    values_ = totals_ = texts_ = vb::VariantArray();
    classCount_ = 0;
    daySumRows_ = 0;
    int32_t result = 0;
    try {
        result = Read(day.dateOnly());
        if (result >= 0) {
            return true;
        }
    } catch (const vb::RuntimeError&) {
        result = 0;
    }
    classCount_ = 0;
    daySumRows_ = -1;
    if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::ReadFailed, title);
    }
    return false;
}

int32_t ProfitTable::Read(const vb::Date& day) {
    const vb::Date closedEnd = XX共通関数::GetMonthEndDate(MainModule::LastCloseDate).dateOnly();
    const QString classes =
        closedEnd <= day
            ? QStringLiteral(
                  "(SELECT ClassifyMast_tbl.Classify_No As CNo, ClassifyMast_tbl.Classify_Name "
                  "As CName FROM ClassifyMast_tbl,TradeMast_tbl"
                  " WHERE ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No"
                  " GROUP BY ClassifyMast_tbl.Classify_No,ClassifyMast_tbl.Classify_Name)"
                  " AS ClassList")
            : "(SELECT Classify_No As CNo, Classify_Name As CName FROM FixDeta_tbl WHERE FixDate "
              "= " +
                  MonthReads::DateText(day.firstOfMonth()) +
                  " GROUP BY Classify_No, Classify_Name) AS ClassList";

    AccessADOClass access;
    MasterDatabase::Configure(access);
    vb::VariantArray list;
    const int32_t count = AccessSelect(access, {"CNo", "CName"}, {classes}, {}, {"CNo"}, list);
    if (count < 0) {
        return count;
    }
    classCount_ = count;
    vb::VariantArray sums;
    const int32_t sumCount = AccessSelect(
        access, {"Classify_No", "CostQu", "CostMo", "SalesQu", "SalesMo", "rieki"},
        {"(SELECT Classify_No, Sum(Cost_Quantity) AS CostQu, Sum(Cost_Money) AS CostMo,"
         " Sum(Sales_Quantity) AS SalesQu, Sum(Sales_Money) AS SalesMo,"
         " Sum([Sales_Money] - [Cost_Money]) AS rieki FROM Management_Tbl WHERE Input_Date = " +
         MonthReads::DateText(day) + " GROUP BY Classify_No) AS UQuery"},
        {}, {"Classify_No"}, sums);
    if (sumCount < 0) {
        return sumCount;
    }
    if (sumCount > INT16_MAX || count > INT16_MAX) {
        throw vb::RuntimeError(vb::errOverflow);
    }
    daySumRows_ = static_cast<int16_t>(sumCount);
    if (count == 0) {
        return 0;
    }

    // The day's sums are met by class number; sums of a class the list lacks stay out
    // of the table and its totals.
    QHash<QString, int> sumRows;
    for (int row = 0; row < sumCount; ++row) {
        sumRows.insert(MonthReads::Text(sums(row, 0)), row);
    }
    values_ = vb::VariantArray(count, 2 + Sums);
    texts_ = vb::VariantArray(count + 1, 2 + Sums);
    totals_ = vb::VariantArray(1, 1 + Sums);
    totals_(0, 0) = QStringLiteral("合　計");
    // The totals are added exactly: only a total out of range fails the day, as a sum out
    // of range fails its read.
    std::array<PeriodSums::Sum, Sums> totals{};
    for (int row = 0; row < count; ++row) {
        const QString number = vb::Format(list(row, 0), "000");
        const auto found = sumRows.constFind(MonthReads::Text(list(row, 0)));
        values_(row, 0) = texts_(row, 0) = number;
        values_(row, 1) = texts_(row, 1) = MonthReads::Text(list(row, 1));
        for (int k = 0; k < Sums; ++k) {
            const vb::Currency sum = found != sumRows.constEnd()
                                         ? MonthReads::Amount(sums(*found, k + 1))
                                         : vb::Currency();
            values_(row, k + 2) = sum;
            texts_(row, k + 2) = FormatSum(sum, k + 2);
            totals[k].add(sum.raw());
        }
    }
    for (const PeriodSums::Sum& total : totals) {
        if (const int32_t number = total.failure(); number != 0) {
            return -number;
        }
    }
    texts_(count, 0) = QStringLiteral(" ");
    texts_(count, 1) = totals_(0, 0);
    for (int k = 0; k < Sums; ++k) {
        const vb::Currency total = MonthReads::Amount(totals[k].value());
        totals_(0, k + 1) = total;
        texts_(count, k + 2) = FormatSum(total, k + 2);
    }
    return count;
}
