#pragma once

#include <QString>

namespace shell {

// The user's temporary folder ($TMPDIR when it exists, else /tmp), without a trailing "/".
QString tempFolder();

// Creates one folder level; its parent must exist. True when the folder exists
// afterwards, also when it was there before.
bool makeFolder(const QString& path);

// Creates a folder with every missing parent. True when the folder exists afterwards.
bool makeFolders(const QString& path);

}  // namespace shell
