#pragma once

#include <QString>

#include "output/ListOutput.h"
#include "platform/runtime/VariantArray.h"

class InventoryTable;

// The inventory table as it is printed and saved: number, name, the four quantities,
// the unit price and the stock value as texts, and a totals row.
namespace InventoryList {

// "在　庫　管　理　表（" year "年" month "月度）".
QString Title(const vb::Date& month);

// Where the stock values of the list come from: the table's, computed from the stored
// quantity and price, or anew from the closing stock and price as the list shows them,
// as the print after a close has them.
enum class Values { FromTable, FromShownFigures };

// The table's rows and the totals row; empty when the table has no rows or a value is
// out of range.
vb::VariantArray Build(const InventoryTable& table, Values values = Values::FromTable);

// Quantities "###,###,##0.00" under SumDecimal 1 or 3, else whole numbers; unit prices
// likewise by UnitDecimal.
QString QuantityFormat();
QString PriceFormat();
// The product number's zeros by TradeFigure 0 to 9, else "".
QString TradeNumberFormat();

// The output of the table titled title, its boxes titled boxTitle. The printed number
// column takes the widest number the settings allow (3 + 13 digits).
ListOutputSettings Output(const QString& title, const QString& boxTitle);

}  // namespace InventoryList
