// What only the HTTP path has: status codes, the health check, bodies that are
// not messages, many clients at once, and a server that is gone.
#include "testing/test_server.h"

#include "host/remote/check_result.h"
#include "host/remote/http_transport.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <netinet/in.h>
#include <sys/socket.h>

#include <thread>

using namespace platform::server;
using namespace platform::server::testing;
using host::RemoteValue;
using host::byRef;
using host::CheckResultServ;

namespace {

const QString kEcho = QString::fromLatin1(kEchoModule);

QString failureOf(const host::RemoteResult& r) {
    try {
        CheckResultServ(r, true, 0);
    } catch (const host::UserError& e) {
        return e.message();
    }
    return QStringLiteral("<no failure>");
}

// The descriptor of this process's socket listening on the port, or -1.
int listeningSocket(int port) {
    for (int fd = 0; fd < 4096; ++fd) {
        int accepting = 0;
        socklen_t len = sizeof accepting;
        if (getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &accepting, &len) != 0 || !accepting) continue;
        sockaddr_in addr{};
        len = sizeof addr;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0 && ntohs(addr.sin_port) == port) return fd;
    }
    return -1;
}

}  // namespace

TEST(RpcHttpServer, CorruptBodyGets400WithAReadableFailure) {
    TestServer server;
    httplib::Client client("127.0.0.1", server.startHttp());
    for (const std::string& body : {std::string(), std::string("\xa8garbage", 8), std::string("{\"json\": true}")}) {
        const httplib::Result res = client.Post("/rpc", body, "application/cbor");
        ASSERT_TRUE(res) << httplib::to_string(res.error());
        EXPECT_EQ(res->status, 400);
        EXPECT_EQ(res->get_header_value("Content-Type"), "application/cbor");
        const host::RpcResponse answer =
            host::decodeResponse(QByteArray(res->body.data(), qsizetype(res->body.size())));
        EXPECT_FALSE(answer.ok);
        EXPECT_TRUE(answer.message.startsWith(QStringLiteral("Requisição inválida: "))) << answer.message.toStdString();
    }
    // Still serving.
    EXPECT_TRUE(client.Get("/health"));
}

TEST(RpcHttpServer, HealthCheck) {
    TestServer server;
    httplib::Client client("127.0.0.1", server.startHttp());
    const httplib::Result res = client.Get("/health");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->body, "ok\n");
    EXPECT_EQ(client.Get("/rpc")->status, 404);
}

TEST(RpcHttpServer, SixteenClientsAtOnceGetTheirOwnAnswers) {
    TestServer server;  // 4 worker threads: clients queue
    const QString token = server.anaToken();
    constexpr int kClients = 16;
    constexpr int kCalls = 25;
    std::vector<std::thread> clients;
    std::vector<QString> problems(kClients);
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            auto net = server.connect(kEcho, Transport::Http, token);
            for (int i = 0; i < kCalls; ++i) {
                const qint64 n = c * 1000 + i;
                const host::RemoteResult r = net->call(QStringLiteral("Dobro"), {n});
                if (!r.ok()) {
                    problems[size_t(c)] = r.error();
                    return;
                }
                const RemoteValue expected(
                    RemoteValue::Array{RemoteValue(2 * n), RemoteValue(qint64(server.db.operatorCount()))});
                if (!(r.value() == expected)) {
                    problems[size_t(c)] = describe(r.value());
                    return;
                }
            }
        });
    }
    for (std::thread& t : clients) t.join();
    for (int c = 0; c < kClients; ++c)
        EXPECT_TRUE(problems[size_t(c)].isEmpty()) << c << ": " << problems[size_t(c)].toStdString();
}

TEST(RpcHttpServer, ServerThatIsGoneFailsTheCallWithTheAddress) {
    auto server = std::make_unique<TestServer>();
    const QString token = server->anaToken();
    const int port = server->startHttp();
    auto net = server->connect(kEcho, Transport::Http, token);
    ASSERT_TRUE(net->call(QStringLiteral("QuemSou")).ok());
    server.reset();  // stops listening and closes the port
    const QString message = failureOf(net->call(QStringLiteral("QuemSou")));
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("Não foi possível conectar ao servidor de aplicação (127.0.0.1:%1): ").arg(port)))
        << message.toStdString();
}

TEST(RpcHttpServer, AnswersThatAreNotMessagesBecomeFailures) {
    httplib::Server proxy;  // something between client and server answering on its own
    proxy.Post("/rpc", [](const httplib::Request&, httplib::Response& res) {
        res.status = 502;
        res.set_content("<html>Bad Gateway</html>", "text/html");
    });
    const int port = proxy.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { proxy.listen_after_bind(); });
    for (int i = 0; i < 5000 && !proxy.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));

    host::RemoteConnection net(QStringLiteral("Cmp03900.rdmLancaAutoF"));
    net.setHost(QStringLiteral("http://127.0.0.1"));
    net.setPort(port);
    EXPECT_EQ(failureOf(net.call(QStringLiteral("GetParamGeral"))),
              QStringLiteral("O servidor de aplicação (127.0.0.1:%1) respondeu com o estado HTTP 502.").arg(port));
    proxy.stop();
    serving.join();
}

TEST(RpcHttpServer, ReadTimeoutIsAFailureNotAHang) {
    httplib::Server slow;
    slow.Post("/rpc", [](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        res.set_content("late", "text/plain");
    });
    const int port = slow.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { slow.listen_after_bind(); });
    for (int i = 0; i < 5000 && !slow.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));

    host::HttpTransportOptions quick;
    quick.readTimeout = std::chrono::milliseconds(200);
    host::RemoteConnection net(QStringLiteral("M"), std::make_unique<host::HttpTransport>(quick));
    net.setPort(port);
    const QString message = failureOf(net.call(QStringLiteral("m")));
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("Falha na comunicação com o servidor de aplicação (127.0.0.1:%1): ").arg(port)))
        << message.toStdString();
    slow.stop();
    serving.join();
}

TEST(RpcHttpServer, KeepsServingWhenItsAcceptLoopFails) {
    TestServer server;
    const QString token = server.anaToken();
    const int port = server.startHttp();
    auto net = server.connect(kEcho, Transport::Http, token);
    ASSERT_TRUE(net->call(QStringLiteral("QuemSou")).ok());

    const int fd = listeningSocket(port);
    ASSERT_GE(fd, 0);
    ::shutdown(fd, SHUT_RDWR);  // accept() now fails: the server must listen again

    bool served = false;
    for (int i = 0; i < 100 && !served; ++i) {
        served = net->call(QStringLiteral("QuemSou")).ok();
        if (!served) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(served);
    EXPECT_EQ(server.http->port(), port);
}
