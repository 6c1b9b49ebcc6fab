#include "MasterCells.h"

#include "controls/ExpandGrid2.h"
#include "platform/runtime/Strings.h"

namespace MasterCells {

QString Text(const vb::Variant& value) {
    return value.isNull() || value.isEmpty() ? QString() : value.toString();
}

bool IsDigits(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

QString Zeros(const QString& digits, int width) {
    QString trimmed = digits;
    while (trimmed.size() > 1 && trimmed.startsWith(QLatin1Char('0'))) {
        trimmed.remove(0, 1);
    }
    return trimmed.rightJustified(width, QLatin1Char('0'));
}

bool SameNumber(const QString& a, const QString& b) {
    const QString left = vb::Trim(a);
    const QString right = vb::Trim(b);
    if (IsDigits(left) && IsDigits(right)) {
        return Zeros(left, 1) == Zeros(right, 1);
    }
    return left == right;
}

namespace {

// Numbers by value; a blank cell is not the same as a typed 0.
bool SameValue(const QString& now, const QString& then) {
    const bool blankNow = vb::Trim(now).isEmpty();
    const bool blankThen = vb::Trim(then).isEmpty();
    return blankNow == blankThen && vb::Val(now) == vb::Val(then);
}

}  // namespace

bool Differs(const ExpandGrid2& grid, const vb::VariantArray& snapshot,
             const std::vector<bool>& numericCols) {
    for (int row = 0; row < snapshot.rows(); ++row) {
        for (int col = 0; col < static_cast<int>(numericCols.size()); ++col) {
            const QString now = grid.Value(static_cast<int16_t>(row), static_cast<int16_t>(col));
            const QString then = Text(snapshot.at(row, col));
            const bool same = numericCols[col] ? SameValue(now, then) : now == then;
            if (!same) {
                return true;
            }
        }
    }
    return false;
}

bool Stored(const vb::VariantArray& snapshot, int row) {
    if (row < 0 || row >= snapshot.rows()) {
        return false;
    }
    for (int col = 0; col < snapshot.cols(); ++col) {
        if (!vb::Trim(Text(snapshot.at(row, col))).isEmpty()) {
            return true;
        }
    }
    return false;
}

bool NumberChanged(const ExpandGrid2& grid, const vb::VariantArray& snapshot, int rows) {
    for (int row = 0; row < rows; ++row) {
        const QString then = vb::Trim(Text(snapshot.at(row, 0)));
        if (!then.isEmpty() && !SameNumber(grid.Value(static_cast<int16_t>(row), 0), then)) {
            return true;
        }
    }
    return false;
}

}  // namespace MasterCells
