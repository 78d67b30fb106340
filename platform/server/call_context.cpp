#include "call_context.h"

#include "database_provider.h"

#include <stdexcept>

namespace platform::server {

using host::RemoteValue;

CallContext::CallContext(const QString& module, const MethodDef& method, std::vector<RemoteValue> args,
                         SessionInfo session, QString sessionToken, DatabaseProvider* db)
    : m_module(module), m_method(method), m_args(std::move(args)), m_session(std::move(session)),
      m_token(std::move(sessionToken)), m_db(db) {}

QSqlDatabase CallContext::database() {
    if (!m_db) throw std::logic_error("server started without a database");
    return m_db->database();
}

const RemoteValue& CallContext::arg(int i) const {
    if (i < 0 || i >= argCount())
        throw std::logic_error("argument " + std::to_string(i) + " out of range in " + m_method.name.toStdString());
    return m_args[size_t(i)];
}

QString CallContext::text(int i) const { return arg(i).toText(); }

std::optional<host::DateTime> CallContext::dateTime(int i) const {
    const RemoteValue& v = arg(i);
    if (v.isNull()) return std::nullopt;
    return v.dateTime();
}

bool CallContext::boolean(int i) const { return arg(i).boolean(); }

qint64 CallContext::integer(int i) const { return arg(i).integer(); }

double CallContext::number(int i) const { return arg(i).number(); }

QByteArray CallContext::packet(int i) const {
    const RemoteValue& v = arg(i);
    if (v.isNull()) return {};
    return v.packetBytes();
}

void CallContext::setByRef(int i, RemoteValue value) {
    arg(i);
    if (!m_method.args[size_t(i)].byRef)
        throw std::logic_error("argument " + std::to_string(i) + " of " + m_method.name.toStdString() +
                               " is not by reference");
    m_args[size_t(i)] = std::move(value);
}

std::vector<RemoteValue> CallContext::takeByRefValues() {
    std::vector<RemoteValue> out;
    for (size_t i = 0; i < m_args.size(); ++i)
        if (m_method.args[i].byRef) out.push_back(std::move(m_args[i]));
    return out;
}

}  // namespace platform::server
