#pragma once

#include <QString>

// The display patterns of quantities, prices, amounts and product numbers by the
// settings record, shared by the daily and the monthly records and the lists read from
// them.
namespace RecordFormats {

// "###,###,##0.00" when quantities have two decimals (MainModule::SumDecimal 1 or 3),
// else "###,###,##0".
QString Quantity();
// Two decimals when amounts are kept unrounded (MainModule::SumDecimal 2 or 3).
QString Amount();
// Two decimals when purchase prices have them (MainModule::UnitDecimal 1 or 3).
QString PurchasePrice();
// Two decimals when sales prices have them (MainModule::UnitDecimal 2 or 3).
QString SalesPrice();
// The product number's zeros: "0000" to "0000000000000"; none above width code 9.
QString TradeNumber();
// The numeric editor's limit for a column of the pattern with digits places before the
// point: digits.2 with two decimals (7.2, 8.2, 9.2), else digits.
float EditLength(int digits, const QString& pattern);

}  // namespace RecordFormats
