#include "CellInput.h"

#include <cmath>

#include "AnsiLength.h"
#include "NumericFilter.h"
#include "platform/runtime/Strings.h"

namespace CellInput {

std::optional<QString> Pasted(const QString& text, int editMode, float maxLength) {
    QString pasted = QString(text).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    if (editMode == 2) {
        pasted = vb::Trim(NumericFilter::Narrowed(pasted));
        if (!NumericFilter(maxLength).IsValid(pasted)) {
            return std::nullopt;
        }
        return pasted;
    }
    const int limit = static_cast<int>(std::nearbyint(maxLength));
    return limit > 0 ? AnsiLength::Left(pasted, limit) : pasted;
}

std::optional<QString> Typed(const QString& text, int editMode, float maxLength) {
    if (editMode != 2 || text.isEmpty()) {
        return text;
    }
    const QString typed = NumericFilter::Narrowed(text);
    if (!NumericFilter(maxLength).Accepts(QString(), 0, 0, typed)) {
        return std::nullopt;
    }
    return typed;
}

}  // namespace CellInput
