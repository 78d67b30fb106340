#include "check_result.h"

#include "host/data/errors.h"

namespace host {

namespace {

constexpr int kOperatorCodeChars = 12;

[[noreturn]] void unexpected(const RemoteValue& v, const QString& expected) {
    throw UserError(QStringLiteral("Resposta inesperada do servidor de aplicação: esperado %1, recebido %2.")
                        .arg(expected, describe(v)));
}

void raiseOnFailure(const RemoteResult& result) {
    if (result.ok()) return;
    if (result.error().isEmpty())
        throw UserError(QStringLiteral("O servidor de aplicação recusou a operação sem informar o motivo."));
    throw UserError(result.error());
}

QString textPayload(const RemoteValue& v, const QString& expected) {
    if (v.kind() != RemoteKind::Text && !v.isNull()) unexpected(v, expected);
    return v.toText();
}

RemoteValue flags3(const RemoteValue& v) {
    const QString expected = QStringLiteral("um texto de três caracteres \"0\" ou \"1\"");
    const QString s = textPayload(v, expected);
    if (s.size() != 3) unexpected(v, expected);
    for (QChar c : s)
        if (c != QLatin1Char('0') && c != QLatin1Char('1')) unexpected(v, expected);
    return RemoteValue(s);
}

RemoteValue operatorCode(const RemoteValue& v) {
    const QString expected =
        QStringLiteral("um código de operador (texto de até %1 caracteres)").arg(kOperatorCodeChars);
    const QString s = textPayload(v, expected);
    if (s.size() > kOperatorCodeChars) unexpected(v, expected);
    return RemoteValue(s);
}

RemoteValue variantPayload(const RemoteValue& v) {
    switch (v.kind()) {
    case RemoteKind::Packet:
    case RemoteKind::Array:
    case RemoteKind::Boolean: return v;
    default: unexpected(v, QStringLiteral("um pacote de dados"));
    }
}

}  // namespace

RemoteValue CheckResultServ(const RemoteResult& result, bool flag, int n) {
    raiseOnFailure(result);
    const RemoteValue& v = result.value();
    if (flag) {
        switch (n) {
        case 0: return variantPayload(v);
        case 1: return RemoteValue(textPayload(v, QStringLiteral("um texto")));
        case 3: return flags3(v);
        case 12: return operatorCode(v);
        default: break;
        }
    } else if (n == 2) {
        return RemoteValue(textPayload(v, QStringLiteral("um código (texto)")));
    }
    throw DataError(QStringLiteral("CheckResultServ: combinação desconhecida (%1, %2)")
                        .arg(flag ? QStringLiteral("true") : QStringLiteral("false"))
                        .arg(n));
}

QString resultText(const RemoteResult& result) {
    raiseOnFailure(result);
    const RemoteValue& v = result.value();
    switch (v.kind()) {
    case RemoteKind::Null:
    case RemoteKind::Text: return v.toText();
    case RemoteKind::Integer: return QString::number(v.integer());
    case RemoteKind::Float: return QString::number(v.number(), 'g', 17);
    case RemoteKind::Boolean: return v.boolean() ? QStringLiteral("True") : QStringLiteral("False");
    default: unexpected(v, QStringLiteral("um texto"));
    }
}

}  // namespace host
