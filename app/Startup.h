#pragma once

#include <QString>

// The entry procedure of the main program. It belongs to the program, above the
// settings record of core and the main menu it hands over to.
namespace MainModule {

// The program's entry: one copy only, the database chosen by the command line ("/debug"
// in any letter case asks for the development database), the settings loaded, then the
// main menu. A missing or damaged database ends the program through RestoreAndEnd, any
// other failed read with "基本データ取得に失敗しました。".
void Main(const QString& commandLine);

}  // namespace MainModule
