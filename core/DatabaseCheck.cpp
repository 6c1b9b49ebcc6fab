#include "DatabaseCheck.h"

#include <cstdlib>

#include "AccessADOClass.h"
#include "DatabaseFiles.h"
#include "platform/jet/FileCheck.h"

namespace DatabaseCheck {

int32_t Structure(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat) {
    const jet::Error error =
        jet::checkFile(folder + "/" + fileName, password, DatabaseFiles::SchemaSql());
    if (newerFormat != nullptr) {
        *newerFormat = error.number == jet::errNewerFormat;
    }
    switch (error.number) {
        case jet::errNone:
            return 0;
        case jet::errFileNotFound:
            return AccessADOClass::FileNotFound;
        case jet::errCannotOpen:
        case jet::errNewerFormat:
            return AccessADOClass::CannotOpen;
        case jet::errTableNotFound:
            return TableMissing;
        default:
            return -std::abs(error.number);
    }
}

}  // namespace DatabaseCheck
