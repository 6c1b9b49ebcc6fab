#include "StockLists.h"

#include <QHash>
#include <vector>

#include "core/AccessADOClass.h"
#include "core/AccessSelect.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterDatabase.h"
#include "screens/monthend/InventoryList.h"
#include "screens/monthend/MonthReads.h"
#include "screens/monthend/PeriodSums.h"

using MonthReads::Amount;
using MonthReads::Key;

namespace {

enum class ListCode { None, Low, Zero };

struct StockRow {
    vb::Variant classifyNo;
    vb::Variant tradeNo;
    vb::Variant tradeName;
    vb::Currency stock;
    vb::Currency average;
    ListCode code = ListCode::None;
};

void FillNames(vb::VariantArray& list, int row, const StockRow& stock, const QString& tradeZeros) {
    list(row, StockLists::ClassifyNo) = vb::Format(stock.classifyNo, "000");
    list(row, StockLists::TradeNo) =
        tradeZeros.isEmpty() ? QString() : vb::Format(stock.tradeNo, tradeZeros);
    list(row, StockLists::TradeName) = MonthReads::Text(stock.tradeName);
}

}  // namespace

void StockLists::Clear() {
    low_ = zero_ = all_ = vb::VariantArray();
    lowCount_ = zeroCount_ = allCount_ = 0;
}

bool StockLists::Load(const QString& title) {
    Clear();
    int32_t result = 0;
    try {
        result = Read();
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

int32_t StockLists::Read() {
    const vb::Date closed = MainModule::LastCloseDate.firstOfMonth();
    const vb::Date start = closed.addMonths(1);

    AccessADOClass access;
    MasterDatabase::Configure(access);
    vb::VariantArray masters;
    const int32_t count = MonthReads::Masters(access, masters);
    if (count < 0) {
        return count;
    }
    PeriodSums sums;
    if (const int32_t read = sums.Read(access, start, vb::Today(), PeriodSums::Columns::Stock);
        read < 0) {
        return read;
    }
    vb::VariantArray stored;
    const int32_t storedCount = AccessSelect(
        access,
        {"FixDeta_tbl.Classify_No", "FixDeta_tbl.Trade_No", "FixDeta_tbl.Fix_Quantity",
         "FixDeta_tbl.Aver_Quantity"},
        {"FixDeta_tbl"}, {"FixDeta_tbl.FixDate = " + MonthReads::DateText(closed)}, {}, stored);
    if (storedCount < 0) {
        return storedCount;
    }
    if (count > INT16_MAX) {
        throw vb::RuntimeError(vb::errOverflow);
    }

    // Sums and stored rows are met by product key, whatever their order and whatever
    // rows of products the masters no longer list they hold.
    const QHash<QString, int> storedRows = MonthReads::RowsByKey(stored, storedCount);
    std::vector<StockRow> rows(count);
    int lowCount = 0;
    int zeroCount = 0;
    for (int row = 0; row < count; ++row) {
        StockRow& stock = rows[row];
        stock.classifyNo = masters(row, 0);
        stock.tradeNo = masters(row, 1);
        stock.tradeName = masters(row, 3);
        const QString key = Key(stock.classifyNo, stock.tradeNo);
        if (const auto s = storedRows.constFind(key); s != storedRows.constEnd()) {
            stock.stock = Amount(stored(*s, 2));
            stock.average = Amount(stored(*s, 3));
        }
        if (const PeriodSums::Product* m = sums.Find(key)) {
            stock.stock += Amount(m->bought.value()) - Amount(m->sold.value());
        }
        if (stock.stock == vb::Currency()) {
            stock.code = ListCode::Zero;
            ++zeroCount;
        } else if (stock.stock < stock.average * 3) {
            stock.code = ListCode::Low;
            ++lowCount;
        }
    }

    const QString quantity = InventoryList::QuantityFormat();
    const bool whole = quantity == QStringLiteral("###,###,##0");
    const QString tradeZeros = InventoryList::TradeNumberFormat();
    low_ = vb::VariantArray(lowCount, 5);
    zero_ = vb::VariantArray(zeroCount, 5);
    all_ = vb::VariantArray(count, 4);
    int low = 0;
    int zero = 0;
    for (int row = 0; row < count; ++row) {
        const StockRow& stock = rows[row];
        FillNames(all_, row, stock, tradeZeros);
        all_(row, Average) = vb::Format(stock.average, quantity);
        if (stock.code == ListCode::Low) {
            FillNames(low_, low, stock, tradeZeros);
            // The low-stock list rounds a whole-number average up from the half.
            low_(low, Average) = vb::Format(
                whole ? stock.average + vb::Currency::fromRaw(5000) : stock.average, quantity);
            low_(low, Stock) = vb::Format(stock.stock, quantity);
            ++low;
        } else if (stock.code == ListCode::Zero) {
            FillNames(zero_, zero, stock, tradeZeros);
            zero_(zero, Average) = vb::Format(stock.average, quantity);
            zero_(zero, Stock) = vb::Format(stock.stock, quantity);
            ++zero;
        }
    }
    lowCount_ = static_cast<int16_t>(lowCount);
    zeroCount_ = static_cast<int16_t>(zeroCount);
    allCount_ = static_cast<int16_t>(count);
    return count;
}
