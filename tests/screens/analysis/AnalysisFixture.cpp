#include "AnalysisFixture.h"

#include <algorithm>

#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "tests/support/TestRows.h"

void AnalysisFixture::storedRow(int month, const QString& classNo, const QString& className,
                                const QString& tradeNo, const QString& tradeName,
                                const QString& salesQuantity, const QString& salesMoney,
                                const QString& costMoney, const QString& fixQuantity,
                                const QString& averQuantity) const {
    const vb::Date day = vb::Date::fromYmd(2024, month, 1);
    insert("FixDeta_tbl",
           {"FixDate", "Classify_No", "Classify_Name", "Trade_No", "Trade_Name", "Sales_Quantity",
            "Sales_Money", "Cost_Money", "Fix_Quantity", "Aver_Quantity"},
           makeRows({{SqlValueText::DateValue(day), SqlValueText::Text(classNo),
                      SqlValueText::Text(className), SqlValueText::Text(tradeNo),
                      SqlValueText::Text(tradeName), salesQuantity, salesMoney, costMoney,
                      fixQuantity, averQuantity}}));
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = std::max(MainModule::LastCloseDate, day);
}

void AnalysisFixture::dropTable(const QString& table) const {
    runSql("DROP TABLE " + table);
}
