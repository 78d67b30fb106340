#include "call_context.h"

#include "database_provider.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace platform::server {

using host::RemoteValue;

CallContext::CallContext(const QString& module, const MethodDef& method, std::vector<RemoteValue> args,
                         SessionInfo session, QString sessionToken, DatabaseProvider* db, CallChannel* channel)
    : m_module(module), m_method(method), m_args(std::move(args)), m_session(std::move(session)),
      m_token(std::move(sessionToken)), m_db(db), m_channel(channel) {}

void CallContext::delayAnswerUntil(std::chrono::steady_clock::time_point t) {
    if (m_channel)
        m_channel->answerNotBefore = std::max(m_channel->answerNotBefore, t);
    else
        std::this_thread::sleep_until(t);
}

QSqlDatabase CallContext::database() {
    if (!m_db) throw std::logic_error("server started without a database");
    return m_db->database();
}

const RemoteValue& CallContext::arg(int i) const {
    if (i < 0 || i >= argCount())
        throw std::logic_error("argument " + std::to_string(i) + " out of range in " + m_method.name.toStdString());
    return m_args[size_t(i)];
}

const RemoteValue& CallContext::declared(int i, ArgKind kind) const {
    const RemoteValue& v = arg(i);
    if (m_method.args[size_t(i)].kind != kind)
        throw std::logic_error("argument " + std::to_string(i) + " of " + m_method.name.toStdString() +
                               " read through a handle of another kind");
    return v;
}

QString CallContext::operator[](Arg<QString> a) const { return declared(a.index(), ArgKind::Text).toText(); }

OptionalDateTime CallContext::operator[](Arg<OptionalDateTime> a) const {
    const RemoteValue& v = declared(a.index(), ArgKind::DateTime);
    if (v.isNull()) return std::nullopt;
    return v.dateTime();
}

bool CallContext::operator[](Arg<bool> a) const { return declared(a.index(), ArgKind::Boolean).boolean(); }

qint64 CallContext::operator[](Arg<qint64> a) const { return declared(a.index(), ArgKind::Integer).integer(); }

double CallContext::operator[](Arg<double> a) const { return declared(a.index(), ArgKind::Float).number(); }

QByteArray CallContext::operator[](Arg<QByteArray> a) const {
    const RemoteValue& v = declared(a.index(), ArgKind::Packet);
    if (v.isNull()) return {};
    return v.packetBytes();
}

const RemoteValue::Array& CallContext::operator[](Arg<RemoteValue::Array> a) const {
    return declared(a.index(), ArgKind::Array).array();
}

const RemoteValue& CallContext::operator[](Arg<RemoteValue> a) const { return declared(a.index(), ArgKind::Variant); }

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
