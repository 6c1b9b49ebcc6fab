#pragma once

#include <QString>

// The display formats of the daily screen and its list, chosen by the settings record.
namespace DayFormats {

// Quantities carry two decimals (MainModule::SumDecimal 1 or 3).
bool QuantityDecimals();
// Amounts are kept with two decimals (MainModule::SumDecimal 2 or 3).
bool AmountDecimals();
// Sales prices carry two decimals (MainModule::UnitDecimal 2 or 3).
bool SalesPriceDecimals();

// "###,###,##0.00" with decimals, else "###,###,##0".
QString QuantityFormat();
QString AmountFormat();
QString SalesPriceFormat();
// "0" repeated MainModule::TradeFigure + 4 times; none above 9.
QString TradeNumberFormat();

// The numeric editor's lengths: 7.2 or 7 for quantities, 8.2 or 8 for amounts.
float QuantityEditLength();
float AmountEditLength();

}  // namespace DayFormats
