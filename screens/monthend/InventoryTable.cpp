#include "InventoryTable.h"

#include <QHash>

#include "MonthReads.h"
#include "PeriodSums.h"
#include "core/AccessADOClass.h"
#include "core/AccessSelect.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterDatabase.h"

using MonthReads::Amount;
using MonthReads::Key;

namespace {

QString DayText(const vb::Date& date) {
    return vb::Format(date, "yyyy/mm/dd");
}

}  // namespace

vb::Currency InventoryTable::StockValue(const vb::Currency& quantity, const vb::Currency& price) {
    const vb::Currency value = (quantity.abs() * price).roundHalfAwayFromZero(0);
    return quantity < vb::Currency() ? -value : value;
}

bool InventoryTable::Load(const vb::Date& month, const QString& title) {
    rows_ = vb::VariantArray();
    rowCount_ = 0;
    total_ = vb::Currency();
    const bool closed = MainModule::HasCloseDate &&
                        DayText(month.firstOfMonth()) <= DayText(MainModule::LastCloseDate);
    int32_t result = 0;
    try {
        result = closed ? LoadClosed(month.firstOfMonth()) : LoadOpen(month.firstOfMonth());
        if (result >= 0) {
            Finish();
            return true;
        }
    } catch (const vb::RuntimeError&) {
        result = XX共通関数::ReadFailed;
    }
    rows_ = vb::VariantArray();
    rowCount_ = 0;
    total_ = vb::Currency();
    if (result == XX共通関数::BeforeInitialData) {
        XX共通関数::ShowErrorMessage(XX共通関数::BeforeInitialData, title, 0);
    } else if (result < 0) {
        MasterDatabase::ShowFailure(result, XX共通関数::ReadFailed, title);
    }
    return false;
}

int32_t InventoryTable::LoadClosed(const vb::Date& month) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    vb::VariantArray stored;
    const int32_t count =
        AccessSelect(access,
                     {"FixDeta_tbl.Classify_No", "FixDeta_tbl.Trade_No", "FixDeta_tbl.Trade_Name",
                      "FixDeta_tbl.Cost_Quantity", "FixDeta_tbl.Sales_Quantity",
                      "FixDeta_tbl.Fix_Quantity", "FixDeta_tbl.Unit_Price"},
                     {"FixDeta_tbl"}, {"FixDeta_tbl.FixDate = " + MonthReads::DateText(month)},
                     {"FixDeta_tbl.Classify_No", "FixDeta_tbl.Trade_No"}, stored);
    if (count < 0) {
        return count;
    }
    if (count == 0) {
        return XX共通関数::BeforeInitialData;
    }
    vb::VariantArray previous;
    const int32_t previousCount = MonthReads::StoredStock(access, month.addMonths(-1), previous);
    if (previousCount < 0) {
        return previousCount;
    }
    const QHash<QString, int> opening = MonthReads::RowsByKey(previous, previousCount);
    rowCount_ = count;
    rows_ = vb::VariantArray(count, 9);
    for (int row = 0; row < count; ++row) {
        rows_(row, ClassifyNo) = vb::Format(stored(row, 0), "000");
        rows_(row, TradeNo) = stored(row, 1);
        rows_(row, TradeName) = MonthReads::Text(stored(row, 2));
        const auto found = opening.constFind(Key(stored(row, 0), stored(row, 1)));
        rows_(row, Opening) =
            found != opening.constEnd() ? Amount(previous(*found, 2)) : vb::Currency();
        rows_(row, Purchases) = Amount(stored(row, 3));
        rows_(row, Sales) = Amount(stored(row, 4));
        rows_(row, Closing) = Amount(stored(row, 5));
        rows_(row, UnitPrice) = Amount(stored(row, 6));
    }
    return count;
}

int32_t InventoryTable::LoadOpen(const vb::Date& month) {
    const vb::Date previousMonth = month.addMonths(-1);
    const bool gap =
        MainModule::HasCloseDate && DayText(MainModule::LastCloseDate) < DayText(previousMonth);
    const vb::Date base = gap ? MainModule::LastCloseDate.firstOfMonth() : previousMonth;

    AccessADOClass access;
    MasterDatabase::Configure(access);
    vb::VariantArray masters;
    const int32_t count = MonthReads::Masters(access, masters);
    if (count < 0) {
        return count;
    }
    PeriodSums sums;
    if (const int32_t read = sums.Read(access, month, XX共通関数::GetMonthEndDate(month),
                                       PeriodSums::Columns::Stock);
        read < 0) {
        return read;
    }
    PeriodSums between;
    if (gap) {
        if (const int32_t read = between.Read(access, base.addMonths(1), month.addDays(-1),
                                              PeriodSums::Columns::Stock);
            read < 0) {
            return read;
        }
    }
    vb::VariantArray stock;
    const int32_t stockCount = MonthReads::StoredStock(access, base, stock);
    if (stockCount < 0) {
        return stockCount;
    }

    const QHash<QString, int> stockRows = MonthReads::RowsByKey(stock, stockCount);
    rowCount_ = count;
    rows_ = vb::VariantArray(count, 9);
    for (int row = 0; row < count; ++row) {
        const QString key = Key(masters(row, 0), masters(row, 1));
        vb::Currency opening, purchases, sales;
        vb::Currency price = Amount(masters(row, 4));
        if (const PeriodSums::Product* s = sums.Find(key)) {
            purchases = Amount(s->bought.value());
            sales = Amount(s->sold.value());
            price = Amount(s->lastPrice);
        }
        if (const auto f = stockRows.constFind(key); f != stockRows.constEnd()) {
            opening = Amount(stock(*f, 2));
        }
        if (const PeriodSums::Product* u = between.Find(key)) {
            opening += Amount(u->bought.value()) - Amount(u->sold.value());
        }
        rows_(row, ClassifyNo) = masters(row, 0);
        rows_(row, TradeNo) = masters(row, 1);
        rows_(row, TradeName) = MonthReads::Text(masters(row, 3));
        rows_(row, Opening) = opening;
        rows_(row, Purchases) = purchases;
        rows_(row, Sales) = sales;
        rows_(row, Closing) = opening + purchases - sales;
        rows_(row, UnitPrice) = price;
    }
    return count;
}

void InventoryTable::Finish() {
    for (int row = 0; row < rowCount_; ++row) {
        const vb::Currency value =
            StockValue(rows_(row, Closing).toCurrency(), rows_(row, UnitPrice).toCurrency());
        rows_(row, Value) = vb::Format(value, "###,###,##0");
        total_ += value;
    }
}
