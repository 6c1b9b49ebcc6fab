#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "tests/screens/menu/MasterFixture.h"

// A database copy with masters, daily rows and closed months, the clock on 2024/5/15.
class CloseFixture : public MasterFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    void classify(const QString& no, const QString& name) const;
    void product(const QString& classNo, const QString& tradeNo, const QString& name,
                 const QString& unitPrice, const QString& salesPrice) const;
    // One daily row: purchases at price (their money quantity x price) and sales.
    void movement(int month, int day, const QString& classNo, const QString& tradeNo,
                  const QString& costQuantity, const QString& unitPrice,
                  const QString& salesQuantity, const QString& salesMoney) const;
    // The FixDeta_tbl rows of a month of 2024 as "a|b|c", by class and product.
    std::vector<QString> stored(int month, const QStringList& fields) const;
};
