#pragma once
// What a handler sees of one call: who calls, the arguments (already checked
// against the method's signature), the by-reference slots it may write, and
// this thread's database connection.
#include "call_channel.h"
#include "module_registry.h"
#include "session_manager.h"

#include "host/remote/remote_value.h"

#include <QtCore/QByteArray>
#include <QtSql/QSqlDatabase>
#include <optional>
#include <vector>

namespace platform::server {

class DatabaseProvider;

class CallContext {
public:
    CallContext(const QString& module, const MethodDef& method, std::vector<host::RemoteValue> args,
                SessionInfo session, QString sessionToken, DatabaseProvider* db, CallChannel* channel = nullptr);

    const QString& moduleName() const { return m_module; }
    const QString& methodName() const { return m_method.name; }
    const QString& operatorCode() const { return m_session.operatorCode; }  // empty for the login
    const QString& operatorName() const { return m_session.operatorName; }
    const QString& sessionToken() const { return m_token; }
    // The client's address; empty in process.
    QString peerAddress() const { return m_channel ? m_channel->peerAddress : QString(); }
    // The answer goes out no sooner than this: held by the transport when it
    // can, otherwise slept here.
    void delayAnswerUntil(std::chrono::steady_clock::time_point t);

    // This thread's connection. Throws host::UserError when the database
    // cannot be reached, std::logic_error when the server has none.
    QSqlDatabase database();

    // Every argument as it came, for handlers that treat them alike.
    int argCount() const { return int(m_args.size()); }
    const host::RemoteValue& arg(int i) const;

    // An argument through the handle its declaration gave (method_signature.h).
    // Throws std::logic_error for a handle of another method's declaration.
    QString operator[](Arg<QString> a) const;
    OptionalDateTime operator[](Arg<OptionalDateTime> a) const;
    bool operator[](Arg<bool> a) const;
    qint64 operator[](Arg<qint64> a) const;
    double operator[](Arg<double> a) const;
    QByteArray operator[](Arg<QByteArray> a) const;
    const host::RemoteValue::Array& operator[](Arg<host::RemoteValue::Array> a) const;
    const host::RemoteValue& operator[](Arg<host::RemoteValue> a) const;

    // Writes a by-reference argument; the client's variable receives it. A
    // slot that was never written goes back with the value it came with.
    template <class T>
    void set(RefArg<T> a, host::RemoteValue value) {
        setByRef(a.index(), std::move(value));
    }
    std::vector<host::RemoteValue> takeByRefValues();

private:
    const host::RemoteValue& declared(int i, ArgKind kind) const;
    // Throws std::logic_error for an argument that is not by reference.
    void setByRef(int i, host::RemoteValue value);

    QString m_module;
    const MethodDef& m_method;
    std::vector<host::RemoteValue> m_args;
    SessionInfo m_session;
    QString m_token;
    DatabaseProvider* m_db;
    CallChannel* m_channel;
};

}  // namespace platform::server
