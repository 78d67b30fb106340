#include "method_signature.h"

#include <cmath>

#include <stdexcept>

namespace platform::server {

using host::RemoteKind;
using host::RemoteValue;

QString argKindName(ArgKind kind) {
    switch (kind) {
    case ArgKind::Text: return QStringLiteral("texto");
    case ArgKind::DateTime: return QStringLiteral("data-hora");
    case ArgKind::Boolean: return QStringLiteral("lógico");
    case ArgKind::Integer: return QStringLiteral("inteiro");
    case ArgKind::Float: return QStringLiteral("número");
    case ArgKind::Packet: return QStringLiteral("pacote de dados");
    case ArgKind::Array: return QStringLiteral("array");
    case ArgKind::Variant: return QStringLiteral("variante");
    }
    return {};
}

bool acceptsNull(ArgKind kind) {
    return kind == ArgKind::Text || kind == ArgKind::DateTime || kind == ArgKind::Packet || kind == ArgKind::Variant;
}

bool accepts(ArgKind kind, const RemoteValue& v) {
    if (v.isNull()) return acceptsNull(kind);
    switch (kind) {
    case ArgKind::Text: return v.kind() == RemoteKind::Text;
    case ArgKind::DateTime: return v.kind() == RemoteKind::DateTime;
    case ArgKind::Boolean: return v.kind() == RemoteKind::Boolean;
    case ArgKind::Integer: return v.kind() == RemoteKind::Integer;
    // Infinities and NaN are no numbers any method can store or compute with.
    case ArgKind::Float: return v.kind() == RemoteKind::Integer || (v.kind() == RemoteKind::Float && std::isfinite(v.number()));
    case ArgKind::Packet: return v.kind() == RemoteKind::Packet;
    case ArgKind::Array: return v.kind() == RemoteKind::Array;
    case ArgKind::Variant: return true;
    }
    return false;
}

QString resultKindName(ResultKind kind) {
    switch (kind) {
    case ResultKind::None: return QStringLiteral("nenhum");
    case ResultKind::Text: return argKindName(ArgKind::Text);
    case ResultKind::DateTime: return argKindName(ArgKind::DateTime);
    case ResultKind::Boolean: return argKindName(ArgKind::Boolean);
    case ResultKind::Integer: return argKindName(ArgKind::Integer);
    case ResultKind::Float: return argKindName(ArgKind::Float);
    case ResultKind::Packet: return argKindName(ArgKind::Packet);
    case ResultKind::Array: return argKindName(ArgKind::Array);
    case ResultKind::Variant: return argKindName(ArgKind::Variant);
    }
    return {};
}

int Params::add(ArgKind kind, bool byRef, const char* name) {
    const QString text = QString::fromLatin1(name);
    if (text.isEmpty()) throw std::logic_error("argument without a name");
    for (const ArgDef& def : m_defs)
        if (def.name.compare(text, Qt::CaseInsensitive) == 0)
            throw std::logic_error("argument " + text.toStdString() + " declared twice");
    m_defs.push_back(ArgDef{kind, byRef, text});
    return int(m_defs.size()) - 1;
}

Arg<QString> Params::text(const char* name) { return Arg<QString>(add(ArgKind::Text, false, name)); }
RefArg<QString> Params::textRef(const char* name) { return RefArg<QString>(add(ArgKind::Text, true, name)); }
Arg<OptionalDateTime> Params::dateTime(const char* name) {
    return Arg<OptionalDateTime>(add(ArgKind::DateTime, false, name));
}
RefArg<OptionalDateTime> Params::dateTimeRef(const char* name) {
    return RefArg<OptionalDateTime>(add(ArgKind::DateTime, true, name));
}
Arg<bool> Params::boolean(const char* name) { return Arg<bool>(add(ArgKind::Boolean, false, name)); }
Arg<qint64> Params::integer(const char* name) { return Arg<qint64>(add(ArgKind::Integer, false, name)); }
Arg<double> Params::number(const char* name) { return Arg<double>(add(ArgKind::Float, false, name)); }
Arg<QByteArray> Params::packet(const char* name) { return Arg<QByteArray>(add(ArgKind::Packet, false, name)); }
Arg<RemoteValue::Array> Params::array(const char* name) {
    return Arg<RemoteValue::Array>(add(ArgKind::Array, false, name));
}
Arg<RemoteValue> Params::variant(const char* name) { return Arg<RemoteValue>(add(ArgKind::Variant, false, name)); }
RefArg<RemoteValue> Params::variantRef(const char* name) {
    return RefArg<RemoteValue>(add(ArgKind::Variant, true, name));
}

}  // namespace platform::server
