#include "RestoreAndEnd.h"

#include "backup/frmRestore.h"
#include "core/AccessADOClass.h"
#include "platform/forms/App.h"

namespace MainModule {

void RestoreAndEnd() {
    // A restore puts a file in place: it cannot mend a server database that is not reached.
    if (AccessADOClass::InitialProvider() != 1) {
        frmRestore::ShowModal();
    }
    forms::App::End(0);
}

}  // namespace MainModule
