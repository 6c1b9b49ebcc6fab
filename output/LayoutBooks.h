#pragma once

#include <array>

// The layout workbooks, one per list, in the layout folder. Users may edit them; the
// list output fills only the cells it names.
namespace LayoutBooks {

inline constexpr const char* Syouhin = "syouhin.xlsx";          // products
inline constexpr const char* Bunrui = "bunrui.xlsx";            // product classes
inline constexpr const char* Nyuryoku = "Nyuryoku.xlsx";        // a day's purchases and sales
inline constexpr const char* Maintenance = "Maintenance.xlsx";  // a month's data
inline constexpr const char* Zaiko = "zaiko.xlsx";              // inventory table
inline constexpr const char* Zaikolist = "zaikolist.xlsx";      // low and zero stock
inline constexpr const char* Uriage = "uriage.xlsx";            // daily profit table

inline constexpr std::array<const char*, 7> All{Syouhin, Bunrui,    Nyuryoku, Maintenance,
                                                Zaiko,   Zaikolist, Uriage};

// The extension of every workbook the system reads or writes.
inline constexpr const char* Extension = ".xlsx";

}  // namespace LayoutBooks
