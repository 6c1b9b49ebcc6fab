#include "MigrationSelect.h"

#include "core/AccessADOClass.h"
#include "core/AccessSelect.h"

int32_t MigrationSelect::Run(const QString& dbName, const QString& dbPath, const QString& password,
                             vb::VariantArray& rows, bool readOnly) const {
    AccessADOClass access;
    access.DBName(dbName);
    access.DBPath(dbPath);
    access.Password(password);
    access.ReadOnly(readOnly);
    vb::VariantArray found;
    const int32_t result = AccessSelect(access, fields, from, where, order, found);
    if (result > 0) {
        rows = found;
    }
    return result;
}
