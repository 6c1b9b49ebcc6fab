#pragma once

#include <QString>
#include <QTemporaryDir>

#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"

// Small database files in a temporary folder, made with the layer's own createDatabase.
class TestDatabase {
  public:
    // A Management_Tbl and a FixDeta_tbl with the column types of the system.
    static const char* const kSchema;

    static QString connectionText(const QString& path, const QString& password);

    // Creates the file `name` with kSchema; fails the test when it cannot.
    QString create(const QString& name, const QString& password = QString());
    QString path(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
};

// Field 0 of the first row of a query, Empty when the query fails.
vb::Variant queryValue(jet::Connection& connection, const QString& sql);
