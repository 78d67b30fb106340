#pragma once
// Internal: the remote-call messages' reading on top of the shared CBOR
// reader (host/data/cbor_reader.h): the message's envelope, its limits, its
// values. Every failure throws RpcError with the message's prefix.
#include "rpc_codec.h"

#include "host/data/cbor_reader.h"

namespace host::rpc_detail {

// Private CBOR tag of this protocol for a naive date-time (see docs/remote-calls.md).
inline constexpr quint64 kDateTimeTag = 44800;
inline constexpr char kMagic[] = "afrpc";

class RpcReader final : private CborWording {
public:
    RpcReader(const QByteArray& bytes, const RpcLimits& limits, QString prefix);

    // Checks the size, the top-level map and its format/version/type entries;
    // returns the type text and the number of entries of the top-level map.
    QByteArrayView openMessage(quint64* pairs);
    void closeMessage();  // leaves the map; nothing may follow it

    void expectKey(QLatin1StringView key) { m_cbor.expectKey(key, 64); }
    QString name(const QString& what, int maxChars);  // non-empty
    QString text(const QString& what, qint64 maxChars);
    quint64 arrayLength(const QString& what, quint64 max, quint64 minBytesEach);
    void enter() { m_cbor.enter(); }
    void leave() { m_cbor.leave(); }
    quint64 unsignedValue(const QString& what) { return m_cbor.unsignedInteger(what); }
    RemoteValue value();

    [[noreturn]] void fail(const QString& detail) const override;

private:
    QString truncated() const override { return QStringLiteral("mensagem truncada"); }
    QString tagFound() const override { return QStringLiteral("uma tag CBOR"); }
    QString simpleFound() const override { return QStringLiteral("um valor simples CBOR não aceito"); }
    [[noreturn]] void badString(CborStringFault fault, const QString& what, quint64 maxBytes,
                                quint64 declaredBytes) const override;

    RemoteValue valueAt(int depth);
    RemoteValue arrayValue(int depth);
    RemoteValue packetValue();
    RemoteValue dateTimeValue();
    void countValue();

    const RpcLimits& m_limits;
    QString m_prefix;
    CborReader m_cbor;
    qint64 m_values = 0;
};

}  // namespace host::rpc_detail
