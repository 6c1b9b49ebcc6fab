#include "CommonClass.h"

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

bool isFile(const QString& text) {
    std::error_code error;
    return !text.isEmpty() && std::filesystem::is_regular_file(toPath(text), error);
}

bool isFolder(const QString& text) {
    std::error_code error;
    return !text.isEmpty() && std::filesystem::is_directory(toPath(text), error);
}

}  // namespace

QString CommonClass::SearchDirectory(int16_t argDirType, const QString& argFilePath,
                                     const QString& argFileName, uint8_t argMake) const {
    switch (argDirType) {
        case NormalFile:
            if (argFileName.isEmpty()) {
                return isFile(argFilePath) ? argFilePath + "/" : QString();
            }
            [[fallthrough]];
        case SystemFile: {
            if (argFileName.isEmpty()) {
                return QString();
            }
            const QString fullPath = argFilePath + "/" + argFileName;
            return isFile(fullPath) ? fullPath : QString();
        }
        case Folder: {
            if (isFolder(argFilePath)) {
                return argFilePath;
            }
            if (argMake == 0) {
                return QString();
            }
            if (argMake == 1) {
                std::error_code error;
                if (argFilePath.isEmpty() ||
                    !std::filesystem::create_directory(toPath(argFilePath), error)) {
                    return QString();
                }
            }
            return argFilePath;
        }
        default:
            return QString();
    }
}

QString CommonClass::MidPath(const QString& argPath) const {
    return argPath.endsWith('/') ? argPath.chopped(1) : argPath;
}

QString CommonClass::PutPath(const QString& argPath) const {
    return argPath.endsWith('/') ? argPath : argPath + "/";
}
