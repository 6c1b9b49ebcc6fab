#pragma once

#include <QString>
#include <array>

// The columns of the monthly data: FixDeta_tbl after FixDate, in the order of the table.
namespace MonthlyColumns {

inline const std::array<QString, 18> Fields = {
    "Classify_No", "Trade_No",    "Classify_Name",  "Trade_Name",  "Unit_Price",   "Cost_Quantity",
    "Cost_Money",  "Ｓale_Price", "Sales_Quantity", "Sales_Money", "Fix_Quantity", "Aver_Quantity",
    "ClasRankRi",  "ClasRankMo",  "ClasRankQu",     "TradeRankRi", "TradeRankMo",  "TradeRankQu"};

// Their positions in a row read in that order.
enum Column : int {
    ClassifyNo = 0,
    TradeNo = 1,
    ClassifyName = 2,
    TradeName = 3,
    UnitPrice = 4,
    CostQuantity = 5,
    CostMoney = 6,
    SalePrice = 7,
    SalesQuantity = 8,
    SalesMoney = 9,
    FixQuantity = 10,
    AverQuantity = 11,
    FirstRank = 12,  // the six rank columns follow
};
inline constexpr int RankColumns = 6;

}  // namespace MonthlyColumns
