#include <gtest/gtest.h>

#include "platform/jet/ServerSqlTranslator.h"

namespace {

struct Translation {
    const char* jet;
    const char* server;
};

TEST(ServerSqlTranslator, TranslatesJetFormsAndLeavesTheRest) {
    const Translation cases[] = {
        // date literals, with a time part and before day 0
        {"Input_Date = #2024/9/1#", "Input_Date =  TIMESTAMP '2024-09-01 00:00:00' "},
        {"Input_Date Between #2024/9/1# And # 2024-9-30 #",
         "Input_Date Between  TIMESTAMP '2024-09-01 00:00:00'  And  TIMESTAMP '2024-09-30 "
         "00:00:00' "},
        {"x = #2024/9/1 6:05#", "x =  TIMESTAMP '2024-09-01 06:05:00' "},
        {"Between#1899/12/29#And#2024/9/2#",
         "Between TIMESTAMP '1899-12-29 00:00:00' And TIMESTAMP '2024-09-02 00:00:00' "},
        // Null first ascending, last descending, in every ORDER BY list
        {"ORDER BY a, b DESC", "ORDER BY a NULLS FIRST, b DESC NULLS LAST"},
        {"(SELECT a FROM t ORDER BY Sum(a) Desc , [b]) AS x ORDER BY a ASC",
         "(SELECT a FROM t ORDER BY Sum(a) Desc  NULLS LAST, \"b\" NULLS FIRST) AS x ORDER BY a "
         "ASC NULLS FIRST"},
        // not a date: a name that no table has
        {"x = #2024/2/30#", "x =  \"#2024/2/30#\" "},
        // Last: the value of the latest day; other arities and names are left alone
        {"Last(Unit_Price) AS LastPrice",
         "(array_agg(Unit_Price ORDER BY Input_Date DESC NULLS LAST))[1] AS LastPrice"},
        {"Last(a, b) , T.Last(a) , LastDay(a)", "Last(a, b) , T.Last(a) , LastDay(a)"},
        // brackets and quoted names: quoted as the schema's folded names
        {"Sum([Sales_Money]-[Cost_Money])", "Sum(\"sales_money\"-\"cost_money\")"},
        {"[Management_Tbl.Cost_Money]", "\"management_tbl\".\"cost_money\""},
        {"[Ｓale_Price] , \"Ｓale_Price\"", "\"Ｓale_price\" , \"Ｓale_price\""},
        {"[a\"b]", "\"a\"\"b\""},
        // concatenation, Booleans and division as reals
        {"Classify_No & '-' & Trade_No", "Classify_No || '-' || Trade_No"},
        {"a = True Or b = false", "a = -1 Or b = 0"},
        {"Sum(a) / 2", "Sum(a) * 1::float8 / 2"},
        // Like: any case, no escape character
        {"Trade_Name Like 'a\\%' Or Trade_Name Not like Classify_No",
         "Trade_Name ILIKE 'a\\%' ESCAPE '' Or Trade_Name Not ILIKE Classify_No"},
        // strings are never touched
        {"Trade_Name = '[#2024/9/1#] & Last(x) / True'",
         "Trade_Name = '[#2024/9/1#] & Last(x) / True'"},
        {"Trade_Name = 'O''Neil'", "Trade_Name = 'O''Neil'"},
    };
    for (const Translation& c : cases) {
        EXPECT_EQ(jet::translateJetSqlForServer(QString::fromUtf8(c.jet)).toStdString(), c.server)
            << c.jet;
    }
}

}  // namespace
