#include "DayRegistration.h"

#include <array>
#include <optional>

#include "DayAmounts.h"
#include "core/SqlValueText.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterCells.h"

namespace DayRegistration {

const char* const Fields[8] = {"Input_Date", "Classify_No", "Trade_No",       "Cost_Quantity",
                               "Unit_Price", "Cost_Money",  "Sales_Quantity", "Sales_Money"};

namespace {

using vb::Currency;

// The three cells as numbers; nothing when one is not a number.
std::optional<std::array<Currency, 3>> Numbers(const DayCells& cells) {
    const auto purchase = DayAmounts::CellNumber(cells.purchaseQuantity);
    const auto sales = DayAmounts::CellNumber(cells.salesQuantity);
    const auto money = DayAmounts::CellNumber(cells.salesMoney);
    if (!purchase || !sales || !money) {
        return std::nullopt;
    }
    return std::array<Currency, 3>{*purchase, *sales, *money};
}

// Purchase quantity, sales quantity and sales amount as loaded.
std::array<Currency, 3> Loaded(const vb::VariantArray& dayRows, int row) {
    return {DayAmounts::StoredNumber(dayRows.at(row, 2)),
            DayAmounts::StoredNumber(dayRows.at(row, 5)),
            DayAmounts::StoredNumber(dayRows.at(row, 6))};
}

bool IsZero(const std::array<Currency, 3>& numbers) {
    return numbers == std::array<Currency, 3>{};
}

struct Row {
    std::array<vb::Variant, 8> values;
};

Row Written(const QString& day, const vb::Variant& classNo, const vb::Variant& tradeNo,
            const std::array<vb::Variant, 5>& numbers) {
    return {{day, SqlValueText::Text(MasterCells::Text(classNo)),
             SqlValueText::Text(MasterCells::Text(tradeNo)), numbers[0], numbers[1], numbers[2],
             numbers[3], numbers[4]}};
}

}  // namespace

DayWrite Build(const std::vector<DayCells>& cells, const vb::VariantArray& dayRows,
               const vb::VariantArray& orphans, const vb::Date& day, int sumDecimal) {
    DayWrite write;
    const QString dayText = SqlValueText::DateValue(day);
    std::vector<Row> selected;
    int zeroRows = 0;
    for (int row = 0; row < static_cast<int>(cells.size()); ++row) {
        const auto numbers = Numbers(cells[row]);
        if (!numbers) {
            write.refusal = DayWrite::NotANumber;
            write.refusedRow = row;
            return write;
        }
        if (IsZero(*numbers) && *numbers == Loaded(dayRows, row)) {
            continue;
        }
        const Currency price = DayAmounts::StoredNumber(dayRows.at(row, 3));
        Currency purchaseMoney;
        try {
            purchaseMoney = DayAmounts::PurchaseAmount((*numbers)[0], price, sumDecimal);
        } catch (const vb::RuntimeError&) {
            write.refusal = DayWrite::TooLarge;
            write.refusedRow = row;
            return write;
        }
        selected.push_back(
            Written(dayText, dayRows.at(row, 0), dayRows.at(row, 1),
                    {(*numbers)[0], price, purchaseMoney, (*numbers)[1], (*numbers)[2]}));
        if (IsZero(*numbers)) {
            ++zeroRows;
        }
    }
    write.selected = static_cast<int>(selected.size());
    write.allZero = zeroRows == write.selected;
    if (write.allZero) {
        selected.clear();
    }
    for (int o = 0; o < orphans.rows(); ++o) {
        selected.push_back(Written(dayText, orphans.at(o, 0), orphans.at(o, 1),
                                   {orphans.at(o, 2), orphans.at(o, 3), orphans.at(o, 4),
                                    orphans.at(o, 5), orphans.at(o, 6)}));
    }
    write.rows = vb::VariantArray(static_cast<int>(selected.size()), 8);
    for (int row = 0; row < write.rows.rows(); ++row) {
        for (int col = 0; col < 8; ++col) {
            write.rows(row, col) = selected[row].values[col];
        }
    }
    return write;
}

bool Changed(const std::vector<DayCells>& cells, const vb::VariantArray& dayRows) {
    for (int row = 0; row < static_cast<int>(cells.size()); ++row) {
        const auto numbers = Numbers(cells[row]);
        if (!numbers || *numbers != Loaded(dayRows, row)) {
            return true;
        }
    }
    return false;
}

}  // namespace DayRegistration
