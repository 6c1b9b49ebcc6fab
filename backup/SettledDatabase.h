#pragma once

#include <QString>

// Database files in the rollback-journal mode the system writes, holding their whole state
// alone, so that a plain copy of one is a sound database.
namespace SettledDatabase {

// Whether a journal or a log beside the database holds anything.
bool SideFilesHoldData(const QString& path);

// Opens the file for writing with the password, which lets the engine roll back an
// interrupted transaction from its journal, and turns a write-ahead log into that mode
// (its writes go into the file). True when the file now holds everything alone: settled so,
// or, when the engine cannot read it, with no journal or log beside it that holds anything.
// False for a log that cannot be turned (another connection still uses it).
bool Settle(const QString& path, const QString& password);

// Copies the database at source (followed when it is a link) with the journal or log
// beside it to the new file target and settles the copy there, so that the source is
// never written. True when target holds the whole state alone. A copy that cannot be
// settled keeps the copies of the journal and log beside it when keepSideFiles is set
// (true then); otherwise false, with nothing left behind.
bool CopySettled(const QString& source, const QString& target, const QString& password,
                 bool keepSideFiles);

}  // namespace SettledDatabase
