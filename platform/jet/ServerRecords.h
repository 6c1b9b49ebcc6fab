#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "Recordset.h"
#include "ServerSession.h"

namespace jet {

// The records of one statement run on a server, for a Recordset: the server sends every
// row at once, and the recordset walks them. Columns that the server types only loosely
// (a numeric sum) take their type from the statement, as on the file.
class ServerRecords {
  public:
    Error open(const QString& jetSql, const std::shared_ptr<ServerSession>& session);
    bool eof() const { return row_ >= rowCount_; }
    // A closed session ends the records with errNotOpen, a value that cannot be read (an
    // amount beyond the currency range) with its error, on opening as on moving.
    Error moveNext();
    std::vector<Field>& fields() { return fields_; }

  private:
    void setUpColumns(const QString& jetSql);
    Error readRow();

    std::shared_ptr<ServerSession> session_;
    ServerResult result_{nullptr, nullptr};
    std::vector<unsigned int> typeOids_;
    std::vector<FieldType> columnTypes_;
    std::vector<Field> fields_;
    int row_ = 0;
    int rowCount_ = 0;
};

}  // namespace jet
