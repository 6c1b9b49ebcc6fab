#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/runtime/Date.h"
#include "platform/shell/Programs.h"

class QWidget;
class HelpWindow;

namespace forms {
class Form;
}

// Procedures that many screens share: placing forms and windows, files and folders, INI
// values, special folders, starting programs, the help viewer, file search, paths and the
// message boxes for result codes.
namespace XX共通関数 {

// The screens' failure codes of ShowErrorMessage (the database codes -1000 and -1 are
// AccessADOClass::CannotOpen and AccessADOClass::FileNotFound).
enum ErrorMessageCode : int32_t {
    ReadFailed = -500,
    BeforeInitialData = -501,
    AfterToday = -502,
    BasicDataFailed = -503,
    RegisterFailed = -600,
    DeleteFailed = -700,
    DeleteCheckFailed = -800,
};

// The completion codes of ShowDoneMessage.
enum DoneMessageCode : int16_t {
    Registered = 1000,
    Deleted = 2000,
    Saved = 3000,
    Printed = 4000,
};

// Kinds of FindFiles.
inline constexpr int16_t FilesAndFolders = 0;
inline constexpr int16_t FilesOnly = 1;
inline constexpr int16_t FoldersOnly = 2;

// --- forms and windows (pixels for windows, twips for forms) ---

// Places the form in the middle of the screen.
void CenterForm(forms::Form& form);
// Centres a top-level window on the desktop with the given outer size; a width or height
// of 0 or less keeps the window's own. Halves round to the even neighbour.
void CenterWindow(QWidget* window, int32_t width, int32_t height);
// Restores the window from minimized, brings it to the front and activates it.
void ActivateWindow(QWidget* window);
// Sets the form's outer size to width x height pixels.
void SetFormClientSize(forms::Form& form, int width, int height);
// The height of a window's title bar and one frame edge in twips: how far the client area
// lies below the top of the frame, measured on the active window (else on any shown
// one), since the window manager decorates them alike; 0 while no window is shown.
int32_t GetCaptionHeightTwips();
// True when another copy of the program runs: that copy has been asked to come to the
// front and this one is ending (in test mode the end is only recorded, so the caller
// stops here).
bool CheckSingleInstance();

// --- dates, files and folders ---

// The program folder with exactly one trailing "/".
QString GetAppPath();
// The last day of the date's month, at midnight.
vb::Date GetMonthEndDate(const vb::Date& date);
// Deletes one file; true when it was removed.
bool DeleteFile(const QString& path);
// Silent copy without questions (a pattern, file or folder onto a file or folder);
// existing files are replaced. True when everything was copied.
bool CopyFiles(const QString& source, const QString& target);
// Silent, permanent delete of what the path or pattern names, folders with their
// contents. True when everything was deleted.
bool DeleteFiles(const QString& path);
// The value of a key of an INI file, at most 255 characters; "" when the file, section
// or key is missing.
QString ReadIniString(const QString& iniFile, const QString& section, const QString& key);
// The folder of a shell folder id (0x1C local application data = the XDG data home,
// 5 documents, 0 desktop), without a trailing "/"; "" for any other id.
QString GetSpecialFolderPath(int32_t csidl);

// Entries that a pattern names ("/a/b/*.ini", or one file or folder without wildcards),
// as full paths, into files (emptied first); kind FilesOnly, FoldersOnly, or any other
// value for both. With recurse, a wildcard pattern is applied in every folder below the
// pattern's folder; a pattern naming a folder takes that folder and everything below it.
// Linked folders are listed but not entered. Returns the number of entries.
int32_t FindFiles(const QString& pattern, QStringList& files, bool recurse, int16_t kind);
// One step of FindFiles: appends to files and counts in count.
void FindFilesRecursive(const QString& pattern, QStringList& files, int32_t& count, bool recurse,
                        int16_t kind);
// Splits a path joined with "/". Every output is set: drive is the server part of a path
// of the form "//server/..." (the whole path when no further "/" follows), otherwise "";
// folder is the rest up to and including its last "/"; fileName what follows; extension
// the text after the file name's last "." and baseName the text before it (the whole
// name and "" without a ".").
void SplitPath(const QString& fullPath, QString& drive, QString& folder, QString& fileName,
               QString& baseName, QString& extension);

// --- programs and the help viewer ---

// Starts a program from a command line. The program is the text before the first blank
// after which the text so far names an existing file (FindExecutablePath), the rest
// being its parameters; when no blank does, the whole line is the program. When that
// cannot be started, the whole line is started as a command. The process id, 0 when
// nothing started.
shell::ProcessId LaunchProgram(const QString& commandLine);
// Looks a file up as the system's path search does (a name with a folder part as it
// stands; a bare name in the current folder, the program folder and $PATH). True with
// folder = the found path less the file name; false with an empty folder.
bool FindExecutablePath(const QString& fileName, QString& folder);

// Shows the HTML file of the program folder in the program's help window, titled
// title, placed at left, top with the size width x height pixels (a size below 1
// takes the screen's). When a window of that title is open it is brought to the front
// instead. A missing file shows a message.
void OpenHelpFile(const QString& fileName, const QString& title, int32_t left, int32_t top,
                  int32_t width, int32_t height);
// Closes the help window opened by OpenHelpFile, if it is still open.
void CloseHelpFile();
// The help window opened by OpenHelpFile while it is open; null otherwise.
HelpWindow* HelpProcess();

// --- result messages ---

// The message box of a failure code: the database codes -1000 and -1 with the title
// "Error", the screens' codes -500 to -800 with the caller's title. With endFlag 1 the
// codes -1000, -1, -500 and -503 end the program after the box. Any other negative code
// shows "エラーが発生しました。(コード: n)" with errorText on a second line when given; a
// code of 0 or more shows nothing.
void ShowErrorMessage(int32_t code, const QString& title, uint8_t endFlag,
                      const QString& errorText = QString());
// The information box of a completion code 1000 to 4000 with the caller's title; any
// other code shows the box without text.
void ShowDoneMessage(int16_t code, const QString& title);

}  // namespace XX共通関数
