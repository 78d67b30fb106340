#include "remote_connection.h"
#include "server_access.h"

#include "http_transport.h"
#include "in_process_transport.h"
#include "rpc_codec.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace host;

namespace {

// A scripted server: records the decoded request and answers with whatever
// the test put in `answer` (a response, or raw bytes).
struct FakeServer {
    std::vector<RpcRequest> requests;
    // By default: "ok", by-reference arguments handed back unchanged.
    std::function<RpcResponse(const RpcRequest&)> respond = [](const RpcRequest& req) {
        std::vector<RemoteValue> refs;
        for (int i : req.byRef) refs.push_back(req.args[size_t(i)]);
        return RpcResponse::success(RemoteValue("ok"), refs);
    };
    QByteArray rawAnswer;  // used instead when not empty

    RpcRequestHandler handler() {
        return [this](const QByteArray& body) {
            requests.push_back(decodeRequest(body));
            if (!rawAnswer.isEmpty()) return rawAnswer;
            return encodeResponse(respond(requests.back()));
        };
    }
};

std::unique_ptr<RemoteTransport> inProcess(FakeServer& server) {
    return std::make_unique<InProcessTransport>(server.handler());
}

// A port on 127.0.0.1 that refuses connections: bound, never listening, held
// for the test's lifetime so nothing else takes it.
class RefusingPort {
public:
    RefusingPort() {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return;
        socklen_t len = sizeof addr;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
    }
    ~RefusingPort() { ::close(m_fd); }
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

}  // namespace

TEST(RemoteConnection, SendsModuleMethodTokenArgumentsAndByRefMask) {
    FakeServer server;
    RemoteConnection net(QStringLiteral("Cmp03900.rdmLancaAutoF"), inProcess(server));
    net.setSessionToken(QStringLiteral("tok"));
    QString lista = QStringLiteral("_0001_");
    const RemoteResult r = net.call(QStringLiteral("GetFilialDest"), {"0001", byRef(lista), true, 3});
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    ASSERT_EQ(server.requests.size(), 1u);
    const RpcRequest& req = server.requests[0];
    EXPECT_EQ(req.module, QStringLiteral("Cmp03900.rdmLancaAutoF"));
    EXPECT_EQ(req.method, QStringLiteral("GetFilialDest"));
    EXPECT_EQ(req.session, QStringLiteral("tok"));
    ASSERT_EQ(req.args.size(), 4u);
    EXPECT_EQ(req.args[0].text(), QStringLiteral("0001"));
    EXPECT_EQ(req.args[1].text(), QStringLiteral("_0001_"));
    EXPECT_TRUE(req.args[2].boolean());
    EXPECT_EQ(req.args[3].integer(), 3);
    EXPECT_EQ(req.byRef, std::vector<int>{1});
}

TEST(RemoteConnection, ByRefVariablesTakeTheServerValuesOnlyOnSuccess) {
    FakeServer server;
    RemoteConnection net(QStringLiteral("M"), inProcess(server));
    QString text = QStringLiteral("antes");
    DateTime date{1000};
    RemoteValue variant = QStringLiteral("Y");

    server.respond = [](const RpcRequest&) {
        return RpcResponse::success(RemoteValue(), {RemoteValue(), RemoteValue(DateTime{2000}),
                                                    RemoteValue(RemoteValue::Array{RemoteValue(1)})});
    };
    ASSERT_TRUE(net.call(QStringLiteral("m"), {byRef(text), "fixo", byRef(date), byRef(variant)}).ok());
    EXPECT_TRUE(text.isEmpty());  // null into a text variable reads as empty
    EXPECT_EQ(date.msecs, 2000);
    EXPECT_EQ(variant.kind(), RemoteKind::Array);

    text = QStringLiteral("antes");
    server.respond = [](const RpcRequest&) { return RpcResponse::failure(QStringLiteral("Recusado.")); };
    const RemoteResult failed = net.call(QStringLiteral("m"), {byRef(text), byRef(date)});
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.error(), QStringLiteral("Recusado."));
    EXPECT_EQ(text, QStringLiteral("antes"));
    EXPECT_EQ(date.msecs, 2000);
}

TEST(RemoteConnection, ByRefAnswersThatDoNotFitLeaveEveryVariableUntouched) {
    FakeServer server;
    RemoteConnection net(QStringLiteral("M"), inProcess(server));
    QString text = QStringLiteral("antes");
    DateTime date{1000};

    struct Case {
        const char* name;
        std::vector<RemoteValue> byRef;
        const char* fragment;
    };
    const std::vector<Case> cases = {
        {"text back into the date", {RemoteValue("novo"), RemoteValue("ontem")}, "argumento 2"},
        {"number back into the text", {RemoteValue(1), RemoteValue(DateTime{5})}, "argumento 1"},
        {"too few values", {RemoteValue("novo")}, "1 valores por referência; a chamada enviou 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.respond = [&](const RpcRequest&) { return RpcResponse::success(RemoteValue(), c.byRef); };
        const RemoteResult r = net.call(QStringLiteral("m"), {byRef(text), byRef(date)});
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.error().contains(QString::fromUtf8(c.fragment))) << r.error().toStdString();
        EXPECT_EQ(text, QStringLiteral("antes"));
        EXPECT_EQ(date.msecs, 1000);
    }
}

TEST(RemoteConnection, BeforeConnectRunsOnceAtOpenAndCallOpensAClosedConnection) {
    FakeServer server;
    RemoteConnection net(QStringLiteral("M"), inProcess(server));
    int hookRuns = 0;
    net.setBeforeConnect([&](RemoteConnection& c) {
        ++hookRuns;
        c.setHost(QStringLiteral("srvaf"));
        c.setPort(9000);
        c.setSessionToken(QStringLiteral("da-sessao"));
    });
    EXPECT_EQ(net.host(), QStringLiteral("127.0.0.1"));  // design-time value until the hook runs
    EXPECT_FALSE(net.isOpen());
    ASSERT_TRUE(net.call(QStringLiteral("m")).ok());
    EXPECT_TRUE(net.isOpen());
    ASSERT_TRUE(net.call(QStringLiteral("m")).ok());
    EXPECT_EQ(hookRuns, 1);
    EXPECT_EQ(net.host(), QStringLiteral("srvaf"));
    EXPECT_EQ(net.port(), 9000);
    EXPECT_EQ(server.requests.back().session, QStringLiteral("da-sessao"));
    net.close();
    net.open();
    EXPECT_EQ(hookRuns, 2);
}

TEST(RemoteConnection, BoundConnectionTakesTheServerAccessInstalledWhenItOpens) {
    FakeServer server;
    RemoteConnection net(QStringLiteral("M"), inProcess(server));
    bindToServer(net);  // bound before any access exists, as a screen built before login
    setServerAccess(nullptr);
    EXPECT_THROW(net.open(), DataError);

    setServerAccess([](RemoteConnection& c) { c.setSessionToken(QStringLiteral("token-1")); });
    ASSERT_TRUE(net.call(QStringLiteral("m")).ok());
    EXPECT_EQ(server.requests.back().session, QStringLiteral("token-1"));

    setServerAccess([](RemoteConnection& c) { c.setSessionToken(QStringLiteral("token-2")); });
    net.close();
    ASSERT_TRUE(net.call(QStringLiteral("m")).ok());
    EXPECT_EQ(server.requests.back().session, QStringLiteral("token-2"));
    setServerAccess(nullptr);
}

TEST(RemoteConnection, TransportTroubleBecomesAFailedResult) {
    FakeServer server;
    RemoteConnection net(QStringLiteral("M"), inProcess(server));

    server.rawAnswer = QByteArray("<html>502 Bad Gateway</html>");
    RemoteResult r = net.call(QStringLiteral("m"));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error().startsWith(QStringLiteral("Resposta inválida do servidor de aplicação")))
        << r.error().toStdString();

    server.rawAnswer = encodeResponse(RpcResponse::failure(QString()));
    r = net.call(QStringLiteral("m"));
    EXPECT_EQ(r.error(), QStringLiteral("O servidor de aplicação recusou a operação sem informar o motivo."));

    RemoteConnection noServer(QStringLiteral("M"), std::make_unique<InProcessTransport>(RpcRequestHandler()));
    r = noServer.call(QStringLiteral("m"));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error(), QStringLiteral("Servidor de aplicação interno não configurado."));

    // An argument the codec refuses never leaves the client.
    const size_t before = server.requests.size();
    server.rawAnswer.clear();
    r = net.call(QStringLiteral("m"), {RemoteValue::packet("não é pacote")});
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error().contains(QStringLiteral("não é um pacote de dados"))) << r.error().toStdString();
    EXPECT_EQ(server.requests.size(), before);
}

TEST(RemoteConnection, UnreachableServerFailsTheCallNamingTheAddress) {
    RefusingPort refusing;
    ASSERT_GT(refusing.port(), 0);
    RemoteConnection net(QStringLiteral("Cmp03900.rdmLancaAutoF"));
    net.setBeforeConnect([&](RemoteConnection& c) {
        c.setHost(QStringLiteral("127.0.0.1"));
        c.setPort(refusing.port());
    });
    net.open();  // no I/O: opening never fails
    const RemoteResult r = net.call(QStringLiteral("GetParamGeral"));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error().startsWith(
        QStringLiteral("Não foi possível conectar ao servidor de aplicação (127.0.0.1:%1): ").arg(refusing.port())))
        << r.error().toStdString();
}

TEST(RemoteConnection, UnusableAddressesFailTheCall) {
    struct Case {
        QString host;
        int port;
        const char* fragment;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("ftp://srvaf"), 8211, "protocolo \"ftp\" não suportado"},
        {QString(), 8211, "endereço do servidor não informado"},
        {QStringLiteral("srvaf"), 70000, "porta 70000 inválida"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fragment);
        RemoteConnection net(QStringLiteral("M"));
        net.setHost(c.host);
        net.setPort(c.port);
        const RemoteResult r = net.call(QStringLiteral("m"));
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.error().startsWith(QStringLiteral("Não foi possível conectar ao servidor de aplicação")));
        EXPECT_TRUE(r.error().contains(QString::fromUtf8(c.fragment))) << r.error().toStdString();
    }
}

TEST(RemoteConnection, LoginCarriesTheTokenAndLogoutForgetsIt) {
    FakeServer server;
    server.respond = [](const RpcRequest& req) {
        if (req.method == names::session::Login) {
            if (req.args.size() == 2 && req.args[1].text() == QLatin1String("certa"))
                return RpcResponse::success(RemoteValue(
                    RemoteValue::Array{RemoteValue("t0k3n"), RemoteValue("ANA"), RemoteValue("Ana Souza")}));
            return RpcResponse::failure(QStringLiteral("Operador ou senha inválidos."));
        }
        return RpcResponse::success(RemoteValue(true));
    };
    RemoteConnection net(QStringLiteral("Cmp03900.rdmLancaAutoF"), inProcess(server));
    try {
        net.login(QStringLiteral("ANA"), QStringLiteral("errada"));
        ADD_FAILURE() << "login accepted";
    } catch (const UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Operador ou senha inválidos."));
    }
    EXPECT_TRUE(net.sessionToken().isEmpty());

    const RemoteLogin login = net.login(QStringLiteral("ANA"), QStringLiteral("certa"));
    EXPECT_EQ(login.token, QStringLiteral("t0k3n"));
    EXPECT_EQ(login.operatorName, QStringLiteral("Ana Souza"));
    EXPECT_EQ(server.requests.back().module, names::session::module);
    EXPECT_TRUE(server.requests.back().session.isEmpty());

    ASSERT_TRUE(net.call(QStringLiteral("GetParamGeral")).ok());
    EXPECT_EQ(server.requests.back().module, QStringLiteral("Cmp03900.rdmLancaAutoF"));
    EXPECT_EQ(server.requests.back().session, QStringLiteral("t0k3n"));

    net.logout();
    EXPECT_EQ(server.requests.back().method, names::session::Logout);
    EXPECT_EQ(server.requests.back().session, QStringLiteral("t0k3n"));
    EXPECT_TRUE(net.sessionToken().isEmpty());
}
