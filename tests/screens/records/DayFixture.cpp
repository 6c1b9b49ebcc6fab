#include "DayFixture.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include "controls/CalendarForm.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "platform/runtime/Clock.h"
#include "tests/support/TestRows.h"

void DayFixture::SetUp() {
    MasterFixture::SetUp();
    vb::setClock(vb::Date::fromYmdHms(2024, 5, 15, 9, 0, 0));
    MainModule::SumDecimal = 0;
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = vb::Date::fromYmd(2024, 3, 1);
    insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"},
           makeRows({{"'001'", "'文具'"}, {"'002'", "'食品'"}}));
    product("001", "0001", "鉛筆", "50", "80");
    product("001", "0002", "消しゴム", "30", "33.5");
    product("002", "0001", "パン", "100", "150");
}

void DayFixture::TearDown() {
    screen_.reset();
    vb::setClock(std::nullopt);
    MasterFixture::TearDown();
}

void DayFixture::product(const QString& classNo, const QString& tradeNo, const QString& name,
                         const QString& unitPrice, const QString& salesPrice) const {
    insert("TradeMast_tbl",
           {"Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Sales_Price", "basic_Quantity"},
           makeRows({{SqlValueText::Text(classNo), SqlValueText::Text(tradeNo),
                      SqlValueText::Text(name), unitPrice, salesPrice, "0"}}));
}

void DayFixture::dayRow(const vb::Date& day, const QString& classNo, const QString& tradeNo,
                        const QStringList& numbers) const {
    vb::VariantArray row(1, 8);
    row(0, 0) = SqlValueText::DateValue(day);
    row(0, 1) = SqlValueText::Text(classNo);
    row(0, 2) = SqlValueText::Text(tradeNo);
    for (int col = 0; col < 5; ++col) {
        row(0, 3 + col) = numbers.value(col);
    }
    insert("Management_Tbl",
           {"Input_Date", "Classify_No", "Trade_No", "Cost_Quantity", "Unit_Price", "Cost_Money",
            "Sales_Quantity", "Sales_Money"},
           row);
}

void DayFixture::frozenProduct(const vb::Date& month, const QString& classNo,
                               const QString& tradeNo, const QString& name,
                               const QString& unitPrice, const QString& salesPrice) const {
    insert(
        "FixDeta_tbl",
        {"FixDate", "Classify_No", "Trade_No", "Trade_Name", "Unit_Price", "Ｓale_Price"},
        makeRows({{SqlValueText::DateValue(month), SqlValueText::Text(classNo),
                   SqlValueText::Text(tradeNo), SqlValueText::Text(name), unitPrice, salesPrice}}));
}

std::vector<QString> DayFixture::storedDay(const vb::Date& day) const {
    return rows("Management_Tbl",
                {"Classify_No", "Trade_No", "Cost_Quantity", "Unit_Price", "Cost_Money",
                 "Sales_Quantity", "Sales_Money"},
                "Classify_No, Trade_No", "Input_Date = " + SqlValueText::DateValue(day));
}

QString DayFixture::gridRow(int row) const {
    QStringList cells;
    for (int16_t col = 0; col < 7; ++col) {
        cells.append(screen_->EGrid.Value(static_cast<int16_t>(row), col));
    }
    return cells.join('|');
}

QString DayFixture::totals() const {
    QStringList cells;
    for (int16_t col = 0; col < 4; ++col) {
        cells.append(screen_->TotalGrid.Value(0, col));
    }
    return cells.join('|');
}

frmSireUriage& DayFixture::open() {
    screen_ = std::make_unique<frmSireUriage>();
    screen_->SetDeleteOnUnload(false);
    screen_->Show();
    return *screen_;
}

namespace {

void pollForCalendar(const std::function<void(CalendarForm&)>& step, int attempts) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* calendar = dynamic_cast<CalendarForm*>(window);
        if (calendar != nullptr && calendar->isVisible()) {
            step(*calendar);
            // A dialog that the step failed to close must not hold up the run.
            QTimer::singleShot(3000, calendar, [calendar] {
                if (calendar->isVisible()) {
                    ADD_FAILURE() << "the date picker is still shown";
                    calendar->Hide();
                }
            });
            return;
        }
    }
    if (attempts < 200) {
        QTimer::singleShot(10, [step, attempts] { pollForCalendar(step, attempts + 1); });
    } else {
        ADD_FAILURE() << "the date picker was not shown";
    }
}

}  // namespace

void DayFixture::whenCalendarShown(std::function<void(CalendarForm&)> step) {
    QTimer::singleShot(0, [step = std::move(step)] { pollForCalendar(step, 0); });
}
