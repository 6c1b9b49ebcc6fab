#pragma once

#include <QString>

// The database files and the database password that the three programs share, and the
// data folder where the installed database lies.
namespace DatabaseFiles {

inline const QString DatabaseName = QStringLiteral("morvik2.mde");
// The unencrypted development copy in the program folder.
inline const QString DevelopmentDatabaseName = QStringLiteral("morvik2.mdb");
inline const QString DatabasePassword = QStringLiteral("KORUMA4VXTB");

// The statements that make the tables of the shipped database.
QString SchemaSql();

// The local application-data folder & "/Kelvarn/Sales/Ver2", without a trailing "/".
QString DataFolder();

}  // namespace DatabaseFiles
