// Feeds arbitrary bytes to the remote-call decoders (request, and response on
// the same bytes). Besides crashes, leaks and undefined behaviour, it checks:
//  - whatever the decoder accepts, the writer writes (an RpcError escaping the
//    writer is a finding: the two disagree about the format);
//  - writing is stable: decode(encode(m)) encodes to the same bytes again.
#include "host/remote/rpc_codec.h"

#include <cstdint>
#include <cstdlib>

namespace {

host::RpcLimits fuzzLimits() {
    host::RpcLimits limits;
    limits.maxBytes = 1 << 20;
    limits.maxValues = 100'000;
    return limits;
}

// Re-encoding may grow a message (a half float is written back as a double),
// so the second round reads with room to spare.
host::RpcLimits roomy() {
    host::RpcLimits limits = fuzzLimits();
    limits.maxBytes = 1 << 24;
    return limits;
}

void requestRoundTrip(const QByteArray& bytes) {
    host::RpcRequest request;
    try {
        request = host::decodeRequest(bytes, fuzzLimits());
    } catch (const host::RpcError&) {
        return;
    }
    const QByteArray once = host::encodeRequest(request, roomy());
    const QByteArray twice = host::encodeRequest(host::decodeRequest(once, roomy()), roomy());
    if (once != twice) std::abort();
}

void responseRoundTrip(const QByteArray& bytes) {
    host::RpcResponse response;
    try {
        response = host::decodeResponse(bytes, fuzzLimits());
    } catch (const host::RpcError&) {
        return;
    }
    const QByteArray once = host::encodeResponse(response, roomy());
    const QByteArray twice = host::encodeResponse(host::decodeResponse(once, roomy()), roomy());
    if (once != twice) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    requestRoundTrip(bytes);
    responseRoundTrip(bytes);
    return 0;
}
