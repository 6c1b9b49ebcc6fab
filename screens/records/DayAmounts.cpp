#include "DayAmounts.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"

namespace DayAmounts {

namespace {

bool AmountDecimals(int sumDecimal) {
    return (sumDecimal & 2) != 0;
}

// The integer part (towards minus infinity) of value + 0.5.
vb::Currency WholeHalfUp(vb::Currency value) {
    const vb::Currency shifted = value + vb::Currency::fromRaw(vb::Currency::Scale / 2);
    const vb::Currency whole = shifted.truncate(0);
    return whole > shifted ? whole - vb::Currency::fromInteger(1) : whole;
}

}  // namespace

std::optional<vb::Currency> CellNumber(const QString& text) {
    const QString trimmed = vb::Trim(text);
    if (trimmed.isEmpty() || trimmed == u"-" || trimmed == u"." || trimmed == u"-.") {
        return vb::Currency();
    }
    try {
        return vb::Currency::parse(trimmed);
    } catch (const vb::RuntimeError&) {
        return std::nullopt;
    }
}

vb::Currency StoredNumber(const vb::Variant& value) {
    if (value.isNull() || value.isEmpty()) {
        return vb::Currency();
    }
    return value.toCurrency();
}

vb::Currency SalesAmount(vb::Currency quantity, vb::Currency price, int sumDecimal) {
    const vb::Currency base = quantity.abs() * price;
    return AmountDecimals(sumDecimal) ? base.roundHalfAwayFromZero(2) : WholeHalfUp(base);
}

vb::Currency PurchaseAmount(vb::Currency quantity, vb::Currency price, int sumDecimal) {
    const vb::Currency product = quantity * price;
    if (quantity < vb::Currency()) {
        const vb::Currency size = product.abs();
        return -(AmountDecimals(sumDecimal) ? size.roundHalfAwayFromZero(2) : WholeHalfUp(size));
    }
    return AmountDecimals(sumDecimal) ? product.roundHalfAwayFromZero(2) : WholeHalfUp(product);
}

}  // namespace DayAmounts
