#pragma once
// Internal: a strict, bounded CBOR reader for remote-call messages. Walks the
// bytes with QCborStreamReader and takes text and byte strings straight from
// the input buffer (no intermediate copy; QCborStreamReader::readString() in
// Qt 6.4 also drops a leading U+FEFF, which would alter a text argument).
// Every failure throws RpcError with the message's prefix.
#include "rpc_codec.h"

#include <QtCore/QByteArrayView>
#include <QtCore/QCborStreamReader>
#include <QtCore/QStringDecoder>

namespace host::rpc_detail {

// Private CBOR tag of this protocol for a naive date-time (see docs/remote-calls.md).
inline constexpr quint64 kDateTimeTag = 44800;
inline constexpr char kMagic[] = "afrpc";

class RpcReader {
public:
    RpcReader(const QByteArray& bytes, const RpcLimits& limits, QString prefix);

    // Checks the size, the top-level map and its format/version/type entries;
    // returns the type text and the number of entries of the top-level map.
    QByteArrayView openMessage(quint64* pairs);
    void closeMessage();  // leaves the map; nothing may follow it

    void expectKey(QLatin1StringView key);
    QString name(const QString& what, int maxChars);  // non-empty
    QString text(const QString& what, qint64 maxChars);
    quint64 arrayLength(const QString& what, quint64 max, quint64 minBytesEach);
    void enter();
    void leave();
    quint64 unsignedValue(const QString& what);
    RemoteValue value();

    [[noreturn]] void fail(const QString& detail) const;

private:
    RemoteValue valueAt(int depth);
    RemoteValue dateTimeValue();
    RemoteValue integerValue();
    QByteArrayView span(QCborStreamReader::Type type, quint64 maxBytes, const QString& what);
    QString decodeUtf8(QByteArrayView utf8, const QString& what);
    void next();
    void countValue();
    [[noreturn]] void failReader();
    [[noreturn]] void unexpected(const QString& expected);

    const char* m_data;
    qint64 m_size;
    const RpcLimits& m_limits;
    QString m_prefix;
    QCborStreamReader m_r;
    QStringDecoder m_decoder{QStringDecoder::Utf8,
                             QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom};
    qint64 m_values = 0;
};

}  // namespace host::rpc_detail
