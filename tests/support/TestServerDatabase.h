#pragma once

#include <QString>

class AccessADOClass;

// A fresh database of the server schema on the PostgreSQL server that the test script
// started (PGHOST, PGPORT, PGUSER and PGPASSWORD point to it), dropped with the object.
class TestServerDatabase {
  public:
    TestServerDatabase();
    // Only a fresh name, for a database that the test makes itself; dropped all the same.
    struct NameOnly {};
    explicit TestServerDatabase(NameOnly);
    ~TestServerDatabase();
    TestServerDatabase(const TestServerDatabase&) = delete;
    TestServerDatabase& operator=(const TestServerDatabase&) = delete;

    // False when there is no server or the database could not be made (error() tells).
    bool isValid() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    const QString& name() const { return name_; }
    static QString userName();
    static QString password();
    static QString schemaPath();

    // Provider 1, DBName, UserName and Password of the wrapper set to this database.
    void configure(AccessADOClass& access) const;

  private:
    QString name_;
    QString error_;
};
