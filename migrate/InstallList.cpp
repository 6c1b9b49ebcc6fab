#include "InstallList.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

#include "InstallProbe.h"
#include "VersionFunctions.h"
#include "core/XXCommonFunctions.h"

void InstallList::SearchStandardFolders() {
    QStringList folders;
    XX共通関数::FindFiles(XX共通関数2::ExpandEnvironment("%programfiles%/Kelvarn/Sales*"), folders,
                          false, XX共通関数::FoldersOnly);
    folders.sort();
    for (const QString& folder : folders) {
        AddInstallation(folder);
    }
}

bool InstallList::AddInstallation(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    for (const InstallInfo& row : rows_) {
        if (row.InstallFolder == path) {
            return true;
        }
    }
    InstallInfo info;
    std::array<int, 3> version{};
    if (!modConvert::ProbeInstallFolder(path, info) ||
        !XX共通関数2::SplitVersion(info.ProductVersion, version) || version[0] != 1) {
        return false;
    }
    const auto place = std::find_if(rows_.begin(), rows_.end(), [&info](const InstallInfo& row) {
        return row.LastUpdate < info.LastUpdate;
    });
    rows_.insert(place, info);
    return true;
}
