#pragma once

#include <QString>
#include <cstdint>

// The registry as the setup wizard writes it: the values of the current user's keys,
// kept in the INI file "Kelvarn/registry.ini" under the XDG config home. A sub-key
// "Software\Kelvarn\Sales\Ver2" (either separator) is the INI group
// "Software/Kelvarn/Sales/Ver2".
namespace registry {

inline constexpr uint32_t HKEY_CURRENT_USER = 0x80000001;

// The INI file that holds the root key's values; "" for a root key other than the
// current user's.
QString FilePath(uint32_t rootKey);

// Creates the key when it is missing and writes the text value (REG_SZ). False when the
// root key is not the current user's, the sub-key or value name is empty, or the file
// could not be written.
bool WriteString(uint32_t rootKey, const QString& subKey, const QString& valueName,
                 const QString& value);
// The text value; "" when the file, key or value is missing.
QString ReadString(uint32_t rootKey, const QString& subKey, const QString& valueName);

}  // namespace registry
