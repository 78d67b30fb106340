#pragma once
// The application server's HTTP face: POST /rpc with a CBOR request as body,
// answered with a CBOR response; GET /health for monitors. Requests run on a
// fixed pool of worker threads (each with its own database connection through
// the provider). Plain HTTP: production puts a TLS-terminating reverse proxy in
// front (docs/remote-calls.md).
#include "dispatcher.h"

#include <QtCore/QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}

namespace platform::server {

struct HttpServerOptions {
    QString host = QStringLiteral("127.0.0.1");
    int port = 8211;  // 0: any free port (tests)
    // A kept-alive connection holds its worker until it idles out, so there
    // must be a worker for every client calling at the same time; idle workers
    // cost nothing but their database connection.
    int threads = 32;
    std::chrono::seconds readTimeout{30};
    std::chrono::seconds writeTimeout{60};
    std::chrono::seconds keepAliveTimeout{2};
    int backlog = 1024;  // connections waiting to be accepted
};

class RpcHttpServer {
public:
    RpcHttpServer(const Dispatcher& dispatcher, HttpServerOptions options);
    ~RpcHttpServer();  // stops and joins
    RpcHttpServer(const RpcHttpServer&) = delete;
    RpcHttpServer& operator=(const RpcHttpServer&) = delete;

    // Binds the address; returns the port. Throws host::UserError when the
    // address cannot be bound.
    int bind();
    // Serves until stop(); bind() first.
    void run();
    // bind() when needed, then run() on a background thread; returns once
    // connections are accepted.
    void start();
    void stop();
    int port() const { return m_port; }

private:
    class Listener;
    void setUpRoutes();

    const Dispatcher& m_dispatcher;
    HttpServerOptions m_options;
    std::unique_ptr<Listener> m_server;
    std::thread m_thread;
    int m_port = -1;
    std::atomic<bool> m_stopping{false};
};

}  // namespace platform::server
