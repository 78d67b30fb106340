#pragma once
// The application server's HTTP face: POST /rpc with a CBOR request as body,
// answered with a CBOR response; GET /health for monitors. Plain HTTP:
// production puts a TLS-terminating reverse proxy in front
// (docs/remote-calls.md).
//
// One I/O thread serves every socket (Boost.Beast over Boost.Asio); the calls
// run on a pool of worker threads, each with its own database connection
// through the provider, and their answers go back to the I/O thread. A client
// holds a worker only while its call runs: one that is slow to send, sends
// nothing or never reads is held to hard deadlines on the socket alone.
#include "dispatcher.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace platform::server {

struct HttpServerOptions {
    QString host = QStringLiteral("127.0.0.1");
    int port = 8211;  // 0: any free port (tests)
    // Calls run at once; each worker keeps one database connection.
    int threads = 32;
    int backlog = 1024;  // connections waiting to be accepted

    // Connections open at once, in all and from one client address (an IPv6
    // client counts by its /64). One over either cap is closed unanswered. The
    // total is lowered at start-up to what the process's descriptor limit allows.
    int maxConnections = 4096;
    int maxConnectionsPerAddress = 64;
    // A request's line and headers must all arrive within this, from the
    // connection's start or, kept alive, from the request's first byte.
    std::chrono::milliseconds headerTimeout{5'000};
    // A kept-alive connection waits this long for its next request.
    std::chrono::milliseconds keepAliveTimeout{5'000};
    // The body must arrive within bodyTimeout plus its declared length at
    // minBytesPerSecond; the answer must be taken within writeTimeout plus its
    // length at the same rate. Trickling resets nothing.
    std::chrono::milliseconds bodyTimeout{10'000};
    std::chrono::milliseconds writeTimeout{10'000};
    int minBytesPerSecond = 32 * 1024;
    int maxHeaderBytes = 16 * 1024;  // request line and headers; more is answered 431
    // Reverse proxies in front of the server (addresses as they connect):
    // the client of a request they send is the last address of its
    // X-Forwarded-For, for the login throttle, and the per-address cap does
    // not apply to them. Anyone else's X-Forwarded-For is ignored.
    QStringList trustedProxies;
    // After refusing a body it did not read, the server drains the client's
    // bytes this long before closing, so that the refusal is not lost to a reset.
    std::chrono::milliseconds lingerTimeout{2'000};
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
    class Engine;

    std::unique_ptr<Engine> m_engine;
    std::thread m_thread;
    int m_port = -1;
};

}  // namespace platform::server
