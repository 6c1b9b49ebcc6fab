#pragma once

#include <QString>

// The work files that the earlier release's backup, restore, import and export left when
// they were stopped, named by that release's rules:
// - in the data folder "." & name & ".old-" & process id (a data file or an engine side
//   file moved aside) and "." & name & ".restore-" & process id (the copy to put in
//   place), and "." & name & ".copy-" & process id & "-" & count (an unfinished copy);
// - in the backup root ".work-" & process id & "-" & count (an unfinished backup);
// - in the temporary folder "morvik2_" & 14 digits of time, "_" & a number when taken,
//   as a folder (the files of an import) or with ".zip" or ".mde" (an archive or a copy),
//   the archive writer's partial file beside it, and unfinished copies to those names.
// Only regular files and folders of the user are taken, never links, and only the work
// of a process that no longer runs.
namespace EarlierWorkFiles {

// Settles an interrupted replacement of data files (the data folder gets back each file
// moved aside while a copy was still waiting to go in; otherwise the new files stay)
// and removes every other leftover. The caller holds the data folder's lock.
void Settle(const QString& dataFolder, const QString& tempFolder);

}  // namespace EarlierWorkFiles
