#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstdint>

class AccessADOClass;

// A private copy of the shipped keyed database "morvik2.mde" in a fresh temporary folder,
// removed with the object. The shipped file is taken from the build's stage folder.
class TestDatabase {
  public:
    TestDatabase();

    // False when the shipped database could not be copied (error() tells why).
    bool isValid() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    // Folder of the copy, without a trailing "/".
    QString folder() const;
    static QString fileName() { return QStringLiteral("morvik2.mde"); }
    static QString password() { return QStringLiteral("KORUMA4VXTB"); }
    QString filePath() const;

    // DBName, Password and DBPath of the wrapper set to this copy.
    void configure(AccessADOClass& access) const;
    // Rows of the table (matching the WHERE condition, when one is given), or the
    // wrapper's negative result code.
    int32_t count(const QString& table, const QString& where = QString()) const;

    // The stage folder with the shipped files, and the shipped database in it.
    static QString stageFolder();
    static QString shippedFilePath();

  private:
    QTemporaryDir dir_;
    QString error_;
};

// Code 2 over the table (and the WHERE condition, when one is given) with the wrapper
// as the caller set it up: the count or the negative result code.
int32_t countRows(AccessADOClass& access, const QString& table, const QString& where);
