#pragma once

#include <QString>
#include <cstdint>

namespace jet {

// Error numbers of the engine layer. They lie above 3000 so that, negated, they never
// meet the system's own result codes (-1, -20, -22, -500 to -800, -1000).
enum ErrorNumber : int32_t {
    errNone = 0,
    errFileNotFound = 3024,    // the database file does not exist
    errCannotOpen = 3343,      // wrong password or not a database file (damaged)
    errBusy = 3260,            // the file is locked by another connection
    errSyntax = 3075,          // the statement could not be prepared
    errExecution = 3061,       // the statement failed while running
    errDuplicateKey = 3022,    // a unique key would be duplicated
    errNotOpen = 3704,         // no open connection
    errTransaction = 3246,     // begin, commit or rollback failed
    errConnectionText = 3170,  // the connection text names no usable provider or file
    errFileExists = 3204,      // a database to be created exists already
    errNewerFormat = 3350,     // the file was written in the format of a newer release
    errTableNotFound = 3078,   // a table the system needs is not in the file
    errTimedOut = 3362,        // the check of a file did not end within its time limit
};

struct Error {
    int32_t number = errNone;
    QString description;

    explicit operator bool() const { return number != errNone; }
};

}  // namespace jet
