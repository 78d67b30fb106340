#pragma once
// A value that crosses to or from the application server: an argument of a
// remote method, a value it writes back into a by-reference argument, or its
// result. Self-describing (the kind travels with it), unlike a dataset value
// whose field gives the type.
#include "host/data/value.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <cstddef>
#include <variant>
#include <vector>

namespace host {

enum class RemoteKind : quint8 { Null, Text, DateTime, Boolean, Integer, Float, Packet, Array };

// Portuguese name of a kind, for messages ("texto", "pacote de dados", ...).
QString remoteKindName(RemoteKind kind);

class RemoteValue {
public:
    using Array = std::vector<RemoteValue>;

    RemoteValue() = default;  // null
    RemoteValue(std::nullptr_t) {}
    RemoteValue(const QString& text) : m_v(std::in_place_index<1>, text) {}
    RemoteValue(QString&& text) : m_v(std::in_place_index<1>, std::move(text)) {}
    RemoteValue(const char* utf8) : m_v(std::in_place_index<1>, QString::fromUtf8(utf8)) {}
    RemoteValue(DateTime dt) : m_v(std::in_place_index<2>, dt) {}
    RemoteValue(bool b) : m_v(std::in_place_index<3>, b) {}
    RemoteValue(int i) : m_v(std::in_place_index<4>, qint64(i)) {}
    RemoteValue(qint64 i) : m_v(std::in_place_index<4>, i) {}
    RemoteValue(double d) : m_v(std::in_place_index<5>, d) {}
    RemoteValue(Array items) : m_v(std::in_place_index<7>, std::move(items)) {}
    RemoteValue(const void*) = delete;  // a stray pointer must not become a boolean

    // A data packet (host/data/data_packet.h) as its encoded bytes. Bytes are
    // never text: the kind keeps a packet apart from a string.
    static RemoteValue packet(QByteArray bytes);
    // A dataset field value: null, text, float, integer, boolean or date-time.
    static RemoteValue fromValue(const Value& v);

    RemoteKind kind() const { return RemoteKind(m_v.index()); }
    bool isNull() const { return kind() == RemoteKind::Null; }

    // Typed reads; a value of another kind throws DataError naming both kinds.
    const QString& text() const;
    DateTime dateTime() const;
    bool boolean() const;
    qint64 integer() const;
    double number() const;  // a float, or an integer widened
    const QByteArray& packetBytes() const;
    const Array& array() const;
    Array& array();

    // Text for display or for a text argument: null reads as empty text.
    QString toText() const;

    friend bool operator==(const RemoteValue& a, const RemoteValue& b) { return a.m_v == b.m_v; }

private:
    struct PacketBytes {
        QByteArray bytes;
        friend bool operator==(const PacketBytes&, const PacketBytes&) = default;
    };
    // Index order is RemoteKind's.
    std::variant<std::monostate, QString, DateTime, bool, qint64, double, PacketBytes, Array> m_v;

    [[noreturn]] void wrongKind(RemoteKind wanted) const;
};

// Readable rendering for logs and test failures ("texto \"abc\"", "array[2]").
QString describe(const RemoteValue& v);

}  // namespace host
