// The HTTP server against clients that are slow, silent, malformed, too many
// or guessing passwords, over real sockets. Misbehaving clients connect from
// 127.0.0.2 and up, so each address is its own machine to the server's caps.
#include "testing/gate.h"
#include "testing/raw_http.h"
#include "testing/test_server.h"

#include "host/remote/rpc_codec.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace platform::server;
using namespace platform::server::testing;
using namespace std::chrono_literals;

namespace {

const QString kInvalid = QStringLiteral("Operador ou senha inválidos.");
const QString kTooMany = QStringLiteral("Muitas tentativas de acesso sem sucesso. Tente novamente em alguns minutos.");
const QString kBusy = QStringLiteral("Servidor ocupado. Tente novamente em instantes.");
constexpr auto kPatience = 20s;  // far beyond any answer's normal time, far below the deadlines under test

std::string address(int n) { return "127.0.0." + std::to_string(n); }

host::RpcResponse decoded(const RawResponse& r) {
    return host::decodeResponse(QByteArray(r.body.data(), qsizetype(r.body.size())));
}

std::string callPost(const QString& token, const char* method) {
    host::RpcRequest request;
    request.module = QString::fromLatin1(kEchoModule);
    request.method = QString::fromLatin1(method);
    request.session = token;
    const QByteArray body = host::encodeRequest(request);
    return rpcPost(std::string_view(body.constData(), size_t(body.size())));
}

// One call on its own connection: the answer's outcome, or why there was none.
QString callFrom(const std::string& from, int port, const std::string& request) {
    RawHttpClient c(from, port);
    if (!c.send(request)) return QStringLiteral("<send failed>");
    const std::optional<RawResponse> r = c.readResponse(kPatience);
    if (!r) return QStringLiteral("<no answer>");
    if (r->contentType != "application/cbor") return QString::fromStdString(r->body);
    const host::RpcResponse answer = decoded(*r);
    return answer.ok ? QStringLiteral("ok") : answer.message;
}

QString loginFrom(const std::string& from, int port, const char* op, const char* password) {
    return callFrom(from, port, loginPost(QString::fromLatin1(op), QString::fromLatin1(password)));
}

// Whether the server has sent anything or closed: readable without waiting.
bool heardFrom(const RawHttpClient& c) {
    pollfd p{c.fd(), POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

ThrottleLimits limits(int freeFailures, int lockoutAfter) {
    ThrottleLimits l;
    l.freeFailures = freeFailures;
    l.lockoutAfter = lockoutAfter;
    return l;
}

// Sends a byte at a time to each client, every period, until stopped.
class Trickler {
public:
    Trickler(std::vector<RawHttpClient*> clients, std::chrono::milliseconds period)
        : m_thread([this, clients, period] {
              std::unique_lock lock(m_mutex);
              while (!m_stop) {
                  for (RawHttpClient* c : clients) c->send("X");
                  m_wake.wait_for(lock, period, [&] { return m_stop; });
              }
          }) {}
    ~Trickler() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace

// More silent and trickling clients than there are workers: under a thread
// per connection the bystander waited for their time-outs.
TEST(HttpGuard, SilentAndTricklingClientsHoldUpNobodyElse) {
    TestServer server;  // 4 workers
    server.httpOptions.headerTimeout = 120s;
    server.httpOptions.bodyTimeout = 120s;
    const int port = server.startHttp();
    const QString token = server.anaToken();

    std::vector<RawHttpClient> silent;
    for (int i = 0; i < 40; ++i) silent.emplace_back(address(2 + i % 4), port);
    std::vector<RawHttpClient> trickling;
    std::vector<RawHttpClient*> trickled;
    for (int i = 0; i < 8; ++i) {
        trickling.emplace_back(address(6), port);
        // Half never finish the header; half send it whole and then trickle the body.
        ASSERT_TRUE(trickling.back().send(i % 2 ? "POST /rpc HTTP/1.1\r\n" : "POST /rpc HTTP/1.1\r\nContent-Length: 100000\r\n\r\n"));
    }
    for (RawHttpClient& c : trickling) trickled.push_back(&c);
    Trickler trickler(trickled, 100ms);

    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(callFrom(address(1), port, callPost(token, "QuemSou")), QStringLiteral("ok")) << i;
        EXPECT_EQ(callFrom(address(1), port, "GET /health HTTP/1.1\r\nHost: x\r\n\r\n"), QStringLiteral("ok\n")) << i;
    }
    // They were there all along: the bystander was served beside them.
    for (const RawHttpClient& c : silent) EXPECT_FALSE(heardFrom(c));
    for (const RawHttpClient& c : trickling) EXPECT_FALSE(heardFrom(c));
}

// A deadline that progress cannot push back: trickling keeps no connection
// open past its header's or body's time.
TEST(HttpGuard, HeaderBodyAndIdleDeadlinesDropSlowClientsHoweverTheyTrickle) {
    TestServer server;
    server.httpOptions.headerTimeout = 1s;
    server.httpOptions.bodyTimeout = 1s;
    server.httpOptions.keepAliveTimeout = 1s;
    const int port = server.startHttp();

    RawHttpClient silent(address(2), port);
    RawHttpClient header(address(3), port);
    ASSERT_TRUE(header.send("POST /rpc HTTP/1.1\r\n"));
    RawHttpClient body(address(4), port);
    ASSERT_TRUE(body.send("POST /rpc HTTP/1.1\r\nContent-Length: 100000\r\n\r\n"));
    RawHttpClient idle(address(5), port);
    ASSERT_TRUE(idle.send("GET /health HTTP/1.1\r\nHost: x\r\n\r\n"));
    const std::optional<RawResponse> first = idle.readResponse(kPatience);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->body, "ok\n");
    Trickler trickler({&header, &body}, 200ms);

    struct Case {
        const char* name;
        RawHttpClient& client;
    } cases[] = {{"silent", silent}, {"trickled header", header}, {"trickled body", body}, {"idle kept alive", idle}};
    for (Case& c : cases) EXPECT_TRUE(c.client.waitClosed(kPatience)) << c.name;
}

TEST(HttpGuard, ImpossibleOrMissingLengthsAreAnsweredAtOnce) {
    TestServer server;
    // A server that waited for these bodies would not answer within the test's patience.
    server.httpOptions.headerTimeout = 120s;
    server.httpOptions.bodyTimeout = 120s;
    const int port = server.startHttp();
    const QString tooLarge = QStringLiteral("Requisição inválida: mensagem maior que o limite de %1 bytes")
                                 .arg(server.dispatcher.limits().maxBytes);
    const QString badLength = QStringLiteral("Requisição inválida: tamanho da mensagem (Content-Length) inválido.");
    const QString noLength = QStringLiteral("Requisição inválida: a mensagem não informa seu tamanho (Content-Length).");
    struct Case {
        const char* headers;
        int status;
        QString message;
    } cases[] = {
        {"Content-Length: 1073741824\r\n", 413, tooLarge},
        {"Content-Length: 18446744073709551615\r\n", 413, tooLarge},
        {"Content-Length: 18446744073709551616\r\n", 400, badLength},
        {"Content-Length: -5\r\n", 400, badLength},
        {"Content-Length: 12abc\r\n", 400, badLength},
        {"Content-Length: 10\r\nContent-Length: 20\r\n", 400, badLength},
        {"", 411, noLength},
        {"Transfer-Encoding: chunked\r\n", 411, noLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.headers);
        RawHttpClient client(address(2), port);
        ASSERT_TRUE(client.send(std::string("POST /rpc HTTP/1.1\r\nHost: x\r\nContent-Type: application/cbor\r\n") +
                                c.headers + "\r\n"));
        const std::optional<RawResponse> r = client.readResponse(kPatience);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, c.status);
        EXPECT_EQ(r->contentType, "application/cbor");
        const host::RpcResponse answer = decoded(*r);
        EXPECT_FALSE(answer.ok);
        EXPECT_EQ(answer.message, c.message);
        EXPECT_TRUE(client.waitClosed(kPatience));  // nothing more is read from such a client
    }
    EXPECT_EQ(callFrom(address(2), port, "GET /health HTTP/1.1\r\nHost: x\r\n\r\n"), QStringLiteral("ok\n"));
}

// A client may close its sending side once the request is out; it is still answered.
TEST(HttpGuard, HalfClosedClientsAreAnsweredEveryTime) {
    TestServer server;
    const int port = server.startHttp();
    const std::string call = callPost(server.anaToken(), "QuemSou");
    for (int i = 0; i < 30; ++i) {
        RawHttpClient c(address(1), port);
        ASSERT_TRUE(c.send(i % 2 ? call : std::string("GET /health HTTP/1.1\r\nHost: x\r\n\r\n")));
        c.shutdownWrite();
        const std::optional<RawResponse> r = c.readResponse(kPatience);
        ASSERT_TRUE(r) << i;
        EXPECT_EQ(r->status, 200) << i;
        if (i % 2) {
            const host::RpcResponse answer = decoded(*r);
            ASSERT_TRUE(answer.ok) << i << ": " << answer.message.toStdString();
            EXPECT_EQ(answer.value.array()[0].text(), QStringLiteral("ANA"));
        } else {
            EXPECT_EQ(r->body, "ok\n");
        }
        EXPECT_TRUE(c.waitClosed(kPatience)) << i;
    }
}

TEST(HttpGuard, ConnectionsOverACapAreClosedWhileOthersAreServed) {
    const std::string health = "GET /health HTTP/1.1\r\nHost: x\r\n\r\n";
    // A place given back is taken again once the server has seen the close.
    const auto servedEventually = [&](const std::string& from, int port) {
        for (int i = 0; i < 100; ++i) {
            if (callFrom(from, port, health) == QStringLiteral("ok\n")) return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    };
    {
        SCOPED_TRACE("per address");
        TestServer server;
        server.httpOptions.headerTimeout = 120s;
        server.httpOptions.maxConnectionsPerAddress = 4;
        const int port = server.startHttp();
        std::vector<RawHttpClient> held;
        for (int i = 0; i < 4; ++i) held.emplace_back(address(7), port);
        EXPECT_EQ(callFrom(address(8), port, health), QStringLiteral("ok\n"));
        RawHttpClient over(address(7), port);
        EXPECT_TRUE(over.waitClosed(kPatience));
        for (const RawHttpClient& c : held) EXPECT_FALSE(heardFrom(c));
        held.pop_back();
        EXPECT_TRUE(servedEventually(address(7), port));
    }
    {
        SCOPED_TRACE("in all");
        TestServer server;
        server.httpOptions.headerTimeout = 120s;
        server.httpOptions.maxConnections = 3;
        const int port = server.startHttp();
        std::vector<RawHttpClient> held;
        for (int i = 0; i < 3; ++i) held.emplace_back(address(10 + i), port);
        RawHttpClient over(address(20), port);
        EXPECT_TRUE(over.waitClosed(kPatience));
        held.pop_back();
        EXPECT_TRUE(servedEventually(address(21), port));
    }
}

// The client's address reaches the login: guesses are counted per address
// and per operator, and a lockout reads the same whether the operator exists.
TEST(HttpGuard, LoginsAreThrottledPerOperatorAndPerAddress) {
    {
        SCOPED_TRACE("per operator");
        TestServer server(TestServerOptions{{}, 4, 60min, 0ms, limits(1, 3), limits(1000, 1000)});
        const int port = server.startHttp();
        const QStringList expected = {kInvalid, kInvalid, kInvalid, kTooMany, kTooMany};
        for (const auto& [op, from] : {std::pair{"ANA", 11}, std::pair{"NINGUEM", 12}}) {
            QStringList seen;
            for (int i = 0; i < 5; ++i) seen << loginFrom(address(from + 10 * i), port, op, "errada");
            EXPECT_EQ(seen, expected) << op;
        }
        EXPECT_EQ(loginFrom(address(13), port, "ANA", "segredo"), kTooMany);
        EXPECT_EQ(loginFrom(address(11), port, "BETO", "outra"), QStringLiteral("ok"));
    }
    {
        SCOPED_TRACE("per address");
        TestServer server(TestServerOptions{{}, 4, 60min, 0ms, limits(1000, 1000), limits(1, 3)});
        const int port = server.startHttp();
        for (const char* op : {"X1", "X2", "X3"}) EXPECT_EQ(loginFrom(address(13), port, op, "x"), kInvalid);
        EXPECT_EQ(loginFrom(address(13), port, "BETO", "outra"), kTooMany);
        EXPECT_EQ(loginFrom(address(14), port, "BETO", "outra"), QStringLiteral("ok"));
    }
}

// Refusals are answered late on a timer: many at once keep no worker from
// the others' calls.
TEST(HttpGuard, DelayedRefusalsDoNotHoldTheWorkers) {
    TestServer server(TestServerOptions{{}, 2, 60min, 5000ms});
    const int port = server.startHttp();
    const QString token = server.anaToken();
    std::vector<RawHttpClient> guessers;
    for (int i = 0; i < 8; ++i) {
        guessers.emplace_back(address(30 + i), port);
        ASSERT_TRUE(guessers.back().send(loginPost(QStringLiteral("X%1").arg(i), QStringLiteral("x"))));
    }
    EXPECT_EQ(callFrom(address(1), port, callPost(token, "QuemSou")), QStringLiteral("ok"));
    for (const RawHttpClient& g : guessers) EXPECT_FALSE(heardFrom(g)) << "a refusal came before the bystander's answer";
    for (RawHttpClient& g : guessers) {
        const std::optional<RawResponse> r = g.readResponse(kPatience);
        ASSERT_TRUE(r);
        EXPECT_EQ(decoded(*r).message, kInvalid);
    }
}

namespace {

// A store whose lookups wait while its gate is closed: a login held there
// keeps its verification slot.
class GatedStore : public CredentialStore {
public:
    std::optional<OperatorCredential> find(const QString& code) override {
        gate.pass();
        if (code != QLatin1String("ANA")) return std::nullopt;
        return OperatorCredential{code, QStringLiteral("Ana"), OperatorDb::anaHash()};
    }
    void setPasswordHash(const QString&, const QString&) override {}
    Gate gate;
};

}  // namespace

TEST(HttpGuard, ALoginFindingNoFreeSlotIsAnsweredBusyAtOnce) {
    GatedStore store;
    ModuleRegistry registry;
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{0ms, 1});
    auth.registerModule(registry);
    Dispatcher dispatcher(registry, sessions, nullptr);
    RpcHttpServer http(dispatcher, HttpServerOptions{.port = 0, .threads = 4});
    http.start();

    store.gate.setOpen(false);
    RawHttpClient held(address(15), http.port());
    ASSERT_TRUE(held.send(loginPost(QStringLiteral("ANA"), QStringLiteral("segredo"))));
    store.gate.waitUntilHeld(1);
    EXPECT_EQ(loginFrom(address(16), http.port(), "ANA", "segredo"), kBusy);
    store.gate.setOpen(true);
    const std::optional<RawResponse> r = held.readResponse(kPatience);
    ASSERT_TRUE(r);
    EXPECT_TRUE(decoded(*r).ok);
    EXPECT_EQ(loginFrom(address(16), http.port(), "ANA", "segredo"), QStringLiteral("ok"));
}

// Behind a reverse proxy every client shares the proxy's address: a trusted
// proxy's X-Forwarded-For names the client the login counts, the proxy is
// not held to the per-address cap, and nobody else can name a client.
TEST(HttpGuard, ClientsBehindATrustedProxyAreCountedByTheirOwnAddress) {
    TestServer server(TestServerOptions{{}, 4, 60min, 0ms, limits(1000, 1000), limits(1, 3)});
    server.httpOptions.trustedProxies = {QString::fromStdString(address(40))};
    server.httpOptions.maxConnectionsPerAddress = 2;
    server.httpOptions.headerTimeout = 120s;
    const int port = server.startHttp();
    const auto through = [&](int from, const char* forwarded, const char* op, const char* password) {
        return callFrom(address(from), port,
                        loginPost(QString::fromLatin1(op), QString::fromLatin1(password),
                                  std::string("X-Forwarded-For: ") + forwarded + "\r\n"));
    };

    for (const char* op : {"X1", "X2", "X3"}) EXPECT_EQ(through(40, "10.1.1.1, 192.0.2.7", op, "x"), kInvalid);
    EXPECT_EQ(through(40, "192.0.2.7", "BETO", "outra"), kTooMany);      // the client is locked...
    EXPECT_EQ(through(40, "192.0.2.8", "BETO", "outra"), QStringLiteral("ok"));  // ...not the proxy's other clients
    EXPECT_EQ(through(40, "", "BETO", "outra"), QStringLiteral("ok"));   // no header: the proxy itself, not locked

    // An untrusted peer's header is ignored: its own address is counted.
    for (const char* forwarded : {"192.0.2.20", "192.0.2.21", "192.0.2.22"})
        EXPECT_EQ(through(41, forwarded, "X4", "x"), kInvalid);
    EXPECT_EQ(through(41, "192.0.2.23", "BETO", "outra"), kTooMany);

    std::vector<RawHttpClient> held;
    for (int i = 0; i < 4; ++i) held.emplace_back(address(40), port);
    EXPECT_EQ(callFrom(address(40), port, "GET /health HTTP/1.1\r\nHost: x\r\n\r\n"), QStringLiteral("ok\n"));
}
