#include "RecordFormats.h"

#include "core/MainModule.h"

namespace RecordFormats {

namespace {

const QString WithDecimals = QStringLiteral("###,###,##0.00");
const QString Whole = QStringLiteral("###,###,##0");

QString Pattern(bool decimals) {
    return decimals ? WithDecimals : Whole;
}

}  // namespace

QString Quantity() {
    return Pattern((MainModule::SumDecimal & 1) != 0);
}

QString Amount() {
    return Pattern((MainModule::SumDecimal & 2) != 0);
}

QString PurchasePrice() {
    return Pattern((MainModule::UnitDecimal & 1) != 0);
}

QString SalesPrice() {
    return Pattern((MainModule::UnitDecimal & 2) != 0);
}

QString TradeNumber() {
    if (MainModule::TradeFigure > 9) {
        return QString();
    }
    return QString(MainModule::TradeFigure + 4, QLatin1Char('0'));
}

float EditLength(int digits, const QString& pattern) {
    return static_cast<float>(digits + (pattern == WithDecimals ? 0.2 : 0.0));
}

}  // namespace RecordFormats
