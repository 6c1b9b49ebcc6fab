#pragma once

#include <QString>
#include <vector>

namespace forms::TestHook {

// Test mode: message boxes and file and folder dialogs open no window but take their
// answers from a script and are written into a transcript; App::End only records.

struct MsgBoxShown {
    int style;
    QString title;  // as shown: the application title for an empty one
    QString text;
    int answer;
};

struct DialogShown {
    QString kind;  // "folder", "save", "open"
    QString title;
    QString initialFolder;
    QString fileName;
    QString filter;
    QString answer;  // "" = cancelled
};

// Switching test mode on or off empties the scripts and the transcripts.
void enable();
void disable();
bool active();

// Scripted answers, used in order: a MsgBox return value (vbOK, vbYes, ...), a dialog's
// chosen path ("" for cancel). An unscripted box answers its default button, an
// unscripted dialog cancels.
void queueMsgBoxAnswer(int answer);
void queueDialogAnswer(const QString& path);
std::size_t pendingMsgBoxAnswers();
std::size_t pendingDialogAnswers();

const std::vector<MsgBoxShown>& msgBoxes();
const std::vector<DialogShown>& dialogs();
const std::vector<int>& ends();  // exit codes given to App::End

// For the code that shows the windows. In test mode: record, set the answer, return
// true; otherwise return false and leave the answer alone.
bool answerMsgBox(int style, const QString& title, const QString& text, int defaultAnswer,
                  int& answer);
bool answerDialog(const DialogShown& shown, QString& answer);
bool recordEnd(int exitCode);

}  // namespace forms::TestHook
