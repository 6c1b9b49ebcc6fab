#include "XXCommonFunctions2.h"
#include "core/XXCommonFunctions.h"
#include "modSetup.h"
#include "platform/registry/Registry.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"

namespace modSetup {

QString InstallKey() {
    return QStringLiteral("Software\\Kelvarn\\Sales\\Ver2");
}

QString InstallVersion() {
    return QStringLiteral("2.0.4");
}

bool WriteInstallInfo() {
    const QString folder = XX共通関数::GetAppPath().chopped(1);
    const QString time = vb::Format(vb::Now(), QStringLiteral("yyyy/m/d h:nn:ss"));
    const std::pair<const char*, QString> values[] = {
        {"InstallFolder", folder}, {"InstallVersion", InstallVersion()},
        {"InstallDate", time},     {"UpdateVersion", InstallVersion()},
        {"UpdateDate", time},
    };
    for (const auto& [name, value] : values) {
        if (!XX共通関数2::RegWriteValue(registry::HKEY_CURRENT_USER, InstallKey(),
                                        QString::fromLatin1(name), value)) {
            return false;
        }
    }
    return true;
}

}  // namespace modSetup
