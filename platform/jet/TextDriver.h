#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

#include "JetError.h"

namespace jet {

class Session;

// One text file of the folder: its header names and its records, each field as the
// file holds it, an empty field as Null (no value).
struct TextTable {
    QStringList columns;
    std::vector<std::vector<std::optional<QString>>> rows;
};

// Reads a text file with a header line: fields separated by ",", records by CR LF or LF.
// A field in "double quotes" gives the text inside (a doubled quote stands for itself);
// a field in 'single quotes' is kept with its quotes, as a literal for SQL, and within
// it a doubled quote, a "," and a line break belong to the field. Header names that are
// empty become F1, F2, ... by position.
bool readTextTable(const QString& path, TextTable& table);

// The text driver: a folder whose *.csv and *.txt files are the tables, named with their
// extension ("SELECT * FROM name.csv"). The files are read when the folder is opened,
// into a work database in a temporary folder that lives as long as this object; every
// field is a text. The engine reaches "name.csv" as table "csv" of its schema "name",
// so the files of as many base names as the engine can attach (10) are reached; a
// statement naming a file beyond them fails as for a missing table.
class TextDriver {
  public:
    // A missing folder gives errFileNotFound, an unreadable file errCannotOpen.
    Error open(const QString& folder, int busyTimeoutMs, std::shared_ptr<Session>& session);

  private:
    std::unique_ptr<QTemporaryDir> workFolder_;
};

// Whether the connection text's Driver item names the text driver.
bool isTextDriver(const QString& driver);

}  // namespace jet
