#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

#include "platform/runtime/Variant.h"

// Pictures from the program's resources. The resources are Qt resources named
// ":/TYPE/ID" ("CUSTOM/101"); the standard types 0, 1 and 2 are "BITMAP", "ICON" and
// "CURSOR". "No picture" is a null image.
namespace XX共通関数 {

// The picture of a resource id. A numeric type (also a text of digits, or Empty) names a standard
// type, any other text a custom type. A missing resource, an unknown standard type or a
// type that is no number and no text gives no picture.
QImage LoadResourcePicture(int32_t resourceId, const vb::Variant& resourceType);
// The picture held by the bytes of an image file (PNG, GIF, BMP, JPEG); no picture when
// they hold none.
QImage PictureFromBytes(const QByteArray& bytes);

}  // namespace XX共通関数
