#include "AccessSelect.h"

#include "AccessADOClass.h"

namespace {

// Operation "1" with the items of the lists.
void SetUpSelect(AccessADOClass& access, const QStringList& fields, const QStringList& from,
                 const QStringList& where, const QStringList& order) {
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
}

}  // namespace

int32_t AccessSelect(AccessADOClass& access, const QStringList& fields, const QStringList& from,
                     const QStringList& where, const QStringList& order, vb::VariantArray& rows) {
    SetUpSelect(access, fields, from, where, order);
    const int32_t result = access.Execute();
    rows = result > 0 ? access.TakeDBInfo() : vb::VariantArray();
    access.ExecuteClear();
    return result;
}

int32_t AccessSelectEach(AccessADOClass& access, const QStringList& fields, const QStringList& from,
                         const QStringList& where, const QStringList& order,
                         const AccessADOClass::RowSink& eachRow) {
    SetUpSelect(access, fields, from, where, order);
    const int32_t result = access.ExecuteEach(eachRow);
    access.ExecuteClear();
    return result;
}
