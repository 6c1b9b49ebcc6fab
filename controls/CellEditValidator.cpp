#include "CellEditValidator.h"

#include <algorithm>
#include <cmath>

#include "AnsiLength.h"
#include "NumericFilter.h"

CellEditValidator::CellEditValidator(QObject* parent) : QValidator(parent) {}

void CellEditValidator::Configure(int editMode, float maxLength) {
    editMode_ = editMode;
    maxLength_ = maxLength;
}

void CellEditValidator::Start(const QString& text) {
    accepted_ = text;
}

QValidator::State CellEditValidator::validate(QString& input, int& pos) const {
    const qsizetype shorter = std::min(input.size(), accepted_.size());
    qsizetype prefix = 0;
    while (prefix < shorter && input[prefix] == accepted_[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           input[input.size() - 1 - suffix] == accepted_[accepted_.size() - 1 - suffix]) {
        ++suffix;
    }
    const qsizetype replaced = accepted_.size() - prefix - suffix;
    QString inserted = input.mid(prefix, input.size() - prefix - suffix);
    if (inserted.isEmpty()) {
        accepted_ = input;
        return Acceptable;
    }
    inserted.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    const QString before = input.left(prefix);
    const QString after = input.right(suffix);
    if (editMode_ == 2) {
        inserted = NumericFilter::Narrowed(inserted);
        const NumericFilter filter(maxLength_);
        if (inserted.isEmpty() || !filter.Accepts(accepted_, static_cast<int>(prefix),
                                                  static_cast<int>(replaced), inserted)) {
            return Invalid;
        }
    } else {
        const int limit = static_cast<int>(std::nearbyint(maxLength_));
        if (limit > 0) {
            const int room = limit - AnsiLength::Bytes(before + after);
            inserted = AnsiLength::Left(inserted, std::max(0, room));
        }
        if (inserted.isEmpty() && replaced == 0) {
            return Invalid;
        }
    }
    input = before + inserted + after;
    pos = static_cast<int>(prefix + inserted.size());
    accepted_ = input;
    return Acceptable;
}
