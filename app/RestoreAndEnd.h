#pragma once

// The program's end after a missing or damaged database. It sits above the restore
// screen of backup/, which the settings record of core must not reach.
namespace MainModule {

// Once the database's message has been shown: the restore screen, modal and without an
// owner, then the end of the program, whatever the user did there.
void RestoreAndEnd();

}  // namespace MainModule
