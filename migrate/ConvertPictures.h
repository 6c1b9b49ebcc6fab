#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

// The migration wizard's own pictures, drawn when asked for: "CUSTOM" 101 the band of the
// welcome page, 201 and 202 the markers of an installation row (other and chosen), 203
// the caption of the other-folder entry; "PROGRESS" 1 the empty gauge, 2 the panel's
// icon, 3 one gauge step.
// "ICON" 1 stands for an installation's program icon, "ICON" 2 for the folder icon of the
// other-folder entry.
namespace ConvertPictures {

QImage Picture(const QString& type, int32_t id);

}  // namespace ConvertPictures
