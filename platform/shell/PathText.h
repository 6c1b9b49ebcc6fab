#pragma once

#include <QString>
#include <filesystem>

namespace shell {

// Paths of this layer are texts joined with "/"; file names are stored as UTF-8 bytes.
std::filesystem::path toPath(const QString& text);
QString fromPath(const std::filesystem::path& path);

}  // namespace shell
