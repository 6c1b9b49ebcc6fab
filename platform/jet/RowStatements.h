#pragma once

#include <QHash>
#include <QString>

#include "JetError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace jet {

struct BoundRow;

// The statements of the rows inserted through one connection, each prepared once with a
// parameter per value and run again with the next row's values bound, so that a table's
// rows are not each written, translated and prepared anew. They hold no lock between
// rows; clear() finalizes them before the connection lets its file go.
class RowStatements {
  public:
    RowStatements() = default;
    ~RowStatements();
    RowStatements(const RowStatements&) = delete;
    RowStatements& operator=(const RowStatements&) = delete;

    // Inserts the row on db: a failure to prepare is errSyntax, a failure to write
    // errExecution, as for the same row written out.
    Error insert(sqlite3* db, const BoundRow& row);
    void clear();

  private:
    QHash<QString, sqlite3_stmt*> statements_;  // by their Jet text
};

}  // namespace jet
