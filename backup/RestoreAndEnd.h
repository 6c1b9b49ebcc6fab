#pragma once

// The program's end after a missing or damaged database, next to the restore screen so
// that every screen reaches it from above. It keeps the name of the program's module,
// whose settings record in core must not reach the restore screen.
namespace MainModule {

// Once the database's message has been shown: the restore screen, modal and without an
// owner, then the end of the program, whatever the user did there. A database on the
// server (Provider 1) gets no restore screen: the program just ends.
void RestoreAndEnd();

}  // namespace MainModule
