// Feeds arbitrary bytes to the data packet decoder. Besides crashes, leaks and
// undefined behaviour, it checks two properties:
//  - whatever the decoder accepts, the writer writes (a DataError escaping
//    here is a finding: the two disagree about the format);
//  - writing is stable: decode(encode(p)) encodes to the same bytes again.
#include "host/data/data_packet.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    host::PacketLimits limits;
    limits.maxBytes = 1 << 20;
    (void)host::isPacket(bytes);
    host::Packet packet;
    try {
        packet = host::decodePacket(bytes, limits);
    } catch (const host::PacketError&) {
        return 0;
    }
    const QByteArray once = host::encodePacket(packet);
    const QByteArray twice = host::encodePacket(host::decodePacket(once, limits));
    if (once != twice) std::abort();
    return 0;
}
