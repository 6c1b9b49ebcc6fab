#include "DayFormats.h"

#include "core/MainModule.h"

namespace DayFormats {

namespace {

QString NumberFormat(bool decimals) {
    return decimals ? QStringLiteral("###,###,##0.00") : QStringLiteral("###,###,##0");
}

}  // namespace

bool QuantityDecimals() {
    return (MainModule::SumDecimal & 1) != 0;
}

bool AmountDecimals() {
    return (MainModule::SumDecimal & 2) != 0;
}

bool SalesPriceDecimals() {
    return (MainModule::UnitDecimal & 2) != 0;
}

QString QuantityFormat() {
    return NumberFormat(QuantityDecimals());
}

QString AmountFormat() {
    return NumberFormat(AmountDecimals());
}

QString SalesPriceFormat() {
    return NumberFormat(SalesPriceDecimals());
}

QString TradeNumberFormat() {
    if (MainModule::TradeFigure > 9) {
        return QString();
    }
    return QString(MainModule::TradeFigure + 4, QLatin1Char('0'));
}

float QuantityEditLength() {
    return QuantityDecimals() ? 7.2f : 7.0f;
}

float AmountEditLength() {
    return AmountDecimals() ? 8.2f : 8.0f;
}

}  // namespace DayFormats
