#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The checks and conversions of the migration: the earlier data against the new
// settings, the rebuild of the stored monthly rows and rankings, and the rewrite of the
// imported tables in the new product-number width. Every read opens the database it is
// given by file name and folder; the new database with the database password, the
// earlier one without.
namespace DetaCheck_Set {

// Moves the migration's progress gauge to the value.
using Progress = std::function<void(int16_t)>;

// The new width code of product numbers (code + 4 digits), set by CheckSourceData.
extern uint8_t TradeFigure;
// The password of the new database, and the one that opens the earlier database (empty
// for an unencrypted file, see modConvert::SourcePasswordFor).
extern QString DBPassword;
extern QString SourcePassword;

// Bits of CheckSourceData's result.
constexpr int32_t TooLongTradeNo = 1;
constexpr int32_t FractionFound = 2;
// Two earlier product numbers of one class (such as 0101 and 00101), or two class
// numbers (01 and 001), become the same number in the new width; CollidingTradeNos
// names them.
constexpr int32_t CollidingTradeNo = 4;
extern QStringList CollidingTradeNos;

// 0 when the earlier data fits the new settings, else the bits above; a negative code
// when a read failed (TradeFigure is then left as it was). The earlier database is only
// read.
int32_t CheckSourceData(const QString& sourceName, const QString& sourcePath,
                        const QString& targetName, const QString& targetPath);
int32_t ReadTargetBasicSettings(const QString& targetName, const QString& targetPath,
                                vb::VariantArray& rows);
int32_t ReadSourceMovements(const QString& sourceName, const QString& sourcePath,
                            vb::VariantArray& rows);
int32_t ReadSourceMonthData(const QString& sourceName, const QString& sourcePath,
                            vb::VariantArray& rows);

// Renumbers the class numbers of ClassifyMast_tbl of the new database to the width of
// its products' class numbers, when one differs; then rewrites TradeMast_tbl,
// Management_Tbl and FixDeta_tbl in the new width, with purchase amounts and monthly rows
// recomputed, in one transaction. The result is negative on failure (nothing written by
// the failed write), else that of the rewrite, of the renumbering when nothing else was
// written, or 0.
int32_t ConvertImportedData(const QString& dbName, const QString& dbPath, const Progress& progress);
// The class master rows with their numbers in the class width; 0 (rows untouched) when
// every number has that width already.
int32_t PrepareClassRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows);
int32_t PrepareProductRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows);
int32_t PrepareMovementRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows);
// The largest and smallest FixDate; a date is set only when rows exist.
int32_t ReadFixDateRange(const QString& dbName, const QString& dbPath, vb::Date& latestDate,
                         vb::Date& earliestDate);

// The 19 columns of the monthly rows in table order.
enum MonthColumn : int {
    FixDate = 0,
    ClassifyNo,
    TradeNo,
    ClassifyName,
    TradeName,
    UnitPrice,
    CostQuantity,
    CostMoney,
    SalePrice,
    SalesQuantity,
    SalesMoney,
    FixQuantity,
    AverQuantity,
    ClasRankRi,
    ClasRankMo,
    ClasRankQu,
    TradeRankRi,
    TradeRankMo,
    TradeRankQu,
    MonthColumns
};

// Recomputes prices, averages and the six ranks of every month from earliestDate to
// latestDate and gives the rows as SQL value texts in outRows. The number of monthly
// rows (0: none, outRows untouched) or the code of the first failed read.
int32_t RebuildMonthRows(const QString& dbName, const QString& dbPath, const vb::Date& latestDate,
                         const vb::Date& earliestDate, vb::VariantArray& outRows,
                         const Progress& progress);
int32_t LoadMonthRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows);

// The product number zero-filled to the width of the code; a number that is longer, or
// not made of digits, is kept as it is.
QString TradeNoText(const QString& tradeNo, uint8_t figureCode);
// The class number zero-filled to three digits likewise.
QString ClassifyNoText(const QString& classifyNo);

}  // namespace DetaCheck_Set
