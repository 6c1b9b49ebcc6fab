#pragma once

#include <QString>
#include <cstdint>

class AccessADOClass;

// What the master screens share in their use of the database.
namespace MasterDatabase {

// DBName, Password and DBPath of the settings record.
void Configure(AccessADOClass& access);

// The rows of a table, of those meeting the condition when one is given, or a negative
// code (not shown).
int32_t Count(const QString& table, const QString& where = QString());

// Shows a failed result: the database codes (-1000, -1) with their own message and the
// restore path, any other negative code as the screen's code. Returns the code shown.
int32_t ShowFailure(int32_t result, int32_t screenCode, const QString& title);

}  // namespace MasterDatabase
