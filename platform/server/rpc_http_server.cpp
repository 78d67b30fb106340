#include "rpc_http_server.h"

#include "server_log.h"

#include "host/data/errors.h"

#include <httplib.h>

#include <sys/socket.h>

#include <algorithm>

namespace platform::server {

// The packaged cpp-httplib listens with a backlog of 5: a burst of clients
// overflows it, connections are dropped and, worse, its accept loop ends on
// the resulting accept() error. Listening again on the bound socket widens
// the backlog (Linux updates it in place).
class RpcHttpServer::Listener : public httplib::Server {
public:
    bool widenBacklog(int backlog) {
        const socket_t sock = svr_sock_;
        return sock != INVALID_SOCKET && ::listen(sock, backlog) == 0;
    }
};

namespace {

void sendMessage(httplib::Response& res, int status, const QByteArray& body) {
    res.status = status;
    res.set_content(body.constData(), size_t(body.size()), host::kRpcContentType);
}

QByteArray failureBody(const QString& message) { return host::encodeResponse(host::RpcResponse::failure(message)); }

}  // namespace

RpcHttpServer::RpcHttpServer(const Dispatcher& dispatcher, HttpServerOptions options)
    : m_dispatcher(dispatcher), m_options(std::move(options)), m_server(std::make_unique<Listener>()) {
    setUpRoutes();
}

RpcHttpServer::~RpcHttpServer() {
    stop();
    if (m_thread.joinable()) m_thread.join();
}

void RpcHttpServer::setUpRoutes() {
    const int threads = std::max(1, m_options.threads);
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(size_t(threads)); };
    m_server->set_payload_max_length(size_t(m_dispatcher.limits().maxBytes));
    m_server->set_read_timeout(m_options.readTimeout);
    m_server->set_write_timeout(m_options.writeTimeout);
    m_server->set_keep_alive_timeout(m_options.keepAliveTimeout.count());
    m_server->set_tcp_nodelay(true);  // answers go out whole; no wait for the peer's delayed ACK

    m_server->Post("/rpc", [this](const httplib::Request& req, httplib::Response& res) {
        bool badRequest = false;
        const QByteArray answer =
            m_dispatcher.handle(QByteArray(req.body.data(), qsizetype(req.body.size())), &badRequest);
        sendMessage(res, badRequest ? 400 : 200, answer);
    });
    m_server->Get("/health", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("ok\n", "text/plain");
    });
    // The HTTP layer refuses an oversized body before the dispatcher sees it;
    // the client still gets the message the dispatcher would have given.
    m_server->set_error_handler([this](const httplib::Request&, httplib::Response& res) {
        if (res.status == 413)
            sendMessage(res, 413,
                        failureBody(QStringLiteral("Requisição inválida: mensagem maior que o limite de %1 bytes")
                                        .arg(m_dispatcher.limits().maxBytes)));
    });
    m_server->set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr ep) {
        try {
            std::rethrow_exception(ep);
        } catch (const std::exception& e) {
            qCCritical(serverLog) << "HTTP handler failed on" << req.path.c_str() << ":" << e.what();
        } catch (...) {
            qCCritical(serverLog) << "HTTP handler failed on" << req.path.c_str();
        }
        sendMessage(res, 500, failureBody(Dispatcher::internalError()));
    });
}

int RpcHttpServer::bind() {
    if (m_port >= 0) return m_port;
    const std::string host = m_options.host.toStdString();
    const int port = m_options.port == 0 ? m_server->bind_to_any_port(host)
                                         : (m_server->bind_to_port(host, m_options.port) ? m_options.port : -1);
    if (port < 0 || !m_server->widenBacklog(m_options.backlog))
        throw host::UserError(QStringLiteral("Não foi possível abrir o endereço %1:%2 para o servidor de aplicação.")
                                  .arg(m_options.host)
                                  .arg(m_options.port));
    m_port = port;
    return port;
}

void RpcHttpServer::run() {
    bind();
    // listen_after_bind() returns false when its accept loop died on an error
    // while nobody asked it to stop: listen again on the same port.
    while (!m_server->listen_after_bind() && !m_stopping) {
        qCCritical(serverLog) << "accept loop ended unexpectedly; listening again on port" << m_port;
        bool bound = false;
        for (int attempt = 0; attempt < 50 && !bound && !m_stopping; ++attempt) {
            bound = m_server->bind_to_port(m_options.host.toStdString(), m_port) &&
                    m_server->widenBacklog(m_options.backlog);
            if (!bound) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (!bound) {
            qCCritical(serverLog) << "could not listen again on port" << m_port;
            return;
        }
    }
}

void RpcHttpServer::start() {
    bind();
    m_thread = std::thread([this] { run(); });
    // The socket already listens, so connections made from now on wait in the
    // backlog; waiting for the accept loop keeps stop() from racing its start.
    for (int i = 0; i < 5000 && !m_server->is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void RpcHttpServer::stop() {
    m_stopping = true;
    m_server->stop();
}

}  // namespace platform::server
