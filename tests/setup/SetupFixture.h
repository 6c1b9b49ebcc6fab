#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

#include "tests/support/DatabaseTest.h"

// Texts in failure messages as they read.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A fresh copy of the shipped database as the wizard's database, the XDG config and
// data homes in a temporary folder, message boxes and the program's end scripted.
class SetupFixture : public DatabaseTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the system_type row (SQL texts).
    void storeSystemType(const QString& id, const QString& basicFlg);
    // The five install values as written.
    QString installValue(const QString& name) const;

    QTemporaryDir homes;

  private:
    QByteArray savedConfig_;
    QByteArray savedData_;
};
