#include "AnalysisFixture.h"

#include <algorithm>

#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "platform/jet/Connection.h"
#include "tests/support/TestRows.h"

#include <sqlcipher/sqlite3.h>

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
    jet::Connection connection;
    ASSERT_FALSE(
        connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.filePath() +
                        ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";"));
    const QString sql = "DROP TABLE " + table;
    ASSERT_EQ(
        sqlite3_exec(connection.handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr),
        SQLITE_OK);
    connection.close();
}
