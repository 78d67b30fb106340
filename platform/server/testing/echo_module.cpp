#include "echo_module.h"

#include "platform/server/call_context.h"

#include "host/data/errors.h"

#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <stdexcept>

namespace platform::server::testing {

using host::RemoteValue;

namespace {

void addEco(ServerModule& module) {
    Params p;
    p.text("texto");
    p.dateTime("data");
    p.boolean("logico");
    p.integer("inteiro");
    p.number("numero");
    p.packet("pacote");
    p.array("lista");
    p.variant("variante");
    module.method(QStringLiteral("Eco"), p, ResultKind::Array, [](CallContext& c) {
        RemoteValue::Array all;
        for (int i = 0; i < c.argCount(); ++i) all.push_back(c.arg(i));
        return RemoteValue(std::move(all));
    });
}

void addReferencias(ServerModule& module) {
    Params p;
    const auto text = p.textRef("texto");
    const auto date = p.dateTimeRef("data");
    const auto variant = p.variantRef("variante");
    const auto extra = p.text("extra");
    module.method(QStringLiteral("Referencias"), p, ResultKind::Text, [=](CallContext& c) {
        c.set(text, c[text].toUpper() + QLatin1Char('!'));
        if (const auto d = c[date]) c.set(date, host::DateTime{d->msecs + 86'400'000});
        c.set(variant, RemoteValue::Array{c[variant], c.arg(extra.index())});  // extra as it came, null too
        return RemoteValue("feito");
    });
}

void addFailures(ServerModule& module) {
    Params falha;
    const auto message = falha.text("mensagem");
    module.method(QStringLiteral("Falha"), falha, ResultKind::None,
                  [=](CallContext& c) -> RemoteValue { throw host::UserError(c[message]); })
        .method(QStringLiteral("Quebra"), {}, ResultKind::None,
                [](CallContext&) -> RemoteValue { throw std::runtime_error("handler bug"); })
        .method(QStringLiteral("QuebraDados"), {}, ResultKind::Text,
                [](CallContext&) { return RemoteValue(RemoteValue(5).text()); })
        .method(QStringLiteral("RespostaInvalida"), {}, ResultKind::Packet,
                [](CallContext&) { return RemoteValue::packet("lixo"); });
}

void addDobro(ServerModule& module) {
    Params p;
    const auto n = p.integer("n");
    module.method(QStringLiteral("Dobro"), p, ResultKind::Array, [=](CallContext& c) {
        QSqlQuery q(c.database());
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM OPERADOR")) || !q.next())
            throw std::runtime_error(q.lastError().text().toStdString());
        return RemoteValue(RemoteValue::Array{c[n] * 2, q.value(0).toLongLong()});
    });
}

}  // namespace

void registerEchoModule(ModuleRegistry& registry) {
    ServerModule& module = registry.add(QString::fromLatin1(kEchoModule));
    addEco(module);
    addReferencias(module);
    Params naoMexe;
    naoMexe.textRef("texto");
    module.method(QStringLiteral("NaoMexe"), naoMexe, ResultKind::None, [](CallContext&) { return RemoteValue(); });
    addFailures(module);
    module.method(QStringLiteral("QuemSou"), {}, ResultKind::Array, [](CallContext& c) {
        return RemoteValue(RemoteValue::Array{c.operatorCode(), c.operatorName()});
    });
    addDobro(module);
}

}  // namespace platform::server::testing
