#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace shell {

// Process id of a started program; 0 stands for none.
using ProcessId = int64_t;

// Finds a file as the Windows path search does: a name with a folder part (absolute, or
// relative to the current folder) is taken as it stands; a bare name is looked for in
// the current folder, then the program folder, then each folder of $PATH. Only files
// count, not folders. Returns the full path, or "" when not found.
QString findExecutablePath(const QString& fileName);

// Starts a program on its own (it outlives this one); its id, or 0 when it cannot be
// started. A bare program name is looked up in $PATH.
ProcessId startProgram(const QString& program, const QStringList& arguments,
                       const QString& workingFolder = QString());

// Runs a program and waits for it to end: its exit code, or -1 when it could not be
// started, crashed or did not end within the time (it is then killed).
int runProgram(const QString& program, const QStringList& arguments, int timeoutMs = 30000);

// Waits until the process has ended (a negative time waits without limit); true when it
// has ended within the time.
bool waitForExit(ProcessId processId, int timeoutMs);

// Asks the process to end, kills it when it does not within a second; true when it is
// gone. Ids of 0 and below and this program's own id are refused.
bool terminateProcess(ProcessId processId);

}  // namespace shell
