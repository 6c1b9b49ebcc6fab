#include "CloseFixture.h"

#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Currency.h"
#include "tests/support/TestRows.h"

void CloseFixture::SetUp() {
    MasterFixture::SetUp();
    MainModule::SumDecimal = 0;
    vb::setClock(vb::Date::fromYmdHms(2024, 5, 15, 9, 0, 0));
}

void CloseFixture::TearDown() {
    vb::setClock(std::nullopt);
    MasterFixture::TearDown();
}

void CloseFixture::classify(const QString& no, const QString& name) const {
    insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"},
           makeRows({{SqlValueText::Text(no), SqlValueText::Text(name)}}));
}

void CloseFixture::product(const QString& classNo, const QString& tradeNo, const QString& name,
                           const QString& unitPrice, const QString& salesPrice) const {
    insert("TradeMast_tbl", {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price"},
           makeRows({{SqlValueText::Text(classNo), SqlValueText::Text(tradeNo),
                      SqlValueText::Text(name), unitPrice, salesPrice}}));
}

void CloseFixture::movement(int month, int day, const QString& classNo, const QString& tradeNo,
                            const QString& costQuantity, const QString& unitPrice,
                            const QString& salesQuantity, const QString& salesMoney) const {
    const vb::Currency money = *vb::Currency::parse(costQuantity) * *vb::Currency::parse(unitPrice);
    insert("Management_Tbl",
           {"Input_Date", "Classify_No", "Trade_No", "Cost_Quantity", "Unit_Price", "Cost_Money",
            "Sales_Quantity", "Sales_Money"},
           makeRows({{SqlValueText::DateValue(vb::Date::fromYmd(2024, month, day)),
                      SqlValueText::Text(classNo), SqlValueText::Text(tradeNo), costQuantity,
                      unitPrice, SqlValueText::Number(money), salesQuantity, salesMoney}}));
}

std::vector<QString> CloseFixture::stored(int month, const QStringList& fields) const {
    return rows("FixDeta_tbl", fields, "Classify_No, Trade_No",
                "FixDate = " + SqlValueText::DateValue(vb::Date::fromYmd(2024, month, 1)));
}
