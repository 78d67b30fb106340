#pragma once
// The application server's modules and their methods, registered by name at
// start-up and read-only afterwards (so any worker thread may look them up).
// Names match without regard to letter case, like the clients' dispatch
// calls always have; two names differing only in case are refused. Modules
// and methods can be listed in the order they were registered, with their
// signatures, for whoever describes them.
#include "method_signature.h"

#include "host/remote/remote_value.h"

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform::server {

class CallContext;

// A handler returns the method's result; by-reference arguments are written
// through the context. It throws host::UserError for a business failure (the
// message goes to the user); anything else it throws is an internal error.
using Handler = std::function<host::RemoteValue(CallContext&)>;

// What a method that writes asks of its caller. The dispatcher has the
// registry's authoriser check it before the handler runs; what depends on the
// rows written (an automatic AF, a quantity zeroed) the handler checks itself
// and `rowChecks` describes.
struct WriteRule {
    QStringList rights;      // permission codes the operator must hold ("ENAF", "CAAF", ...)
    bool writersOnly = true;  // refused to the read-only group of the operator's branch
    QString rowChecks;       // for the method's description
};

// Refuses a write with a host::UserError; set once by whoever registers the business modules.
using WriteAuthoriser = std::function<void(CallContext&, const WriteRule&)>;

struct MethodDef {
    QString name;
    std::vector<ArgDef> args;
    ResultKind result = ResultKind::Variant;
    Handler handler;
    bool needsSession = true;  // false only for the login
    std::optional<WriteRule> write;  // set for every method that changes business data
};

class ServerModule {
public:
    explicit ServerModule(QString name) : m_name(std::move(name)) {}
    const QString& name() const { return m_name; }

    // Throws std::logic_error for a repeated name or an empty handler.
    ServerModule& method(const QString& name, const Params& params, ResultKind result, Handler handler);
    // A method that changes business data: refused unless the caller meets the rule.
    ServerModule& writeMethod(const QString& name, const Params& params, ResultKind result, WriteRule rule,
                              Handler handler);
    // A method callable without a session (the login).
    ServerModule& publicMethod(const QString& name, const Params& params, ResultKind result, Handler handler);
    const MethodDef* find(const QString& name) const;
    // In the order they were declared.
    std::vector<const MethodDef*> methods() const;

private:
    ServerModule& add(MethodDef def);
    QString m_name;
    std::deque<MethodDef> m_methods;  // a deque keeps them in place as more are added
    QHash<QString, const MethodDef*> m_byName;  // by case-folded name
};

class ModuleRegistry {
public:
    // Throws std::logic_error when a module of that name exists.
    ServerModule& add(const QString& name);
    const ServerModule* find(const QString& name) const;
    // In the order they were registered.
    std::vector<const ServerModule*> modules() const;

    void setWriteAuthoriser(WriteAuthoriser authoriser) { m_authoriser = std::move(authoriser); }
    // Throws host::UserError when the caller may not; std::logic_error when no
    // authoriser was set (a write is never let through unchecked).
    void authoriseWrite(CallContext& call, const WriteRule& rule) const;

private:
    WriteAuthoriser m_authoriser;
    std::vector<std::unique_ptr<ServerModule>> m_modules;
    QHash<QString, ServerModule*> m_byName;  // by case-folded name
};

}  // namespace platform::server
