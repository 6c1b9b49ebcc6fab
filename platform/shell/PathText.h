#pragma once

#include <QString>
#include <filesystem>

namespace shell {

// Paths of this layer are texts joined with "/"; file names are stored as UTF-8 bytes.
std::filesystem::path toPath(const QString& text);
QString fromPath(const std::filesystem::path& path);

// The last part of a path joined with "/".
QString fileNameOf(const QString& path);

// A name that stands for one entry of a folder: not empty, no folder part ("/" or "\"),
// not "." or "..", no NUL.
bool isPlainName(const QString& name);

}  // namespace shell
