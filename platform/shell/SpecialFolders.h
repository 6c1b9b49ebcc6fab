#pragma once

#include <QString>
#include <cstdint>

namespace shell {

// Shell folder ids the system asks for.
enum SpecialFolder : int32_t {
    csidlDesktop = 0x00,
    csidlPersonal = 0x05,      // documents
    csidlLocalAppData = 0x1C,  // local application data
};

// The folder for a shell folder id, without a trailing "/"; "" for any other id.
// Local application data is the XDG data home ($XDG_DATA_HOME, else ~/.local/share),
// documents and desktop the XDG user folders. The folder need not exist yet.
QString specialFolderPath(int32_t csidl);

}  // namespace shell
