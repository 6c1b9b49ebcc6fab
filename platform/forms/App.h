#pragma once

#include <QString>

class QWidget;

namespace forms {

class Form;

// The application object: program folder, title, the previous instance and the end
// of the program.
class App {
  public:
    // The program folder, without a trailing "/".
    static QString Path();
    // "モルビク" unless set.
    static QString Title();
    static void SetTitle(const QString& title);

    // True when a copy of the program already runs for this user. Decided at the first
    // call, under the title of that moment: when no copy answers, this process takes
    // the per-user local socket of that title (a socket left by a crashed copy is
    // removed first) and from then on brings itself to the front when asked.
    static bool PrevInstance();
    // Asks the running copy to bring its window to the front; true when it answered.
    static bool ActivatePrevInstance();
    // What the running copy does when asked: the open modal dialog, or else the
    // active window or the form active last, is restored, raised and activated.
    static void BringToFront();
    // Restores a window from minimized (showing it when hidden), raises and activates it.
    static void ActivateWindow(QWidget* window);

    // Runs the program's events. When no form is loaded it returns at once; while it
    // runs, the program ends when its last loaded form is unloaded.
    static int Run();
    // Ends the program at once (nothing more runs, no form events). In test mode
    // (TestHook) the end is only recorded and End returns.
    static void End(int exitCode = 0);

  private:
    friend class Form;
    static void formLoaded(Form* form);
    static void formUnloaded(Form* form);
    // True when the form has become the program's active form; false when it was that
    // already, as after a message box or dialog of its own.
    static bool formActivated(Form* form);
    static void formDestroyed(Form* form);
    static void modalEntered();
    static void modalLeft();
};

}  // namespace forms
