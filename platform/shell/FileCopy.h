#pragma once

#include <QString>

#include "FileOpResult.h"

namespace shell {

// Silent copy as the shell does it. The source is a pattern (wildcards in its last part,
// "/a/b/*.*"), a file or a folder; folders are copied with everything in them. When the
// target is an existing folder, or the source has wildcards, the entries go into the
// target folder, which is created when missing; otherwise the single source is copied
// to the target name (its folder created when missing). Existing files are replaced
// without asking; a replaced file is written to a side file first, so that a failed
// copy leaves the old file whole. Copying a file onto itself or a folder into itself
// fails. Stops at the first failure; ok only when everything was copied, and a source
// that names nothing is a failure.
FileOpResult copyFiles(const QString& source, const QString& target);

}  // namespace shell
