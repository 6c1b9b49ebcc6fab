#include "MigrationSelect.h"

#include "core/AccessADOClass.h"

int32_t MigrationSelect::Run(const QString& dbName, const QString& dbPath, const QString& password,
                             vb::VariantArray& rows) const {
    AccessADOClass access;
    access.DBName(dbName);
    access.DBPath(dbPath);
    access.Password(password);
    for (const QString& field : fields) {
        access.AddField(field);
    }
    for (const QString& item : from) {
        access.AddFromVerse(item);
    }
    for (const QString& item : where) {
        access.AddWhereVerse(item);
    }
    for (const QString& item : order) {
        access.AddOrderVerse(item);
    }
    const int32_t result = access.Execute();
    if (result > 0) {
        rows = access.DBInfo();
    }
    return result;
}
