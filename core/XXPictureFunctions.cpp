#include "XXPictureFunctions.h"

#include <QFile>
#include <QString>

#include "platform/runtime/RuntimeError.h"

namespace XX共通関数 {

namespace {

// The folder of a standard resource type (vbResBitmap, vbResIcon, vbResCursor).
QString standardType(int16_t type) {
    switch (type) {
        case 0:
            return QStringLiteral("BITMAP");
        case 1:
            return QStringLiteral("ICON");
        case 2:
            return QStringLiteral("CURSOR");
        default:
            return {};
    }
}

QImage resourcePicture(const QString& type, int32_t resourceId) {
    if (type.isEmpty()) {
        return {};
    }
    QFile resource(QStringLiteral(":/%1/%2").arg(type).arg(resourceId));
    if (!resource.open(QIODevice::ReadOnly)) {
        return {};
    }
    return PictureFromBytes(resource.readAll());
}

}  // namespace

QImage LoadResourcePicture(int32_t resourceId, const vb::Variant& resourceType) {
    try {
        if (resourceType.isNumeric()) {
            return resourcePicture(standardType(resourceType.toInteger()), resourceId);
        }
        if (!resourceType.isString()) {
            return {};
        }
        const QString type = resourceType.toString();
        bool digits = false;
        const int16_t standard = type.trimmed().toShort(&digits);
        if (digits) {
            return resourcePicture(standardType(standard), resourceId);
        }
        return resourcePicture(type, resourceId);
    } catch (const vb::RuntimeError&) {
        return {};
    }
}

QImage PictureFromBytes(const QByteArray& bytes) {
    QImage picture;
    if (bytes.isEmpty() || !picture.loadFromData(bytes)) {
        return {};
    }
    return picture;
}

}  // namespace XX共通関数
