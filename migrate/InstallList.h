#pragma once

#include <QString>
#include <vector>

#include "InstallInfo.h"

// The earlier installations (major version 1) that the migration can take data from,
// newest data first.
class InstallList {
  public:
    // Every installation in the standard folders "%programfiles%/Kelvarn/Sales*".
    void SearchStandardFolders();
    // Adds the folder's installation when it is one of major version 1; true when it is
    // listed afterwards (a folder listed already is not added twice).
    bool AddInstallation(const QString& folder);

    int Count() const { return static_cast<int>(rows_.size()); }
    const InstallInfo& Row(int index) const { return rows_.at(static_cast<size_t>(index)); }

  private:
    std::vector<InstallInfo> rows_;
};
