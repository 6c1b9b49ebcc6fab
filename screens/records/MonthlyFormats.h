#pragma once

#include <QString>

// The display patterns of the monthly data by the settings record.
namespace MonthlyFormats {

// "###,###,##0.00" when quantities have two decimals, else "###,###,##0".
QString Quantity();
// Two decimals when amounts are kept unrounded.
QString Amount();
// Two decimals when purchase prices have them.
QString PurchasePrice();
// Two decimals when sales prices have them.
QString SalesPrice();
// The product number's zeros: "0000" to "0000000000000".
QString TradeNumber();
// The editor's limit for a column of the pattern: 9.2 with two decimals, else 9.
float EditLength(const QString& pattern);

}  // namespace MonthlyFormats
