#pragma once

#include <QString>

#include "FileOpResult.h"

namespace shell {

// Silent, permanent delete of every file and folder that a pattern names (see findFiles),
// folders with everything in them; links are removed, not followed. A pattern that names
// nothing is a failure. An empty pattern, the root folder and the entries directly
// under it are refused. Stops at the first failure.
FileOpResult deleteFiles(const QString& pattern);

// Deletes one file (no wildcards, no folders); true when it was removed.
bool deleteFile(const QString& path);

}  // namespace shell
