#include "http_transport.h"

#include "rpc_codec.h"

#include <httplib.h>

namespace host {

namespace {

struct Endpoint {
    QString scheme = QStringLiteral("http");
    QString host;
    int port = 0;
    QString error;
};

// Splits "[scheme://]host[:port][/...]"; an explicit port argument wins over
// one written in the host text.
Endpoint parseEndpoint(const QString& text, int port) {
    Endpoint e;
    QString rest = text.trimmed();
    const qsizetype sep = rest.indexOf(QStringLiteral("://"));
    if (sep >= 0) {
        e.scheme = rest.left(sep).toLower();
        rest = rest.mid(sep + 3);
    }
    rest = rest.section(QLatin1Char('/'), 0, 0);
    int textPort = 0;
    if (rest.startsWith(QLatin1Char('['))) {  // IPv6 literal
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close > 0 && rest.mid(close + 1).startsWith(QLatin1Char(':'))) textPort = rest.mid(close + 2).toInt();
        e.host = rest.left(close + 1);
    } else if (rest.count(QLatin1Char(':')) == 1) {
        textPort = rest.section(QLatin1Char(':'), 1).toInt();
        e.host = rest.section(QLatin1Char(':'), 0, 0);
    } else {
        e.host = rest;
    }
    e.port = port > 0 ? port : textPort;
    if (e.port <= 0) e.port = e.scheme == QLatin1String("https") ? 443 : 80;
    if (e.scheme != QLatin1String("http") && e.scheme != QLatin1String("https"))
        e.error = QStringLiteral("protocolo \"%1\" não suportado (use http ou https)").arg(e.scheme);
    else if (e.host.isEmpty())
        e.error = QStringLiteral("endereço do servidor não informado");
    else if (e.port > 65535)
        e.error = QStringLiteral("porta %1 inválida").arg(e.port);
    return e;
}

bool isConnectError(httplib::Error e) {
    switch (e) {
    case httplib::Error::Connection:
    case httplib::Error::ConnectionTimeout:
    case httplib::Error::BindIPAddress:
    case httplib::Error::SSLConnection:
    case httplib::Error::SSLLoadingCerts:
    case httplib::Error::SSLServerVerification: return true;
    default: return false;
    }
}

QString reasonText(httplib::Error e) {
    switch (e) {
    case httplib::Error::Connection: return QStringLiteral("conexão recusada ou servidor inacessível");
    case httplib::Error::ConnectionTimeout: return QStringLiteral("tempo de conexão esgotado");
    case httplib::Error::BindIPAddress: return QStringLiteral("endereço local inválido");
    case httplib::Error::Read:
        return QStringLiteral("a resposta não chegou (tempo esgotado ou conexão interrompida)");
    case httplib::Error::Write: return QStringLiteral("falha ao enviar a requisição");
    case httplib::Error::SSLConnection: return QStringLiteral("falha na conexão segura (TLS)");
    case httplib::Error::SSLLoadingCerts: return QStringLiteral("falha ao carregar os certificados");
    case httplib::Error::SSLServerVerification: return QStringLiteral("o certificado do servidor não foi aceito");
    case httplib::Error::Canceled: return QStringLiteral("operação cancelada");
    case httplib::Error::Compression: return QStringLiteral("falha ao descomprimir a resposta");
    case httplib::Error::ExceedRedirectCount: return QStringLiteral("redirecionamentos demais");
    default: return QStringLiteral("erro de comunicação (%1)").arg(QString::fromStdString(httplib::to_string(e)));
    }
}

}  // namespace

HttpTransport::HttpTransport(HttpTransportOptions options) : m_options(options) {}

HttpTransport::~HttpTransport() = default;

void HttpTransport::open(const QString& host, int port) {
    m_client.reset();
    const Endpoint e = parseEndpoint(host, port);
    m_address = QStringLiteral("%1:%2").arg(e.host).arg(e.port);
    m_setupError = e.error;
    if (!m_setupError.isEmpty()) return;
    const std::string url = QStringLiteral("%1://%2:%3").arg(e.scheme, e.host).arg(e.port).toStdString();
    auto client = std::make_unique<httplib::Client>(url);
    if (!client->is_valid()) {
        m_setupError = QStringLiteral("endereço \"%1\" inválido").arg(host);
        return;
    }
    client->set_connection_timeout(m_options.connectTimeout);
    client->set_read_timeout(m_options.readTimeout);
    client->set_write_timeout(m_options.writeTimeout);
    client->set_keep_alive(m_options.keepAlive);
    client->set_tcp_nodelay(true);
    if (e.scheme == QLatin1String("https")) client->enable_server_certificate_verification(true);
    m_client = std::move(client);
}

void HttpTransport::close() {
    if (m_client) m_client->stop();
    m_client.reset();
}

void HttpTransport::fail(const QString& what, const QString& reason) const {
    throw TransportError(QStringLiteral("%1 (%2): %3.").arg(what, m_address, reason));
}

QByteArray HttpTransport::exchange(const QByteArray& request) {
    const QString connectFailure = QStringLiteral("Não foi possível conectar ao servidor de aplicação");
    if (!m_setupError.isEmpty()) fail(connectFailure, m_setupError);
    if (!m_client) fail(connectFailure, QStringLiteral("conexão fechada"));

    const httplib::Result res = m_client->Post("/rpc", request.constData(), size_t(request.size()), kRpcContentType);
    if (!res) {
        const httplib::Error err = res.error();
        fail(isConnectError(err) ? connectFailure : QStringLiteral("Falha na comunicação com o servidor de aplicação"),
             reasonText(err));
    }
    // Every answer of the server, failures included, is a CBOR message; other
    // bodies come from something in between (a proxy) or from the HTTP layer.
    if (res->get_header_value("Content-Type") == kRpcContentType)
        return QByteArray(res->body.data(), qsizetype(res->body.size()));
    if (res->status == 413)
        throw TransportError(
            QStringLiteral("A requisição excede o tamanho máximo aceito pelo servidor de aplicação (%1).")
                .arg(m_address));
    throw TransportError(
        QStringLiteral("O servidor de aplicação (%1) respondeu com o estado HTTP %2.").arg(m_address).arg(res->status));
}

}  // namespace host
