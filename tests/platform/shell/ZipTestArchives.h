#pragma once

#include <QByteArray>
#include <cstdint>

// An archive of one small deflated entry whose directory states an unpacked size of
// declaredSize bytes (through the zip64 fields), for the free-space checks.
QByteArray archiveDeclaring(const QByteArray& name, uint64_t declaredSize);
