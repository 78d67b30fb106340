#pragma once
// What a screen hands to a remote call and what it gets back.
//
// Arguments are positional. A by-reference argument sends the current value of
// the caller's variable and, when the call succeeds, receives the value the
// server left in it; a failed call leaves every variable as it was.
//
//     QString lista = "_0001_";
//     RemoteResult r = netLancaAutoF.call(names::lancaAutoF::GetFilialDest, {cdAgru, byRef(lista), ...});
//     cdsFilialDest.setData(CheckResultServ(r, true, 0).packetBytes());
#include "remote_value.h"

#include <QtCore/QString>
#include <concepts>
#include <utility>
#include <variant>

namespace host {

class RemoteArg {
public:
    // Any value a RemoteValue can be made from passes by value.
    template <typename T>
        requires std::constructible_from<RemoteValue, T&&>
    RemoteArg(T&& value) : m_value(std::forward<T>(value)) {}

    const RemoteValue& value() const { return m_value; }
    bool isByRef() const { return m_target.index() != 0; }

    // Checks that v fits the caller's variable (a text variable takes text or
    // null, a date-time variable only a date-time) without writing it.
    bool accepts(const RemoteValue& v) const;
    void assign(RemoteValue v) const;  // writes the variable; call only after accepts()
    QString targetKindName() const;    // for messages: "texto", "data-hora", "variante"

private:
    friend RemoteArg byRef(QString& variable);
    friend RemoteArg byRef(DateTime& variable);
    friend RemoteArg byRef(RemoteValue& variable);
    template <typename P>
    RemoteArg(RemoteValue current, P* target) : m_value(std::move(current)), m_target(target) {}

    RemoteValue m_value;
    std::variant<std::monostate, QString*, DateTime*, RemoteValue*> m_target;
};

// By-reference arguments: text, date-time, or variant (any remote value).
// The variable must outlive the call.
RemoteArg byRef(QString& variable);
RemoteArg byRef(DateTime& variable);
RemoteArg byRef(RemoteValue& variable);

// The outcome of one call: a value, or a failure with the message to show.
// Transport trouble (server unreachable, timeout, garbled answer) is a failure
// too: a connection never throws for it.
class RemoteResult {
public:
    static RemoteResult success(RemoteValue value) { return RemoteResult(true, std::move(value), {}); }
    static RemoteResult failure(QString message) { return RemoteResult(false, {}, std::move(message)); }

    bool ok() const { return m_ok; }
    const RemoteValue& value() const { return m_value; }  // null for a failure
    const QString& error() const { return m_error; }      // empty on success

private:
    RemoteResult(bool ok, RemoteValue value, QString error)
        : m_ok(ok), m_value(std::move(value)), m_error(std::move(error)) {}
    bool m_ok;
    RemoteValue m_value;
    QString m_error;
};

}  // namespace host
