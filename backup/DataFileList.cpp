#include "DataFileList.h"

#include "core/CommonClass.h"
#include "core/XXCommonFunctions.h"
#include "platform/shell/PathText.h"

namespace DataFileList {

bool read(const QString& iniFile, const QString& dataFolder, QStringList& files) {
    files.clear();
    const QString folder = CommonClass().PutPath(dataFolder);
    for (int n = 1; n <= MaxFiles; ++n) {
        const QString name = XX共通関数::ReadIniString(iniFile, QStringLiteral("BackupFile"),
                                                       QStringLiteral("File%1").arg(n));
        if (name.isEmpty()) {
            break;
        }
        if (!shell::isPlainName(name)) {
            files.clear();
            return false;
        }
        files << folder + name;
    }
    return !files.isEmpty();
}

}  // namespace DataFileList
