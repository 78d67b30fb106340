#include "platform/shell/server_address.h"

#include "host/data/errors.h"

namespace shell {
namespace {

[[noreturn]] void refuse(const QString& text, const QString& why) {
    throw host::UserError(
        QStringLiteral("Endereço do servidor de aplicação inválido: \"%1\" (%2). Use host:porta.").arg(text, why));
}

}  // namespace

QString ServerAddress::text() const { return QStringLiteral("%1:%2").arg(host).arg(port); }

ServerAddress parseServerAddress(const QString& text) {
    const QString trimmed = text.trimmed();
    QString scheme;
    QString rest = trimmed;
    for (const QString& s : {QStringLiteral("http://"), QStringLiteral("https://")}) {
        if (trimmed.startsWith(s, Qt::CaseInsensitive)) {
            scheme = s.toLower();
            rest = trimmed.mid(s.size());
        }
    }
    if (rest.endsWith(QLatin1Char('/'))) rest.chop(1);
    if (rest.contains(QLatin1Char('/'))) refuse(text, QStringLiteral("caminho não é aceito"));

    ServerAddress address;
    address.port = scheme == QLatin1String("https://") ? 443 : scheme == QLatin1String("http://") ? 80 : kDefaultServerPort;
    const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        bool ok = false;
        const int port = rest.mid(colon + 1).toInt(&ok);
        if (!ok || port < 1 || port > 65535) refuse(text, QStringLiteral("porta inválida"));
        address.port = port;
        rest = rest.left(colon);
    }
    if (rest.isEmpty()) refuse(text, QStringLiteral("servidor não informado"));
    if (rest.contains(QLatin1Char(' '))) refuse(text, QStringLiteral("espaços não são aceitos"));
    address.host = scheme + rest;
    return address;
}

}  // namespace shell
