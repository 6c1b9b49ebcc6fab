#pragma once

#include <QString>
#include <QTemporaryDir>

// The earlier database as the migration reads it. A file with the journal of an unfinished
// write or a write-ahead log beside it cannot be read without the engine settling it, which
// the earlier installation must not see: the file and what lies beside it are copied into a
// private folder and settled there. Any other file is read where it is. The copy lives as
// long as the object.
class EarlierDatabaseCopy {
  public:
    // password opens a keyed file; a plain file is recovered without it.
    EarlierDatabaseCopy(const QString& databasePath, const QString& password);

    // False when a copy was needed and could not be made.
    bool ok() const { return !path_.isEmpty(); }
    // The file to read.
    QString path() const { return path_; }

  private:
    QTemporaryDir folder_;
    QString path_;
};
