#pragma once
// The application server's modules and their methods, registered by name at
// start-up and read-only afterwards (so any worker thread may look them up).
// Names match without regard to letter case, like the clients' dispatch
// calls always have; two names differing only in case are refused.
#include "host/remote/remote_value.h"

#include <QtCore/QHash>
#include <QtCore/QString>
#include <functional>
#include <memory>
#include <vector>

namespace platform::server {

class CallContext;

// What a parameter accepts. Text, date-time, packet and variant parameters
// also take null (an empty text, no date, no packet: datasets hold empty as
// null); boolean, integer, float and array parameters do not. A float
// parameter takes an integer too.
enum class ArgKind { Text, DateTime, Boolean, Integer, Float, Packet, Array, Variant };

struct ArgDef {
    ArgKind kind = ArgKind::Variant;
    bool byRef = false;
};

QString argKindName(ArgKind kind);
bool acceptsNull(ArgKind kind);
bool accepts(ArgKind kind, const host::RemoteValue& v);

// Shorthands for signatures: {arg::text(), arg::textRef(), arg::packet()}.
namespace arg {
inline ArgDef text() { return {ArgKind::Text, false}; }
inline ArgDef textRef() { return {ArgKind::Text, true}; }
inline ArgDef dateTime() { return {ArgKind::DateTime, false}; }
inline ArgDef dateTimeRef() { return {ArgKind::DateTime, true}; }
inline ArgDef boolean() { return {ArgKind::Boolean, false}; }
inline ArgDef integer() { return {ArgKind::Integer, false}; }
inline ArgDef number() { return {ArgKind::Float, false}; }
inline ArgDef packet() { return {ArgKind::Packet, false}; }
inline ArgDef array() { return {ArgKind::Array, false}; }
inline ArgDef variant() { return {ArgKind::Variant, false}; }
inline ArgDef variantRef() { return {ArgKind::Variant, true}; }
}  // namespace arg

// A handler returns the method's result; by-reference arguments are written
// through the context. It throws host::UserError for a business failure (the
// message goes to the user); anything else it throws is an internal error.
using Handler = std::function<host::RemoteValue(CallContext&)>;

struct MethodDef {
    QString name;
    std::vector<ArgDef> args;
    Handler handler;
    bool needsSession = true;  // false only for the login
};

class ServerModule {
public:
    explicit ServerModule(QString name) : m_name(std::move(name)) {}
    const QString& name() const { return m_name; }

    // Throws std::logic_error for a repeated name or an empty handler.
    ServerModule& method(const QString& name, std::vector<ArgDef> args, Handler handler);
    ServerModule& publicMethod(const QString& name, std::vector<ArgDef> args, Handler handler);
    const MethodDef* find(const QString& name) const;

private:
    ServerModule& add(MethodDef def);
    QString m_name;
    QHash<QString, MethodDef> m_methods;  // by case-folded name
};

class ModuleRegistry {
public:
    // Throws std::logic_error when a module of that name exists.
    ServerModule& add(const QString& name);
    const ServerModule* find(const QString& name) const;

private:
    QHash<QString, std::shared_ptr<ServerModule>> m_modules;  // by case-folded name
};

}  // namespace platform::server
