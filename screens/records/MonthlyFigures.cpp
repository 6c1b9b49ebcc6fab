#include "MonthlyFigures.h"

#include <QRegularExpression>

#include "controls/NumericFilter.h"
#include "core/MainModule.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Strings.h"

namespace MonthlyFigures {

namespace {

bool AmountsUnrounded() {
    return (MainModule::SumDecimal & 2) != 0;
}

bool QuantityDecimals() {
    return (MainModule::SumDecimal & 1) != 0;
}

// The largest whole number not above the value.
vb::Currency Floor(vb::Currency value) {
    const vb::Currency whole = value.truncate(0);
    return whole > value ? whole - vb::Currency::fromInteger(1) : whole;
}

}  // namespace

vb::Currency CellNumber(const QString& text) {
    static const QRegularExpression leadingNumber(
        QStringLiteral("^\\s*([+-]?(?:\\d+(?:\\.\\d*)?|\\.\\d+))"));
    const QRegularExpressionMatch match = leadingNumber.match(NumericFilter::Narrowed(text));
    if (!match.hasMatch()) {
        return {};
    }
    QString number = match.captured(1);
    if (number.endsWith(QLatin1Char('.'))) {
        number.chop(1);
    }
    return vb::Currency::parse(number).value_or(vb::Currency());
}

vb::Currency Stored(const vb::Variant& value) {
    return value.isNull() || value.isEmpty() ? vb::Currency() : value.toCurrency();
}

vb::Currency Amount(vb::Currency quantity, vb::Currency price) {
    const vb::Currency amount = quantity * price;
    if (AmountsUnrounded()) {
        return amount;
    }
    return Floor(amount + vb::Currency::fromRaw(vb::Currency::Scale / 2));
}

vb::Currency AverageSales(vb::Currency sales, int days, vb::Currency storedAverage) {
    if (sales <= vb::Currency() || days < 1) {
        return vb::CCur(vb::Format(storedAverage, QStringLiteral("########0")));
    }
    // Exact: the quotient in steps of 0.01 (or 1), halves up.
    const int64_t step = QuantityDecimals() ? vb::Currency::Scale / 100 : vb::Currency::Scale;
    const __int128 divisor = static_cast<__int128>(days) * step;
    const __int128 steps = (static_cast<__int128>(sales.raw()) + divisor / 2) / divisor;
    // Not above the sales themselves: a month has at least 28 days.
    return vb::Currency::fromRaw(static_cast<int64_t>(steps * step));
}

}  // namespace MonthlyFigures
