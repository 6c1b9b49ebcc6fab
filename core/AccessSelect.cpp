#include "AccessSelect.h"

#include "AccessADOClass.h"

int32_t AccessSelect(AccessADOClass& access, const QStringList& fields, const QStringList& from,
                     const QStringList& where, const QStringList& order, vb::VariantArray& rows) {
    access.AccessFlag("1");
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
    rows = result > 0 ? access.TakeDBInfo() : vb::VariantArray();
    access.ExecuteClear();
    return result;
}
