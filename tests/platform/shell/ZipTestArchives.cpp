#include "ZipTestArchives.h"

#include <sys/stat.h>

namespace {

void appendLe(QByteArray& bytes, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

QByteArray archiveDeclaring(const QByteArray& name, uint64_t declaredSize) {
    const QByteArray data = QByteArray::fromHex("cb48cdc9c90700");  // "hello"
    const uint32_t crc = 0x3610a686;
    QByteArray extra;
    appendLe(extra, 0x0001, 2);
    appendLe(extra, 16, 2);
    appendLe(extra, declaredSize, 8);
    appendLe(extra, static_cast<uint64_t>(data.size()), 8);

    QByteArray local;
    appendLe(local, 0x04034b50, 4);
    appendLe(local, 45, 2);  // version needed: zip64
    appendLe(local, 0, 2);
    appendLe(local, 8, 2);  // deflated
    appendLe(local, 0, 4);  // time and date
    appendLe(local, crc, 4);
    appendLe(local, 0xFFFFFFFF, 4);
    appendLe(local, 0xFFFFFFFF, 4);
    appendLe(local, static_cast<uint64_t>(name.size()), 2);
    appendLe(local, static_cast<uint64_t>(extra.size()), 2);
    local += name + extra + data;

    QByteArray central;
    appendLe(central, 0x02014b50, 4);
    appendLe(central, 0x031E, 2);  // made on Unix
    appendLe(central, 45, 2);
    appendLe(central, 0, 2);
    appendLe(central, 8, 2);
    appendLe(central, 0, 4);
    appendLe(central, crc, 4);
    appendLe(central, 0xFFFFFFFF, 4);
    appendLe(central, 0xFFFFFFFF, 4);
    appendLe(central, static_cast<uint64_t>(name.size()), 2);
    appendLe(central, static_cast<uint64_t>(extra.size()), 2);
    appendLe(central, 0, 2);  // comment
    appendLe(central, 0, 2);  // disk
    appendLe(central, 0, 2);  // internal attributes
    appendLe(central, static_cast<uint64_t>(S_IFREG | 0644) << 16, 4);
    appendLe(central, 0, 4);  // offset of the local header
    central += name + extra;

    QByteArray end;
    appendLe(end, 0x06054b50, 4);
    appendLe(end, 0, 4);
    appendLe(end, 1, 2);
    appendLe(end, 1, 2);
    appendLe(end, static_cast<uint64_t>(central.size()), 4);
    appendLe(end, static_cast<uint64_t>(local.size()), 4);
    appendLe(end, 0, 2);
    return local + central + end;
}
