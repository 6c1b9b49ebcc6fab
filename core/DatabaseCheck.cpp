#include "DatabaseCheck.h"

#include <cstdlib>

#include "AccessADOClass.h"
#include "DatabaseFiles.h"

namespace DatabaseCheck {

namespace {

int32_t resultOf(const jet::Error& error, bool* newerFormat) {
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
        case jet::errTimedOut:
            return TimedOut;
        default:
            return -std::abs(error.number);
    }
}

}  // namespace

int32_t Structure(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat) {
    return resultOf(jet::checkFile(folder + "/" + fileName, password, DatabaseFiles::SchemaSql()),
                    newerFormat);
}

int32_t OwnFile(const QString& folder, const QString& fileName, const QString& password,
                bool* newerFormat, qint64 milliseconds) {
    return resultOf(jet::checkOwnFile(folder + "/" + fileName, password, DatabaseFiles::SchemaSql(),
                                      milliseconds),
                    newerFormat);
}

void Recover(const QString& folder, const QString& fileName, const QString& password) {
    jet::recoverFile(folder + "/" + fileName, password);
}

}  // namespace DatabaseCheck
