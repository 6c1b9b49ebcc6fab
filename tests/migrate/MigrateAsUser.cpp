// Runs the migration wizard headless through its pages, as whoever starts it: the first
// listed earlier installation is chosen and carried into the installed database. Prints
// the spare backup folder (empty when the backup lies in the installation's folder) and
// ends with 0 when the finish page was reached without a message, else 1 after printing
// the messages shown.
#include <QApplication>
#include <cstdio>

#include "core/DatabaseFiles.h"
#include "migrate/DetaCheckSet.h"
#include "migrate/frmConvert.h"
#include "platform/forms/TestHook.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    forms::TestHook::enable();
    DetaCheck_Set::DBPassword = DatabaseFiles::DatabasePassword;
    frmConvert form;
    form.SetDeleteOnUnload(false);
    form.Show();
    form.NextButton_Click();
    form.Form_MouseDown(1, 0, 1000, 2200);
    form.NextButton_Click();
    form.EndButton_Click();
    std::printf("%s\n", form.SpareBackupFolder().toLocal8Bit().constData());
    for (const auto& shown : forms::TestHook::msgBoxes()) {
        std::fprintf(stderr, "%s\n", shown.text.toLocal8Bit().constData());
    }
    return form.Step() == 3 && forms::TestHook::msgBoxes().empty() ? 0 : 1;
}
