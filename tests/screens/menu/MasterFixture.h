#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "platform/forms/TestHook.h"
#include "platform/runtime/VariantArray.h"
#include "tests/support/TestDatabase.h"

class AccessADOClass;

// A fresh database copy for a master screen: the settings record pointed at it, the
// layout workbooks copied beside it, message boxes answered by script, printing into a
// PDF and a workbook file of the folder.
class MasterFixture : public ::testing::Test {
  public:
    // A closed month with its stock of one product.
    void closeMonth(int year, int month, const QString& classNo, const QString& tradeNo,
                    int stock) const;
    void dailyRecord(int year, int month, int day, const QString& classNo,
                     const QString& tradeNo) const;

  protected:
    void SetUp() override;
    void TearDown() override;

    // Inserts rows (SQL value texts) into a table of the copy.
    void insert(const QString& table, const QStringList& fields,
                const vb::VariantArray& rows) const;
    // The table's rows as texts "a|b|c" in the order given.
    std::vector<QString> rows(const QString& table, const QStringList& fields, const QString& order,
                              const QString& where = QString()) const;
    // The same through a wrapper set to a database.
    static std::vector<QString> rowsOf(AccessADOClass& access, const QString& table,
                                       const QStringList& fields, const QString& order,
                                       const QString& where = QString());
    // Runs one statement of the engine's own SQL on the copy.
    void runSql(const QString& sql) const;
    // Creates a trigger ("name BEFORE ... BEGIN ... END"), to make a write fail.
    void addTrigger(const QString& trigger) const { runSql("CREATE TRIGGER " + trigger); }
    // The texts of the boxes shown so far.
    std::vector<QString> boxTexts() const;
    QString path(const QString& name) const { return files_.filePath(name); }

    TestDatabase database;
    QTemporaryDir files_;
};
