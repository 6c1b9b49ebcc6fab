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

namespace {

Error runCheck(sqlite3* db, const QByteArray& pragma) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, pragma.constData(), -1, &statement, nullptr);
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

}  // namespace

Error checkIntegrity(sqlite3* db) {
    return runCheck(db, "PRAGMA integrity_check(1)");
}

Error checkTableIntegrity(sqlite3* db, const QString& table) {
    QString quoted = table;
    quoted.replace(u'\'', QStringLiteral("''"));
    return runCheck(db, "PRAGMA integrity_check('" + quoted.toUtf8() + "')");
}

}  // namespace jet
