#include "AppPath.h"

#include <filesystem>

namespace vb {

QString AppPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return QString::fromStdString(std::filesystem::current_path().string());
    }
    return QString::fromStdString(program.parent_path().string());
}

}  // namespace vb
