#pragma once
// A method's signature, declared once: its arguments in order (kind, by
// reference or not, name) and the kind of its result. Declaring an argument
// hands back a typed handle that reads it in the handler, so the signature the
// dispatcher checks and the reads the handler makes cannot disagree:
//
//   Params p;
//   const auto branch = p.text("CDFILIAL");
//   const auto all = p.textRef("allBranches");
//   module.method(names::x::GetY, p, ResultKind::Packet, [=](CallContext& c) {
//       const QString b = c[branch];
//       c.set(all, QStringLiteral("T"));
//       ...
//   });
#include "host/remote/remote_value.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <optional>
#include <vector>

namespace platform::server {

// What a parameter accepts. Text, date-time, packet and variant parameters
// also take null (an empty text, no date, no packet: datasets hold empty as
// null); boolean, integer, float and array parameters do not. A float
// parameter takes an integer too.
enum class ArgKind { Text, DateTime, Boolean, Integer, Float, Packet, Array, Variant };

struct ArgDef {
    ArgKind kind = ArgKind::Variant;
    bool byRef = false;
    QString name;  // for people reading the method's description; never on the wire
};

QString argKindName(ArgKind kind);
bool acceptsNull(ArgKind kind);
bool accepts(ArgKind kind, const host::RemoteValue& v);

// What a method answers, for the description of the method; the dispatcher
// does not check it.
enum class ResultKind { None, Text, DateTime, Boolean, Integer, Float, Packet, Array, Variant };

QString resultKindName(ResultKind kind);

// A declared argument: its position, and by its type what a read gives
// (CallContext::operator[]).
template <class T>
class Arg {
public:
    int index() const { return m_index; }

protected:
    explicit Arg(int index) : m_index(index) {}

private:
    friend class Params;
    int m_index;
};

// A by-reference argument: read like any other, and written with CallContext::set.
template <class T>
class RefArg : public Arg<T> {
private:
    friend class Params;
    explicit RefArg(int index) : Arg<T>(index) {}
};

// Null reads as an empty text, no date, no packet (empty bytes).
using OptionalDateTime = std::optional<host::DateTime>;

class Params {
public:
    // Each declares the next argument. Throws std::logic_error for an empty
    // name or one already declared (regardless of case).
    Arg<QString> text(const char* name);
    RefArg<QString> textRef(const char* name);
    Arg<OptionalDateTime> dateTime(const char* name);
    RefArg<OptionalDateTime> dateTimeRef(const char* name);
    Arg<bool> boolean(const char* name);
    Arg<qint64> integer(const char* name);
    Arg<double> number(const char* name);
    Arg<QByteArray> packet(const char* name);
    Arg<host::RemoteValue::Array> array(const char* name);
    Arg<host::RemoteValue> variant(const char* name);
    RefArg<host::RemoteValue> variantRef(const char* name);

    const std::vector<ArgDef>& defs() const { return m_defs; }

private:
    int add(ArgKind kind, bool byRef, const char* name);
    std::vector<ArgDef> m_defs;
};

}  // namespace platform::server
