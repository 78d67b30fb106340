#include "echo_module.h"

#include "platform/server/call_context.h"

#include "host/data/errors.h"

#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <stdexcept>

namespace platform::server::testing {

using host::RemoteValue;

void registerEchoModule(ModuleRegistry& registry) {
    registry.add(QString::fromLatin1(kEchoModule))
        .method(QStringLiteral("Eco"),
                {arg::text(), arg::dateTime(), arg::boolean(), arg::integer(), arg::number(), arg::packet(),
                 arg::array(), arg::variant()},
                [](CallContext& ctx) {
                    RemoteValue::Array all;
                    for (int i = 0; i < ctx.argCount(); ++i) all.push_back(ctx.arg(i));
                    return RemoteValue(std::move(all));
                })
        .method(QStringLiteral("Referencias"), {arg::textRef(), arg::dateTimeRef(), arg::variantRef(), arg::text()},
                [](CallContext& ctx) {
                    ctx.setByRef(0, ctx.text(0).toUpper() + QLatin1Char('!'));
                    if (const auto d = ctx.dateTime(1)) ctx.setByRef(1, host::DateTime{d->msecs + 86'400'000});
                    ctx.setByRef(2, RemoteValue::Array{ctx.arg(2), ctx.arg(3)});
                    return RemoteValue("feito");
                })
        .method(QStringLiteral("NaoMexe"), {arg::textRef()}, [](CallContext&) { return RemoteValue(); })
        .method(QStringLiteral("Falha"), {arg::text()},
                [](CallContext& ctx) -> RemoteValue { throw host::UserError(ctx.text(0)); })
        .method(QStringLiteral("Quebra"), {},
                [](CallContext&) -> RemoteValue { throw std::runtime_error("handler bug"); })
        .method(QStringLiteral("QuebraDados"), {}, [](CallContext&) { return RemoteValue(RemoteValue(5).text()); })
        .method(QStringLiteral("RespostaInvalida"), {}, [](CallContext&) { return RemoteValue::packet("lixo"); })
        .method(QStringLiteral("QuemSou"), {},
                [](CallContext& ctx) {
                    return RemoteValue(RemoteValue::Array{ctx.operatorCode(), ctx.operatorName()});
                })
        .method(QStringLiteral("Dobro"), {arg::integer()}, [](CallContext& ctx) {
            QSqlQuery q(ctx.database());
            if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM OPERADOR")) || !q.next())
                throw std::runtime_error(q.lastError().text().toStdString());
            return RemoteValue(RemoteValue::Array{ctx.integer(0) * 2, q.value(0).toLongLong()});
        });
}

}  // namespace platform::server::testing
