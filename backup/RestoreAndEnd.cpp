#include "RestoreAndEnd.h"

#include "backup/frmRestore.h"
#include "platform/forms/App.h"

namespace MainModule {

void RestoreAndEnd() {
    frmRestore::ShowModal();
    forms::App::End(0);
}

}  // namespace MainModule
