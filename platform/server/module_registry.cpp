#include "module_registry.h"

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
    case ArgKind::Float: return v.kind() == RemoteKind::Float || v.kind() == RemoteKind::Integer;
    case ArgKind::Packet: return v.kind() == RemoteKind::Packet;
    case ArgKind::Array: return v.kind() == RemoteKind::Array;
    case ArgKind::Variant: return true;
    }
    return false;
}

ServerModule& ServerModule::method(const QString& name, std::vector<ArgDef> args, Handler handler) {
    return add(MethodDef{name, std::move(args), std::move(handler), true});
}

ServerModule& ServerModule::publicMethod(const QString& name, std::vector<ArgDef> args, Handler handler) {
    return add(MethodDef{name, std::move(args), std::move(handler), false});
}

ServerModule& ServerModule::add(MethodDef def) {
    const QString key = def.name.toCaseFolded();
    if (def.name.isEmpty() || !def.handler)
        throw std::logic_error("method without name or handler in module " + m_name.toStdString());
    if (m_methods.contains(key))
        throw std::logic_error("method " + def.name.toStdString() + " registered twice in " + m_name.toStdString());
    m_methods.insert(key, std::move(def));
    return *this;
}

const MethodDef* ServerModule::find(const QString& name) const {
    const auto it = m_methods.constFind(name.toCaseFolded());
    return it == m_methods.constEnd() ? nullptr : &it.value();
}

ServerModule& ModuleRegistry::add(const QString& name) {
    const QString key = name.toCaseFolded();
    if (name.isEmpty()) throw std::logic_error("module without name");
    if (m_modules.contains(key)) throw std::logic_error("module " + name.toStdString() + " registered twice");
    auto module = std::make_shared<ServerModule>(name);
    m_modules.insert(key, module);
    return *module;
}

const ServerModule* ModuleRegistry::find(const QString& name) const {
    const auto it = m_modules.constFind(name.toCaseFolded());
    return it == m_modules.constEnd() ? nullptr : it.value().get();
}

}  // namespace platform::server
