#include "MasterDatabase.h"

#include "backup/RestoreAndEnd.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"

namespace MasterDatabase {

void Configure(AccessADOClass& access) {
    access.DBName(MainModule::DBFileName);
    access.Password(MainModule::DBPassword);
    access.DBPath(MainModule::DBFolder);
}

int32_t Count(const QString& table, const QString& where) {
    AccessADOClass access;
    Configure(access);
    access.AccessFlag("2");
    access.AddFromVerse(table);
    if (!where.isEmpty()) {
        access.AddWhereVerse(where);
    }
    return access.Execute();
}

int32_t ShowFailure(int32_t result, int32_t screenCode, const QString& title) {
    if (result == AccessADOClass::CannotOpen || result == AccessADOClass::FileNotFound) {
        XX共通関数::ShowErrorMessage(result, title, 0);
        MainModule::RestoreAndEnd();
        return result;
    }
    XX共通関数::ShowErrorMessage(screenCode, title, 0);
    return screenCode;
}

}  // namespace MasterDatabase
