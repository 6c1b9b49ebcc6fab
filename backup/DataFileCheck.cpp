#include "DataFileCheck.h"

#include "core/AccessADOClass.h"
#include "core/DatabaseCheck.h"
#include "core/SettingsRecord.h"

namespace DataFileCheck {

int32_t BasicRows(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat) {
    if (const int32_t result = DatabaseCheck::Structure(folder, fileName, password, newerFormat);
        result < 0) {
        return result;
    }
    // The settings start-up would refuse: such a file would end every start of the program.
    const auto prepared = [&](AccessADOClass& access) {
        access.ReadOnly(true);  // a checked backup stays as it was written
        access.DBName(fileName);
        access.Password(password);
        access.DBPath(folder);
    };
    AccessADOClass basic;
    prepared(basic);
    SettingsRecord::BasicSettings settings;
    const int32_t rows = SettingsRecord::ReadBasic(basic, settings);
    if (rows < 0) {
        return rows;
    }
    AccessADOClass closing;
    prepared(closing);
    vb::Date lastClose;
    const int32_t months = SettingsRecord::ReadLastCloseDate(closing, lastClose);
    return months < 0 ? months : rows;
}

}  // namespace DataFileCheck
