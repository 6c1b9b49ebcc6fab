#include "DataFileCheck.h"

#include "core/AccessADOClass.h"
#include "platform/jet/IntegrityCheck.h"

namespace DataFileCheck {

int32_t BasicRows(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat) {
    if (newerFormat != nullptr) {
        *newerFormat = false;
    }
    // basic_tbl last: its count is the result.
    int32_t result = 0;
    for (const char* table : {"system_type", "ClassifyMast_tbl", "TradeMast_tbl", "Management_Tbl",
                              "FixDeta_tbl", "basic_tbl"}) {
        AccessADOClass access;
        access.AccessFlag(QStringLiteral("2"));
        access.ReadOnly(true);  // a checked backup stays as it was written
        access.DBName(fileName);
        access.Password(password);
        access.DBPath(folder);
        access.AddFromVerse(QString::fromLatin1(table));
        result = access.Execute();
        if (result < 0) {
            if (newerFormat != nullptr) {
                *newerFormat = result == AccessADOClass::CannotOpen && access.NewerFormat();
            }
            return result;
        }
    }
    // The counts read only some of the pages: damage elsewhere would come in with the file.
    if (jet::checkIntegrity(folder + "/" + fileName, password)) {
        return AccessADOClass::CannotOpen;
    }
    return result;
}

}  // namespace DataFileCheck
