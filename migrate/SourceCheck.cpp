#include <QMap>
#include <algorithm>

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

// "A と B", "A、B と C": the numbers of one collision.
QString listText(const QStringList& numbers) {
    return numbers.size() < 2
               ? numbers.join(QString())
               : numbers.mid(0, numbers.size() - 1).join(u'、') + " と " + numbers.last();
}

// The earlier class numbers of the class master and the earlier product numbers of every
// table (the product master too), grouped by the numbers they become in the new width. A group of
// more than one earlier number is a collision: two registered classes, or two products, would
// become one, wherever the products are used (masters, daily rows or monthly rows, on any day).
class NumberGroups {
  public:
    void addClass(const QString& classNo) { add(classes_, ClassifyNoText(classNo), classNo); }
    void addProduct(const QString& classNo, const QString& tradeNo, uint8_t figureCode) {
        add(products_, ClassifyNoText(classNo) + u'\t' + TradeNoText(tradeNo, figureCode),
            classNo + u'\t' + tradeNo);
        longest_ = std::max(longest_, tradeNo.size());
    }
    // The length of the longest earlier product number of any table.
    qsizetype longest() const { return longest_; }
    // One text per collision, naming the earlier numbers: classes first, then products.
    QStringList texts() const {
        QStringList found;
        for (const QStringList& numbers : classes_) {
            if (numbers.size() > 1) {
                found << "商品分類番号 " + listText(numbers);
            }
        }
        for (const QStringList& numbers : products_) {
            if (numbers.size() < 2) {
                continue;
            }
            QStringList classNos, tradeNos, named;
            for (const QString& number : numbers) {
                classNos << number.section(u'\t', 0, 0);
                tradeNos << number.section(u'\t', 1);
                named << "商品分類番号[" + classNos.last() + "] の商品番号 " + tradeNos.last();
            }
            classNos.removeDuplicates();
            found << (classNos.size() == 1 ? "商品分類番号[" + classNos.front() + "] の商品番号 " +
                                                 listText(tradeNos)
                                           : listText(named));
        }
        return found;
    }

  private:
    static void add(QMap<QString, QStringList>& groups, const QString& key, const QString& number) {
        QStringList& numbers = groups[key];
        const auto at = std::lower_bound(numbers.begin(), numbers.end(), number);
        if (at == numbers.end() || *at != number) {
            numbers.insert(at, number);
        }
    }

    QMap<QString, QStringList> classes_;
    QMap<QString, QStringList> products_;
    qsizetype longest_ = 0;
};

// Adds the class and product numbers of the earlier tables; a negative code when a read
// failed.
int32_t readNumbers(const QString& sourceName, const QString& sourcePath, uint8_t figureCode,
                    NumberGroups& groups) {
    vb::VariantArray rows;
    int32_t count = MigrationSelect{{"Classify_No"}, {"ClassifyMast_tbl"}, {}, {}}.Run(
        sourceName, sourcePath, SourcePassword, rows, true);
    for (int r = 0; r < count; ++r) {
        groups.addClass(rows(r, 0).toString());
    }
    for (const char* table : {"TradeMast_tbl", "Management_Tbl", "FixDeta_tbl"}) {
        if (count < 0) {
            break;
        }
        count = MigrationSelect{{"Classify_No", "Trade_No"}, {table}, {}, {}}.Run(
            sourceName, sourcePath, SourcePassword, rows, true);
        for (int r = 0; r < count; ++r) {
            groups.addProduct(rows(r, 0).toString(), rows(r, 1).toString(), figureCode);
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
    NumberGroups groups;
    if (const int32_t count = readNumbers(sourceName, sourcePath, figureCode, groups); count < 0) {
        return count;
    }
    const QStringList collisions = groups.texts();
    CollidingTradeNos = collisions;
    TradeFigure = figureCode;
    const bool decimalsShown =
        basicCount > 0 && (basic(0, 1).toLong() != 0 || basic(0, 2).toLong() != 0);
    const qsizetype limit = TradeFigure <= 9 ? TradeFigure + 4 : 0;
    int32_t result = 0;
    if (groups.longest() > limit) {
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
