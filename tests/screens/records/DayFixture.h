#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "screens/records/frmSireUriage.h"
#include "tests/screens/menu/MasterFixture.h"

class CalendarForm;

// Failure messages show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The daily screen on a fresh database copy: today is 15 May 2024, March 2024 is the
// last closed month, amounts and quantities without decimals. Classes 001 文具 and 002
// 食品; products 001-0001 鉛筆 (purchase 50, sales 80), 001-0002 消しゴム (30, 33.5) and
// 002-0001 パン (100, 150).
class DayFixture : public MasterFixture {
  protected:
    static vb::Date Today() { return vb::Date::fromYmd(2024, 5, 15); }

    void SetUp() override;
    void TearDown() override;

    void product(const QString& classNo, const QString& tradeNo, const QString& name,
                 const QString& unitPrice, const QString& salesPrice) const;
    // A stored row: purchase quantity, unit price, purchase amount, sales quantity and
    // sales amount as SQL numbers.
    void dayRow(const vb::Date& day, const QString& classNo, const QString& tradeNo,
                const QStringList& numbers) const;
    // A closed month's frozen product (purchase and sales price).
    void frozenProduct(const vb::Date& month, const QString& classNo, const QString& tradeNo,
                       const QString& name, const QString& unitPrice,
                       const QString& salesPrice) const;
    // The stored rows of the day: "class|product|purchase qty|unit price|purchase
    // amount|sales qty|sales amount".
    std::vector<QString> storedDay(const vb::Date& day) const;
    // The grid's row: "class|product|name|purchase qty|sales qty|sales price|amount".
    QString gridRow(int row) const;
    QString totals() const;

    frmSireUriage& open();
    // Runs the step on the date picker once its modal Show has shown it.
    static void whenCalendarShown(std::function<void(CalendarForm&)> step);

    std::unique_ptr<frmSireUriage> screen_;
};
