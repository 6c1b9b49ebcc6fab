#include "CellRef.h"

namespace excel {

QString columnName(int col) {
    QString name;
    for (int rest = col; rest > 0; rest = (rest - 1) / 26) {
        name.prepend(QChar('A' + (rest - 1) % 26));
    }
    return name;
}

QString cellName(int row, int col) {
    return columnName(col) + QString::number(row);
}

std::optional<CellRef> parseCellName(QStringView name) {
    CellRef ref;
    qsizetype i = 0;
    for (; i < name.size() && name[i].isLetter(); ++i) {
        const char16_t letter = name[i].toUpper().unicode();
        if (letter < u'A' || letter > u'Z') {
            return std::nullopt;
        }
        ref.col = ref.col * 26 + (letter - u'A' + 1);
        if (ref.col > MaxCol) {
            return std::nullopt;
        }
    }
    for (qsizetype j = i; j < name.size(); ++j) {
        if (!name[j].isDigit()) {
            return std::nullopt;
        }
        ref.row = ref.row * 10 + name[j].digitValue();
        if (ref.row > MaxRow) {
            return std::nullopt;
        }
    }
    if (ref.col == 0 || ref.row == 0) {
        return std::nullopt;
    }
    return ref;
}

}  // namespace excel
