#include "KeyDerivation.h"

#include <QCryptographicHash>
#include <QHash>
#include <QMutex>
#include <QPasswordDigestor>

namespace jet {

namespace {

constexpr int kIterations = 64000;
constexpr int kKeyBytes = 32;

}  // namespace

QByteArray rawKeyText(const QString& password) {
    static QMutex mutex;
    static QHash<QString, QByteArray> cache;
    const QMutexLocker lock(&mutex);
    auto found = cache.constFind(password);
    if (found != cache.constEnd()) {
        return *found;
    }
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), QByteArrayLiteral("Kelvarn/Sales/Ver2"),
        kIterations, kKeyBytes);
    const QByteArray text = "x'" + key.toHex() + "'";
    cache.insert(password, text);
    return text;
}

}  // namespace jet
