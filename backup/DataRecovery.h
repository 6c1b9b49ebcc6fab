#pragma once

#include <QString>

// What an operation on the data folder left when it was stopped (a crash, a kill, a power
// loss), put right at the start of each program before anything reads the database.
namespace DataRecovery {

// For each run folder (RunFolder) in the data folder: a recorded replacement is settled
// (ReplaceRecord: finished, or undone when it cannot be finished); everything else the
// run left, its partial file included, is removed; so is the work that the earlier
// release left (EarlierWorkFiles). Nothing is done while another program holds the data
// folder's lock after a short wait.
void Recover(const QString& dataFolder);

}  // namespace DataRecovery
