#include "IntegrityCheck.h"

#include <sqlcipher/sqlite3.h>

#include "EngineError.h"
#include "Session.h"

namespace jet {

Error checkIntegrity(const QString& path, const QString& password) {
    Session session;
    // Only read: a file of the previous format is checked as it stands, not converted.
    if (Error error = session.open(path, password, 2000, true)) {
        return error;
    }
    return checkIntegrity(session.db());
}

Error checkIntegrity(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA integrity_check(1)", -1, &statement, nullptr);
    // A sound file gives the one row "ok"; a damaged one its findings or an error.
    QString finding;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            finding =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        }
    }
    Error error;
    if (rc != SQLITE_ROW) {
        error = engineError(db, rc, errCannotOpen);
    } else if (finding != QLatin1String("ok")) {
        error = makeError(errCannotOpen, finding);
    }
    sqlite3_finalize(statement);
    return error;
}

}  // namespace jet
