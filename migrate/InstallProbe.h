#pragma once

#include <QString>

#include "InstallInfo.h"

namespace modConvert {

// Describes the installation in the folder: its main program ("morvik*.exe", or on this
// platform an executable "morvik*" without extension) with its version file, and its
// database ("morvik*.mdb", else "morvik*.mde"). False when one of them is missing.
bool ProbeInstallFolder(const QString& folder, InstallInfo& info);
// The folder of the new installation's database: Kelvarn/Sales/Ver2 under the local
// application data folder, where the setup wizard wrote the settings.
QString NewDataFolder();
// Describes the new installation: its database "morvik2.mde" in NewDataFolder(), the
// version of this build. False when the database is missing.
bool ProbeOwnFolder(InstallInfo& info);

// The password that opens the earlier database: none for an unencrypted file, else the
// database password (an earlier file keyed like the new one).
QString SourcePasswordFor(const QString& databasePath);

}  // namespace modConvert
