#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include "platform/runtime/Variant.h"
#include "tests/support/DatabaseTest.h"

// The new database (a keyed copy of the shipped one) and an earlier installation: a folder
// with an unencrypted database of the same schema and its backup.ini.
class MigrationFixture : public DatabaseTest {
  protected:
    void SetUp() override;

    QString sourceFolder() const { return source_.path(); }
    static QString sourceName() { return QStringLiteral("morvik.mdb"); }
    QString sourcePath() const { return sourceFolder() + "/" + sourceName(); }

    // Runs statements (Jet SQL) on a database; fails the test when one fails.
    static void run(const QString& path, const QString& password, const QStringList& sql);
    void runTarget(const QStringList& sql) const;
    void runSource(const QStringList& sql) const;
    // The first value of a select on the new database.
    vb::Variant targetValue(const QString& sql) const;
    // The rows of a select on the new database, the values of a row joined by "|".
    QStringList targetRows(const QString& sql) const;
    // The same of a select on a keyed database elsewhere.
    static QStringList rowsOf(const QString& path, const QString& sql);
    void setWidthCode(int code, int unitDecimal = 0, int sumDecimal = 0) const;

  private:
    QTemporaryDir source_;
};
