#include "SessionPool.h"

#include <sqlcipher/sqlite3.h>

#include <mutex>
#include <optional>
#include <unordered_map>

#include "EngineError.h"
#include "FileIdentity.h"
#include "Session.h"

namespace jet {

namespace {

// Where a session opened through the pool came from.
struct Origin {
    SessionPool::Request request;
    int schemaVersion = 0;
    bool failed = false;  // a statement on the session failed
};

struct Kept {
    std::shared_ptr<Session> session;
    Origin origin;
    FileIdentity identity;
};

struct Pool {
    std::mutex mutex;
    std::unordered_map<const Session*, Origin> inUse;
    std::optional<Kept> kept;
};

// Never destroyed: closing an idle session at the end of the process would only race
// the crypto library's own cleanup, and an idle session has nothing to write.
Pool& pool() {
    static Pool* const instance = new Pool;
    return *instance;
}

// The engine's counter of changes to the tables' definitions, waiting as long as given
// for a file locked by another connection; -1 when it cannot be read. The wait stays set.
int schemaVersion(sqlite3* db, int busyTimeoutMs) {
    sqlite3_busy_timeout(db, busyTimeoutMs);
    sqlite3_stmt* statement = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        version = sqlite3_column_int(statement, 0);
    }
    sqlite3_finalize(statement);
    return version;
}

bool isIdle(sqlite3* db) {
    return sqlite3_get_autocommit(db) != 0 && sqlite3_next_stmt(db, nullptr) == nullptr;
}

// The kept session when it was opened for the same request; a kept session of another
// request stays unless its file has gone from its path. What leaves the pool goes to
// `closing`, to be closed outside the lock.
std::shared_ptr<Session> takeKept(const SessionPool::Request& request, std::optional<Kept>& taken,
                                  std::shared_ptr<Session>& closing) {
    Pool& p = pool();
    const std::lock_guard<std::mutex> lock(p.mutex);
    if (!p.kept) {
        return nullptr;
    }
    if (p.kept->origin.request == request) {
        taken = std::move(p.kept);
        p.kept.reset();
        return taken->session;
    }
    int moved = 1;
    sqlite3_file_control(p.kept->session->db(), "main", SQLITE_FCNTL_HAS_MOVED, &moved);
    if (moved) {
        closing = std::move(p.kept->session);
        p.kept.reset();
    }
    return nullptr;
}

void registerInUse(const std::shared_ptr<Session>& session, Origin origin) {
    Pool& p = pool();
    const std::lock_guard<std::mutex> lock(p.mutex);
    p.inUse[session.get()] = std::move(origin);
}

// The kept session again, when its file is unchanged and it can read it now: nothing
// when a new session should be opened instead, an error when the file is locked.
std::optional<Error> reuse(const Kept& kept, int busyTimeoutMs) {
    sqlite3* db = kept.session->db();
    FileIdentity now;
    if (!FileIdentity::read(kept.origin.request.path, db, now) || now != kept.identity) {
        return std::nullopt;
    }
    sqlite3_busy_timeout(db, busyTimeoutMs);
    // The read that a new session makes on opening, with the same outcome on a file
    // locked by another connection.
    const int rc =
        sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        return Error{};
    }
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        return engineError(db, rc, errCannotOpen);
    }
    return std::nullopt;
}

}  // namespace

namespace SessionPool {

Error open(const Request& request, int busyTimeoutMs, std::shared_ptr<Session>& session) {
    std::optional<Kept> kept;
    std::shared_ptr<Session> closing;
    if (takeKept(request, kept, closing) && kept) {
        const std::optional<Error> reused = reuse(*kept, busyTimeoutMs);
        if (reused && !*reused) {
            session = kept->session;
            registerInUse(session, kept->origin);
            return {};
        }
        kept->session->close();
        if (reused) {
            return *reused;
        }
    }
    if (closing) {
        closing->close();
    }
    auto opened = std::make_shared<Session>();
    const bool readOnly =
        request.mode.trimmed().compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0;
    if (Error error = opened->open(request.path, request.password, busyTimeoutMs, readOnly)) {
        return error;
    }
    // Room for the pages of some months of daily rows (at most 64 MiB, taken only as pages
    // are read), so that the next connection finds what it reads, and a month's sorting
    // stays in memory.
    sqlite3_exec(opened->db(), "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);
    registerInUse(opened, Origin{request, schemaVersion(opened->db(), busyTimeoutMs)});
    session = std::move(opened);
    return {};
}

void release(std::shared_ptr<Session> session) {
    if (!session) {
        return;
    }
    Pool& p = pool();
    std::optional<Origin> origin;
    {
        const std::lock_guard<std::mutex> lock(p.mutex);
        if (const auto found = p.inUse.find(session.get()); found != p.inUse.end()) {
            origin = std::move(found->second);
            p.inUse.erase(found);
        }
    }
    sqlite3* db = session->db();
    FileIdentity identity;
    if (!origin || origin->failed || session.use_count() != 1 || !db || !isIdle(db) ||
        schemaVersion(db, 0) != origin->schemaVersion ||
        !FileIdentity::read(origin->request.path, db, identity)) {
        session->close();
        return;
    }
    std::shared_ptr<Session> replaced;
    {
        const std::lock_guard<std::mutex> lock(p.mutex);
        if (p.kept) {
            replaced = std::move(p.kept->session);
        }
        p.kept = Kept{std::move(session), std::move(*origin), identity};
    }
    if (replaced) {
        replaced->close();
    }
}

void noteFailure(sqlite3* db) {
    Pool& p = pool();
    const std::lock_guard<std::mutex> lock(p.mutex);
    for (auto& [session, origin] : p.inUse) {
        if (session->db() == db) {
            origin.failed = true;
        }
    }
}

}  // namespace SessionPool

}  // namespace jet
