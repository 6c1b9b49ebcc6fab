#include "MonthlyStore.h"

#include "MonthlyColumns.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/RuntimeError.h"
#include "screens/menu/MasterDatabase.h"

namespace MonthlyStore {

int32_t Replace(const vb::Date& month, const vb::VariantArray& rows) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("7");
    access.AddField("FixDate");
    for (const QString& field : MonthlyColumns::Fields) {
        access.AddField(field);
    }
    access.AddFromVerse("FixDeta_tbl");
    access.AddWhereVerse("FixDate = " + SqlValueText::DateValue(month));
    access.DBInfo(rows);
    const int32_t result = access.Execute();
    access.ExecuteClear();
    return result;
}

bool ReadLastFixDate(const QString& title) {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("8");
    access.AddField("FixDate");
    access.AddFromVerse("FixDeta_tbl");
    int32_t result = access.Execute();
    access.ExecuteClear();
    if (result > 0) {
        try {
            MainModule::LastCloseDate = access.InfoValue(0, 0).toDate();
            MainModule::HasCloseDate = true;
            return true;
        } catch (const vb::RuntimeError&) {
            result = XX共通関数::ReadFailed;
        }
    }
    if (result == 0) {
        // A maximum of no rows is Null, not a date: no month is held.
        MainModule::HasCloseDate = false;
        return true;
    }
    const bool database =
        result == AccessADOClass::CannotOpen || result == AccessADOClass::FileNotFound;
    XX共通関数::ShowErrorMessage(database ? result : XX共通関数::ReadFailed, title, 0);
    return false;
}

}  // namespace MonthlyStore
