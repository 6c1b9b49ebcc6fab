#pragma once

#include <QString>

class CommonClass;

// Start of the setup wizard and what it records about the installation.
namespace modSetup {

// The database the wizard sets up: file name, password and folder (no trailing "/").
extern QString DBFileName;
extern QString DBPassword;
extern QString DBFolder;
// Started with "/install" and more ("/install reset"): the pages are shown even when
// the settings were made before.
extern bool ResetMode;
// The path helpers of the wizard, created on first use.
CommonClass& SharedCommon();

// The registry key of the install information and the version the wizard installs.
QString InstallKey();
QString InstallVersion();

// Chooses the database by the command line as Main does. False when the line is
// refused: its message has been shown.
bool ChooseDatabase(const QString& commandLine);

// The program's entry, on the command line as given: "/debug" offers the development
// database, "/install" a first setup, any other line that begins with "/install" the
// reset mode (letter case does not matter); any other line is refused with a message.
// Returns when the wizard has ended.
void Main(const QString& commandLine);

// Records the program folder, the version and the time of this run under the current
// user's key InstallKey(), stopping at the first value that cannot be written. True when
// all five were written.
bool WriteInstallInfo();

}  // namespace modSetup
