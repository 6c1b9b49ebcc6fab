#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdint>

#include "platform/runtime/Date.h"

class CommonClass;

// Start of the main program and its settings record, which every screen reads.
namespace MainModule {

// --- the settings record ---

// "morvik2.mde", or "morvik2.mdb" in debug mode.
extern QString DBFileName;
// The database password; empty for the development copy "morvik2.mdb".
extern QString DBPassword;
// Folder of the database file without a trailing "/"; also the root of the backups.
extern QString DBFolder;
// Folder of the layout workbooks: the database folder.
extern QString LayoutFolder;
// FixDeta_tbl holds at least one month.
extern bool HasCloseDate;
// basic_tbl.Print_type: 0 output through Excel, 1 the system's own printing.
extern uint8_t PrintType;
// basic_tbl.Trade_figure: product numbers have this value + 4 digits.
extern uint8_t TradeFigure;
// basic_tbl.Unit_decimal: 1 purchase prices with two decimals, 2 sales prices, 3 both.
extern uint8_t UnitDecimal;
// basic_tbl.Sum_decimal: 1 quantities with two decimals, 2 amounts unrounded, 3 both.
extern uint8_t SumDecimal;
// basic_tbl.Picture_Flg: the picture set of the menu.
extern uint8_t PictureFlg;
// system_type.System_id; "" when the table has no row.
extern QString SystemId;
// The largest FixDate of FixDeta_tbl: the first day of the last month held.
extern vb::Date LastCloseDate;
// The basic_tbl row was read.
extern bool BasicLoaded;
// ClassifyMast_tbl has rows.
extern bool HasClassifications;
// TradeMast_tbl has rows (left false when there are no classes).
extern bool HasProducts;
// The path helpers shared by the screens, created on first use.
CommonClass& SharedCommon();

// --- start-up ---

// The check of the database file before the loaders read it (DatabaseCheck::OwnFile):
// 0, also for a file that only lacks a table (left to the loaders), or the failure code
// after showing the failure as a loader does. The file is recovered first (a program stopped while
// it wrote leaves a journal that the engine rolls back) and checked at a cost that does not grow
// with its history. A check stopped by its time limit ends the program with its own message and
// gives -503.
int32_t CheckDatabase();
// CheckDatabase with the time limit of the check given.
int32_t CheckDatabaseWithin(qint64 milliseconds);

// The loaders of the program's entry procedure (MainModule::Main, app/Startup.h), in
// the order it runs them. Each returns the result of its query: a row count (1 or 0 for
// the maximum) or a failure code, after showing the failure. A missing or damaged
// database is left to the caller (the restore screen); a database written by a newer
// release or a server database that cannot be opened ends the program with its own
// message and gives -503, as does any other failure, which ends the program with
// "基本データ取得に失敗しました。".
int32_t LoadSystemId();
// A value that is Null or outside its range (Trade_figure 0 to 9, the decimals 0 to 3,
// Print_type and Picture_Flg 0 or 1) is a failed read: -503.
int32_t LoadBasicSettings();
int32_t LoadLastCloseDate();
// True when classes and products exist. A failed count sets failure to its code.
bool CheckMasterData(int32_t* failure = nullptr);

}  // namespace MainModule
