#include "InterruptedWrite.h"

#include <signal.h>
#include <sqlcipher/sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include "platform/jet/Session.h"

namespace InterruptedWrite {

namespace {

QByteArray digest(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

// The rows of the class '001' numbered 1 to count, named after the given word.
QByteArray insertProducts(int count, const char* name) {
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           QByteArray::number(count) +
           ") INSERT INTO TradeMast_tbl (Classify_No, Trade_No, Trade_Name) "
           "SELECT '001', printf('%04d', i), '" +
           name + "' || i FROM n;";
}

}  // namespace

QString run(const QString& path, const QString& password, const char* sql) {
    sqlite3* db = nullptr;
    if (jet::Error error = jet::openKeyed(path, password, false, 2000, db)) {
        return error.description;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const QString error = rc == SQLITE_OK ? QString() : QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close_v2(db);
    return error;
}

QString fillProducts(const QString& path, const QString& password, int products) {
    const QByteArray sql =
        "INSERT OR IGNORE INTO ClassifyMast_tbl (Classify_No, Classify_Name) VALUES ('001', "
        "'文具');" +
        insertProducts(products, "ペン");
    return run(path, password, sql.constData());
}

QString killDuringReplace(const QString& path, const QString& password) {
    const QByteArray sql = "PRAGMA cache_size = 4; BEGIN; DELETE FROM TradeMast_tbl;" +
                           insertProducts(3000, "かわりの品");
    const QByteArray before = digest(path);
    int ready[2];
    if (::pipe(ready) != 0) {
        return QStringLiteral("no pipe");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        return QStringLiteral("no child process");
    }
    if (child == 0) {
        ::close(ready[0]);
        sqlite3* db = nullptr;
        if (jet::openKeyed(path, password, false, 2000, db) ||
            sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            ::_exit(1);
        }
        const char written = 'w';
        if (::write(ready[1], &written, 1) != 1) {
            ::_exit(1);
        }
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char written = 0;
    const bool wrote = ::read(ready[0], &written, 1) == 1;
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (!wrote) {
        return QStringLiteral("the child process did not write");
    }
    if (QFileInfo(path + "-journal").size() == 0) {
        return QStringLiteral("no journal left");
    }
    if (digest(path) == before) {
        return QStringLiteral("the write did not reach the file");
    }
    return QString();
}

QString productRows(const QString& path, const QString& password) {
    sqlite3* db = nullptr;
    if (jet::openKeyed(path, password, false, 2000, db, true)) {
        return QString();
    }
    sqlite3_stmt* statement = nullptr;
    QString rows;
    if (sqlite3_prepare_v2(db,
                           "SELECT group_concat(Classify_No || Trade_No || Trade_Name, ',') FROM "
                           "(SELECT * FROM TradeMast_tbl ORDER BY Classify_No, Trade_No)",
                           -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        rows = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    sqlite3_close_v2(db);
    return rows;
}

}  // namespace InterruptedWrite
