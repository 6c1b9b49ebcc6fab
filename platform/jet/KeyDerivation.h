#pragma once

#include <QByteArray>
#include <QString>

namespace jet {

// The raw key text "x'<64 hex digits>'" that keys a database file for the password.
// The 256-bit key is derived with PBKDF2-SHA256 over a fixed salt, once per password and
// process, so that opening a file again costs no key stretching.
QByteArray rawKeyText(const QString& password);

}  // namespace jet
