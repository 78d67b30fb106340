#include "remote_value.h"

#include "host/data/errors.h"

#include <QtCore/QStringList>

namespace host {

QString remoteKindName(RemoteKind kind) {
    switch (kind) {
    case RemoteKind::Null: return QStringLiteral("nulo");
    case RemoteKind::Text: return QStringLiteral("texto");
    case RemoteKind::DateTime: return QStringLiteral("data-hora");
    case RemoteKind::Boolean: return QStringLiteral("lógico");
    case RemoteKind::Integer: return QStringLiteral("inteiro");
    case RemoteKind::Float: return QStringLiteral("ponto flutuante");
    case RemoteKind::Packet: return QStringLiteral("pacote de dados");
    case RemoteKind::Array: return QStringLiteral("array");
    }
    return QStringLiteral("desconhecido (%1)").arg(int(kind));
}

RemoteValue RemoteValue::packet(QByteArray bytes) {
    RemoteValue v;
    v.m_v.emplace<6>(PacketBytes{std::move(bytes)});
    return v;
}

RemoteValue RemoteValue::fromValue(const Value& v) {
    switch (v.index()) {
    case 1: return RemoteValue(std::get<QString>(v));
    case 2: return RemoteValue(std::get<double>(v));
    case 3: return RemoteValue(std::get<qint64>(v));
    case 4: return RemoteValue(std::get<bool>(v));
    case 5: return RemoteValue(std::get<DateTime>(v));
    default: return {};
    }
}

void RemoteValue::wrongKind(RemoteKind wanted) const {
    throw DataError(QStringLiteral("Valor remoto: esperado %1, encontrado %2")
                        .arg(remoteKindName(wanted), remoteKindName(kind())));
}

const QString& RemoteValue::text() const {
    if (kind() != RemoteKind::Text) wrongKind(RemoteKind::Text);
    return std::get<1>(m_v);
}

DateTime RemoteValue::dateTime() const {
    if (kind() != RemoteKind::DateTime) wrongKind(RemoteKind::DateTime);
    return std::get<2>(m_v);
}

bool RemoteValue::boolean() const {
    if (kind() != RemoteKind::Boolean) wrongKind(RemoteKind::Boolean);
    return std::get<3>(m_v);
}

qint64 RemoteValue::integer() const {
    if (kind() != RemoteKind::Integer) wrongKind(RemoteKind::Integer);
    return std::get<4>(m_v);
}

double RemoteValue::number() const {
    if (kind() == RemoteKind::Integer) return double(std::get<4>(m_v));
    if (kind() != RemoteKind::Float) wrongKind(RemoteKind::Float);
    return std::get<5>(m_v);
}

const QByteArray& RemoteValue::packetBytes() const {
    if (kind() != RemoteKind::Packet) wrongKind(RemoteKind::Packet);
    return std::get<6>(m_v).bytes;
}

const RemoteValue::Array& RemoteValue::array() const {
    if (kind() != RemoteKind::Array) wrongKind(RemoteKind::Array);
    return std::get<7>(m_v);
}

RemoteValue::Array& RemoteValue::array() {
    if (kind() != RemoteKind::Array) wrongKind(RemoteKind::Array);
    return std::get<7>(m_v);
}

QString RemoteValue::toText() const {
    if (isNull()) return {};
    return text();
}

QString describe(const RemoteValue& v) {
    switch (v.kind()) {
    case RemoteKind::Null: return QStringLiteral("nulo");
    case RemoteKind::Text: {
        const QString& s = v.text();
        return QStringLiteral("texto \"%1%2\"").arg(s.left(60), s.size() > 60 ? QStringLiteral("...") : QString());
    }
    case RemoteKind::DateTime:
        return QStringLiteral("data-hora %1").arg(v.dateTime().toQDateTime().toString(Qt::ISODateWithMs));
    case RemoteKind::Boolean: return v.boolean() ? QStringLiteral("verdadeiro") : QStringLiteral("falso");
    case RemoteKind::Integer: return QStringLiteral("inteiro %1").arg(v.integer());
    case RemoteKind::Float: return QStringLiteral("ponto flutuante %1").arg(v.number(), 0, 'g', 17);
    case RemoteKind::Packet: return QStringLiteral("pacote de dados (%1 bytes)").arg(v.packetBytes().size());
    case RemoteKind::Array: {
        // Only the first items: a log line must stay a line.
        constexpr size_t kShown = 8;
        const RemoteValue::Array& items = v.array();
        QStringList parts;
        for (size_t i = 0; i < items.size() && i < kShown; ++i) parts << describe(items[i]);
        if (items.size() > kShown) parts << QStringLiteral("...");
        return QStringLiteral("array[%1] {%2}").arg(items.size()).arg(parts.join(QStringLiteral(", ")));
    }
    }
    return {};
}

}  // namespace host
