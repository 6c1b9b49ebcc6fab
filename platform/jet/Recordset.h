#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "JetError.h"
#include "platform/runtime/Variant.h"

namespace jet {

class Connection;

// Field types as ADO reports them.
enum FieldType : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adBigInt = 20,
    adVarWChar = 202,
    adLongVarBinary = 205,
};

struct Field {
    QString name;
    FieldType type = adEmpty;
    vb::Variant value;
};

// A forward-only, read-only recordset over the result of one statement.
class Recordset {
  public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;

    // Runs the statement on the connection and moves to the first record.
    Error open(const QString& sql, Connection& connection);
    bool isOpen() const;
    bool eof() const;
    // Moves to the next record; a failure while stepping ends the records and is
    // returned.
    Error moveNext();
    int fieldCount() const;
    const Field& field(int index) const;  // of the current record
    const vb::Variant& value(int index) const { return field(index).value; }
    void close();

  private:
    const std::vector<Field>& fields() const;

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace jet
