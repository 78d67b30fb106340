#include "server_config.h"

#include "host/data/errors.h"

#include <QtCore/QFileInfo>

#include <arpa/inet.h>

namespace platform::server {

namespace {

[[noreturn]] void bad(const QString& message) { throw host::UserError(message + QLatin1Char('\n') + serverUsage()); }

int positive(const QString& option, const QString& text, int max) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > max)
        bad(QStringLiteral("Valor inválido para %1: \"%2\" (de 1 a %3).").arg(option, text).arg(max));
    return n;
}

void parseListen(const QString& text, HttpServerOptions& http) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0) bad(QStringLiteral("Endereço inválido para --listen: \"%1\" (use host:porta).").arg(text));
    http.host = text.left(colon);
    if (http.host.startsWith(QLatin1Char('[')) && http.host.endsWith(QLatin1Char(']')))
        http.host = http.host.mid(1, http.host.size() - 2);
    bool ok = false;
    const int port = text.mid(colon + 1).toInt(&ok);
    if (!ok || port < 0 || port > 65535) bad(QStringLiteral("Porta inválida em --listen: \"%1\".").arg(text));
    http.port = port;
}

}  // namespace

QString serverUsage() {
    return QStringLiteral(
        "Uso: afserver (--sqlite ARQUIVO | --pg \"CONNINFO\") [--listen HOST:PORTA] [--threads N]\n"
        "              [--max-request-mb N] [--session-idle-minutes N]\n"
        "              [--max-connections N] [--max-connections-per-address N]\n"
        "              [--trusted-proxy ENDEREÇO[,ENDEREÇO...]]\n"
        "     afserver (--sqlite ARQUIVO | --pg \"CONNINFO\") --set-password OPERADOR\n"
        "     afserver --help");
}

ServerConfig parseServerArgs(const QStringList& args) {
    ServerConfig cfg;
    // Asking for the usage is no mistake: it is answered alone, whatever else was given.
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        cfg.help = true;
        return cfg;
    }
    bool haveDb = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        if (i + 1 >= args.size()) bad(QStringLiteral("Opção %1 sem valor ou desconhecida.").arg(option));
        const QString value = args[++i];
        if (option == QLatin1String("--listen")) {
            parseListen(value, cfg.http);
        } else if (option == QLatin1String("--sqlite") || option == QLatin1String("--pg")) {
            if (haveDb) bad(QStringLiteral("Informe um só banco de dados (--sqlite ou --pg)."));
            haveDb = true;
            if (option == QLatin1String("--pg")) {
                cfg.database = QtSqlDatabaseProvider::postgres(value);
            } else {
                if (!QFileInfo(value).isFile())
                    bad(QStringLiteral("Banco de dados SQLite não encontrado: %1").arg(value));
                cfg.database = QtSqlDatabaseProvider::sqlite(value);
            }
        } else if (option == QLatin1String("--threads")) {
            cfg.http.threads = positive(option, value, 256);
        } else if (option == QLatin1String("--max-connections")) {
            cfg.http.maxConnections = positive(option, value, 1'000'000);
        } else if (option == QLatin1String("--max-connections-per-address")) {
            cfg.http.maxConnectionsPerAddress = positive(option, value, 1'000'000);
        } else if (option == QLatin1String("--trusted-proxy")) {
            for (const QString& proxy : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                QByteArray ip = proxy.trimmed().toLatin1();
                in6_addr parsed{};
                if (inet_pton(AF_INET, ip.constData(), &parsed) != 1 && inet_pton(AF_INET6, ip.constData(), &parsed) != 1)
                    bad(QStringLiteral("Endereço inválido para --trusted-proxy: \"%1\".").arg(proxy.trimmed()));
                cfg.http.trustedProxies << proxy.trimmed();
            }
        } else if (option == QLatin1String("--max-request-mb")) {
            cfg.limits.maxBytes = qsizetype(positive(option, value, 1024)) * 1024 * 1024;
        } else if (option == QLatin1String("--session-idle-minutes")) {
            cfg.sessions.idleTimeout = std::chrono::minutes(positive(option, value, 7 * 24 * 60));
        } else if (option == QLatin1String("--set-password")) {
            if (value.trimmed().isEmpty()) bad(QStringLiteral("Informe o operador em --set-password."));
            cfg.setPasswordFor = value.trimmed();
        } else {
            bad(QStringLiteral("Opção desconhecida: %1").arg(option));
        }
    }
    if (!haveDb) bad(QStringLiteral("Informe o banco de dados (--sqlite ou --pg)."));
    return cfg;
}

}  // namespace platform::server
