#include "NumericFilter.h"

#include <cmath>

NumericFilter::NumericFilter(float maxLength) : limited_(maxLength > 0), whole_(0), decimals_(0) {
    if (!limited_) {
        return;
    }
    whole_ = static_cast<int>(std::nearbyint(maxLength));
    // The text form of a single-precision number: seven significant digits.
    const QString text = QString::number(static_cast<double>(maxLength), 'g', 7);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        decimals_ = text.mid(point + 1).toInt();
    }
}

bool NumericFilter::Accepts(const QString& text, int selStart, int selLength,
                            const QString& inserted) const {
    const QString outside = QString(text).remove(selStart, selLength);
    if (inserted == QLatin1String("-")) {
        return outside.isEmpty();
    }
    return IsValid(QString(outside).insert(selStart, inserted));
}

bool NumericFilter::IsValid(const QString& text) const {
    qsizetype point = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('-')) {
            if (i != 0) {
                return false;
            }
        } else if (c == QLatin1Char('.')) {
            if (point >= 0) {
                return false;
            }
            point = i;
        } else if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    if (!limited_) {
        return true;
    }
    if (point < 0) {
        return text.size() <= whole_;
    }
    return decimals_ > 0 && point <= whole_ && text.size() - point - 1 <= decimals_;
}

QString NumericFilter::Narrowed(const QString& text) {
    QString narrow = text;
    for (QChar& c : narrow) {
        const char16_t code = c.unicode();
        if (code >= u'０' && code <= u'９') {
            c = QChar(u'0' + (code - u'０'));
        } else if (code == u'．') {
            c = QLatin1Char('.');
        } else if (code == u'－' || code == u'−') {
            c = QLatin1Char('-');
        }
    }
    return narrow;
}
