#include "module_registry.h"

#include <stdexcept>

namespace platform::server {

ServerModule& ServerModule::method(const QString& name, const Params& params, ResultKind result, Handler handler) {
    return add(MethodDef{name, params.defs(), result, std::move(handler), true, std::nullopt});
}

ServerModule& ServerModule::writeMethod(const QString& name, const Params& params, ResultKind result,
                                        WriteRule rule, Handler handler) {
    MethodDef def{name, params.defs(), result, std::move(handler), true, std::move(rule)};
    return add(std::move(def));
}

ServerModule& ServerModule::publicMethod(const QString& name, const Params& params, ResultKind result,
                                         Handler handler) {
    return add(MethodDef{name, params.defs(), result, std::move(handler), false, std::nullopt});
}

ServerModule& ServerModule::add(MethodDef def) {
    const QString key = def.name.toCaseFolded();
    if (def.name.isEmpty() || !def.handler)
        throw std::logic_error("method without name or handler in module " + m_name.toStdString());
    if (m_byName.contains(key))
        throw std::logic_error("method " + def.name.toStdString() + " registered twice in " + m_name.toStdString());
    m_methods.push_back(std::move(def));
    m_byName.insert(key, &m_methods.back());
    return *this;
}

const MethodDef* ServerModule::find(const QString& name) const { return m_byName.value(name.toCaseFolded()); }

std::vector<const MethodDef*> ServerModule::methods() const {
    std::vector<const MethodDef*> out;
    for (const MethodDef& m : m_methods) out.push_back(&m);
    return out;
}

ServerModule& ModuleRegistry::add(const QString& name) {
    const QString key = name.toCaseFolded();
    if (name.isEmpty()) throw std::logic_error("module without name");
    if (m_byName.contains(key)) throw std::logic_error("module " + name.toStdString() + " registered twice");
    m_modules.push_back(std::make_unique<ServerModule>(name));
    m_byName.insert(key, m_modules.back().get());
    return *m_modules.back();
}

const ServerModule* ModuleRegistry::find(const QString& name) const { return m_byName.value(name.toCaseFolded()); }

std::vector<const ServerModule*> ModuleRegistry::modules() const {
    std::vector<const ServerModule*> out;
    for (const auto& m : m_modules) out.push_back(m.get());
    return out;
}

void ModuleRegistry::authoriseWrite(CallContext& call, const WriteRule& rule) const {
    if (!m_authoriser) throw std::logic_error("a write method was called but no authoriser is set");
    m_authoriser(call, rule);
}

}  // namespace platform::server
