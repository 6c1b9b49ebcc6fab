#pragma once

#include <QString>

class QWidget;
class DialogFilter;

// The folder, save and open dialogs. A caller sets the owner, title, initial folder,
// initial file name and filter, then calls ShowFolder, ShowSave or ShowOpen: the chosen
// path, or "" when the user cancelled. Every dialog opens centred on the desktop. In
// test mode (forms::TestHook) the dialogs are answered by the script.
class CommonDialog {
  public:
    CommonDialog();

    // The window that owns the dialogs; none (the desktop) unless set.
    void OwnerhWnd(QWidget* argOwnerhWnd);
    // "" gives each dialog its own default title.
    void Title(const QString& argTitle);
    // "" lets the dialog choose where it starts.
    void InitialFolder(const QString& argInitialFolder);
    void InitialFileName(const QString& argInitialFileName);
    // Pairs of description and pattern separated by NUL characters (see DialogFilter);
    // "すべてのファイル(*.*)" NUL "*.*" unless set.
    void Filter(const QString& argFilter);

    // The chosen folder without a trailing "/" (the root stays "/").
    QString ShowFolder();
    // The chosen file name with the chosen filter's extension added when it lacks it;
    // when that file exists the user is asked whether to replace it, and No returns to
    // the dialog.
    QString ShowSave();
    // The chosen existing file.
    QString ShowOpen();

  private:
    struct Choice {
        QString path;
        qsizetype filterIndex = 0;
    };
    bool askFile(bool save, const QString& title, const QString& fileName,
                 const DialogFilter& filter, Choice& choice) const;
    bool askFolder(const QString& title, QString& folder) const;
    // The folder a dialog opens in: the initial folder, or the home folder when that does
    // not exist (the dialog itself would fall back to the working directory).
    QString startFolder() const;

    QWidget* owner_ = nullptr;
    QString title_;
    QString initialFolder_;
    QString initialFileName_;
    QString filter_;
};
