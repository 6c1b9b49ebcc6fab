#pragma once

#include <QString>
#include <filesystem>

namespace shell {

// Paths of this layer are texts joined with "/"; file names are stored as UTF-8 bytes.
std::filesystem::path toPath(const QString& text);
QString fromPath(const std::filesystem::path& path);

// The last part of a path joined with "/".
QString fileNameOf(const QString& path);

// The name of one entry of a folder as the file system holds it: not empty, no "/", not
// "." or "..", no NUL.
bool isEntryName(const QString& name);

// A name from a text written for Windows (a list, an archive) that stands for one entry of
// a folder: an entry name without "\", which there divides folders.
bool isPlainName(const QString& name);

}  // namespace shell
