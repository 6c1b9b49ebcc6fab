#include "Fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace forms {

namespace {

// Full-width letters and blanks do not matter: "ＭＳ Ｐゴシック" and "MSPゴシック" are one name.
QString normalisedName(const QString& name) {
    QString text = name.normalized(QString::NormalizationForm_KC).toUpper();
    text.remove(QLatin1Char(' '));
    return text;
}

const QStringList& proportionalGothic() {
    static const QStringList families{QStringLiteral("IPAPGothic"),
                                      QStringLiteral("Noto Sans CJK JP"),
                                      QStringLiteral("IPAGothic")};
    return families;
}

const QStringList& fixedGothic() {
    static const QStringList families{QStringLiteral("IPAGothic"),
                                      QStringLiteral("Noto Sans Mono CJK JP"),
                                      QStringLiteral("Noto Sans CJK JP")};
    return families;
}

const QStringList& mincho() {
    static const QStringList families{QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho"),
                                      QStringLiteral("Noto Serif CJK JP")};
    return families;
}

const QStringList& candidatesFor(const QString& normalised) {
    if (normalised == QStringLiteral("MSゴシック") || normalised == QStringLiteral("MSGOTHIC")) {
        return fixedGothic();
    }
    if (normalised.contains(QStringLiteral("明朝")) ||
        normalised.contains(QStringLiteral("MINCHO"))) {
        return mincho();
    }
    return proportionalGothic();
}

bool isSubstituted(const QString& normalised) {
    return normalised.startsWith(QStringLiteral("MS"));
}

QString firstInstalled(const QStringList& families) {
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            return family;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

}  // namespace

QString resolveFontFamily(const QString& name) {
    // Asking the font database runs the font configuration's substitutions each time; the
    // installed fonts do not change while the program runs.
    static QMutex mutex;
    static QHash<QString, QString> resolved;
    {
        const QMutexLocker lock(&mutex);
        if (const auto found = resolved.constFind(name); found != resolved.constEnd()) {
            return *found;
        }
    }
    const QString normalised = normalisedName(name);
    const QString family =
        !isSubstituted(normalised) && !name.trimmed().isEmpty() && QFontDatabase::hasFamily(name)
            ? name
            : firstInstalled(candidatesFor(normalised));
    const QMutexLocker lock(&mutex);
    resolved.insert(name, family);
    return family;
}

int fontPixelSize(double sizePt) {
    return std::max(1, static_cast<int>(std::lround(sizePt * 96.0 / 72.0)));
}

QFont resolveFont(const QString& name, double sizePt, bool bold) {
    QFont font(resolveFontFamily(name));
    font.setPixelSize(fontPixelSize(sizePt));
    font.setBold(bold);
    return font;
}

}  // namespace forms
