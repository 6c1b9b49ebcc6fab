#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/runtime/VariantArray.h"

// One select of the migration through the database wrapper.
struct MigrationSelect {
    QStringList fields;
    QStringList from;
    QStringList where;
    QStringList order;

    // The number of rows found (rows untouched when none) or the wrapper's failure code.
    // readOnly opens the file for reading only (the earlier installation's database).
    int32_t Run(const QString& dbName, const QString& dbPath, const QString& password,
                vb::VariantArray& rows, bool readOnly = false) const;
};
