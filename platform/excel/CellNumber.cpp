#include "CellNumber.h"

#include <QRegularExpression>

namespace excel {

namespace {

constexpr int maxSignificantDigits = 15;

}  // namespace

std::optional<CellNumber> readCellNumber(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^ *[-+]?(0|[1-9][0-9]*|[1-9][0-9]{0,2}(?:,[0-9]{3})+)(?:\.([0-9]+))? *$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QString whole = match.captured(1);
    const QString decimals = match.captured(2);
    QString digits = whole + decimals;
    digits.remove(QLatin1Char(','));
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) {
        digits.remove(0, 1);
    }
    if (digits.size() > maxSignificantDigits) {
        return std::nullopt;
    }
    QString number = text.trimmed();
    number.remove(QLatin1Char(','));
    bool read = false;
    const double value = number.toDouble(&read);
    if (!read) {
        return std::nullopt;
    }
    const bool grouped = whole.contains(QLatin1Char(','));
    QString format;
    if (grouped || !decimals.isEmpty()) {
        format = grouped ? QStringLiteral("#,##0") : QStringLiteral("0");
        if (!decimals.isEmpty()) {
            format += QLatin1Char('.') + QString(decimals.size(), QLatin1Char('0'));
        }
    }
    return CellNumber{value, format};
}

}  // namespace excel
