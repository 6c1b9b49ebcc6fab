#pragma once

#include <QString>

#include "JetError.h"
#include "ServerSession.h"

namespace jet {

// Creates a new database `login.database` on the server (UTF-8, texts compared and
// sorted by their bytes, as on the file) and runs the schema statements (the server's
// own SQL) on it in one transaction. Used only by the installation tool and the tests.
// An existing database is never touched (errFileExists); a schema that fails or creates
// no table leaves no database behind.
Error createServerDatabase(const ServerLogin& login, const QString& schemaSql);

}  // namespace jet
