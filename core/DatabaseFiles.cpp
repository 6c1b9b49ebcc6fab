#include "DatabaseFiles.h"

#include "CommonClass.h"
#include "XXCommonFunctions.h"
#include "platform/shell/SpecialFolders.h"

namespace DatabaseFiles {

QString DataFolder() {
    return CommonClass().MidPath(XX共通関数::GetSpecialFolderPath(shell::csidlLocalAppData)) +
           "/Kelvarn/Sales/Ver2";
}

}  // namespace DatabaseFiles
