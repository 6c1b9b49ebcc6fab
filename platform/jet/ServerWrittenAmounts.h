#pragma once

#include <QString>
#include <QStringView>

namespace jet {

class SchemaTypes;

// A Jet INSERT or UPDATE in which every value written into a currency column that may
// have more than four decimals (anything but a literal amount) is rounded to four
// decimals half to even on the server, as the file rounds it; the server's own rounding
// of its currency columns is half away from zero. Any other statement comes back as it is.
QString roundWrittenAmounts(QStringView jetSql, const SchemaTypes& schema);

}  // namespace jet
