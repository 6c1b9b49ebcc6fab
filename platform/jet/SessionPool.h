#pragma once

#include <QString>
#include <memory>

#include "JetError.h"

struct sqlite3;

namespace jet {

class Session;

// Keeps the session of the last closed connection to a database file open, so that the
// next connection to the same file finds its pages read and decrypted already. The
// kept session is handed out again only for the same path, password and mode while the path
// still names the file it has open, unchanged since (FileIdentity); otherwise it is
// closed and a new session opened. A kept session holds no statement, no lock and no
// transaction, and what its connection wrote is in the file when the connection closes,
// as with any closed connection.
namespace SessionPool {

// What a connection asks to open: a session is handed out again only for the same.
struct Request {
    QString path;
    QString password;
    QString mode;  // the connection text's Mode item

    bool operator==(const Request&) const = default;
};

// Opens the file for a connection: the kept session when it fits, else a new one. The
// failures are those of Session::open.
Error open(const Request& request, int busyTimeoutMs, std::shared_ptr<Session>& session);

// Ends a connection's use of its session: kept when it came from open, is idle (no other
// owner, no statement, no transaction), no statement on it failed, its tables are as when
// it was opened and its file is still the one at the path; closed otherwise.
void release(std::shared_ptr<Session> session);

// Notes a failure of the engine on the handle: its session is not kept. A failed read of a
// damaged page can leave the handle unable to read any further page.
void noteFailure(sqlite3* db);

}  // namespace SessionPool

}  // namespace jet
