#include <QHash>
#include <utility>

#include "DetaCheckSet.h"
#include "MigrationSelect.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Variant.h"

namespace DetaCheck_Set {

uint8_t TradeFigure = 0;
QStringList CollidingTradeNos;
QString DBPassword;
QString SourcePassword;

namespace {

// Whether a value is not a whole number once it is held as currency (four decimals).
bool hasFraction(const vb::Variant& value) {
    if (!value.isNumeric()) {
        return false;
    }
    const vb::Currency amount = value.toCurrency();
    return amount != amount.truncate(0);
}

bool longerThan(const vb::VariantArray& rows, int32_t count, qsizetype limit) {
    for (int r = 0; r < count; ++r) {
        if (rows(r, 0).toString().size() > limit) {
            return true;
        }
    }
    return false;
}

bool anyFraction(const vb::VariantArray& rows, int32_t count) {
    for (int r = 0; r < count; ++r) {
        for (int c = 1; c < rows.cols(); ++c) {
            if (hasFraction(rows(r, c))) {
                return true;
            }
        }
    }
    return false;
}

// Rows of one earlier table whose keys become equal once their numbers are written in
// the new width, added to found as texts naming the class and the numbers.
int32_t findCollisions(const QString& sourceName, const QString& sourcePath, const QString& table,
                       const QString& dateColumn, uint8_t figureCode, QStringList& found) {
    QStringList fields{"Classify_No", "Trade_No"};
    if (!dateColumn.isEmpty()) {
        fields.prepend(dateColumn);
    }
    vb::VariantArray rows;
    const int32_t count = MigrationSelect{fields, {table}, {}, fields}.Run(
        sourceName, sourcePath, SourcePassword, rows, true);
    const int first = dateColumn.isEmpty() ? 0 : 1;
    QHash<QString, QString> numberOfKey;
    for (int r = 0; r < count; ++r) {
        const QString classNo = rows(r, first).toString();
        const QString tradeNo = rows(r, first + 1).toString();
        const QString newClass = ClassifyNoText(classNo);
        const QString newTrade = TradeNoText(tradeNo, figureCode);
        const QString key =
            (first ? rows(r, 0).toString() : QString()) + u'\t' + newClass + u'\t' + newTrade;
        const QString number = classNo + u'\t' + tradeNo;
        const auto seen = numberOfKey.constFind(key);
        if (seen == numberOfKey.constEnd()) {
            numberOfKey.insert(key, number);
            continue;
        }
        if (*seen == number) {
            continue;
        }
        const QString text = "商品分類番号[" + newClass + "] の商品番号 " +
                             seen->section(u'\t', 1) + " と " + tradeNo;
        if (!found.contains(text)) {
            found << text;
        }
    }
    return count;
}

}  // namespace

int32_t ReadTargetBasicSettings(const QString& targetName, const QString& targetPath,
                                vb::VariantArray& rows) {
    return MigrationSelect{{"Trade_figure", "Unit_decimal", "Sum_decimal"}, {"basic_tbl"}, {}, {}}
        .Run(targetName, targetPath, DBPassword, rows);
}

int32_t ReadSourceMovements(const QString& sourceName, const QString& sourcePath,
                            vb::VariantArray& rows) {
    return MigrationSelect{
        {"Trade_No", "Unit_Price", "Cost_Quantity", "Sales_Quantity", "Sales_Money"},
        {"Management_Tbl"},
        {},
        {}}
        .Run(sourceName, sourcePath, SourcePassword, rows, true);
}

int32_t ReadSourceMonthData(const QString& sourceName, const QString& sourcePath,
                            vb::VariantArray& rows) {
    return MigrationSelect{
        {"Trade_No", "Cost_Quantity", "Sales_Quantity", "Sales_Money", "Fix_Quantity"},
        {"FixDeta_tbl"},
        {},
        {}}
        .Run(sourceName, sourcePath, SourcePassword, rows, true);
}

static int32_t checkSourceData(const QString& sourceName, const QString& sourcePath,
                               const QString& targetName, const QString& targetPath) {
    vb::VariantArray basic;
    const int32_t basicCount = ReadTargetBasicSettings(targetName, targetPath, basic);
    if (basicCount < 0) {
        return basicCount;
    }
    vb::VariantArray movements;
    const int32_t movementCount = ReadSourceMovements(sourceName, sourcePath, movements);
    if (movementCount < 0) {
        return movementCount;
    }
    // Both tables are checked: monthly rows may remain of months whose daily rows were
    // deleted.
    vb::VariantArray months;
    const int32_t monthCount = ReadSourceMonthData(sourceName, sourcePath, months);
    if (monthCount < 0) {
        return monthCount;
    }
    const uint8_t figureCode = basicCount > 0 ? basic(0, 0).toByte() : TradeFigure;
    QStringList collisions;
    for (const auto& [table, dateColumn] :
         {std::pair{"TradeMast_tbl", ""}, std::pair{"Management_Tbl", "Input_Date"},
          std::pair{"FixDeta_tbl", "FixDate"}}) {
        if (const int32_t count =
                findCollisions(sourceName, sourcePath, table, dateColumn, figureCode, collisions);
            count < 0) {
            return count;
        }
    }
    CollidingTradeNos = collisions;
    TradeFigure = figureCode;
    const bool decimalsShown =
        basicCount > 0 && (basic(0, 1).toLong() != 0 || basic(0, 2).toLong() != 0);
    const qsizetype limit = TradeFigure <= 9 ? TradeFigure + 4 : 0;
    int32_t result = 0;
    if (longerThan(movements, movementCount, limit) || longerThan(months, monthCount, limit)) {
        result |= TooLongTradeNo;
    }
    if (!decimalsShown &&
        (anyFraction(movements, movementCount) || anyFraction(months, monthCount))) {
        result |= FractionFound;
    }
    if (!collisions.isEmpty()) {
        result |= CollidingTradeNo;
    }
    return result;
}

int32_t CheckSourceData(const QString& sourceName, const QString& sourcePath,
                        const QString& targetName, const QString& targetPath) {
    try {
        return checkSourceData(sourceName, sourcePath, targetName, targetPath);
    } catch (const vb::RuntimeError& error) {
        return -error.number();
    }
}

}  // namespace DetaCheck_Set
