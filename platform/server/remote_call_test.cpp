// The whole call path, client connection to handler and back, over both
// transports: every argument kind, by-reference arguments, and every way a
// call can fail, seen as the caller sees it (CheckResultServ raising).
#include "testing/test_server.h"

#include "host/data/data_packet.h"
#include "host/remote/check_result.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace platform::server;
using namespace platform::server::testing;
using host::RemoteValue;
using host::byRef;
using host::CheckResultServ;

namespace {

QByteArray packet() {
    host::Packet p;
    p.fields = {host::FieldDef::string("CDFILDEST", 4), host::FieldDef::dateTime("DTAUTOFORN")};
    host::PacketRow row;
    row.values = {QStringLiteral("0001"), host::DateTime::fromDate(QDate(2024, 3, 1))};
    p.rows.push_back(row);
    return host::encodePacket(p);
}

QString failureOf(const host::RemoteResult& r) {
    try {
        CheckResultServ(r, true, 0);
    } catch (const host::UserError& e) {
        return e.message();
    }
    return QStringLiteral("<no failure>");
}

const QString kEcho = QString::fromLatin1(kEchoModule);

class RemoteCall : public ::testing::TestWithParam<Transport> {
protected:
    static void SetUpTestSuite() { s_server = new TestServer(); }
    static void TearDownTestSuite() {
        delete s_server;
        s_server = nullptr;
    }
    TestServer& server() { return *s_server; }
    std::unique_ptr<host::RemoteConnection> connect(const QString& module = kEcho) {
        return server().connect(module, GetParam(), server().anaToken());
    }

    static TestServer* s_server;
};

TestServer* RemoteCall::s_server = nullptr;

}  // namespace

TEST_P(RemoteCall, EveryArgumentKindComesBackUnchanged) {
    auto net = connect();
    const RemoteValue array(
        RemoteValue::Array{RemoteValue(1), RemoteValue("dois"),
                           RemoteValue(RemoteValue::Array{RemoteValue::packet(packet()), RemoteValue()})});
    const std::vector<RemoteValue> sent = {
        RemoteValue(QStringLiteral("Autorização ção")),
        RemoteValue(host::DateTime::fromDate(QDate(1999, 12, 31), QTime(23, 59, 59, 123))),
        RemoteValue(true),
        RemoteValue(std::numeric_limits<qint64>::min()),
        RemoteValue(0.1),
        RemoteValue::packet(packet()),
        array,
        RemoteValue(QStringLiteral("Y")),
    };
    std::vector<host::RemoteArg> args(sent.begin(), sent.end());
    const RemoteValue back = CheckResultServ(net->call(QStringLiteral("Eco"), args), true, 0);
    ASSERT_EQ(back.array().size(), sent.size());
    for (size_t i = 0; i < sent.size(); ++i)
        EXPECT_TRUE(back.array()[i] == sent[i]) << i << ": " << describe(back.array()[i]).toStdString();
}

TEST_P(RemoteCall, NullsWhereTheSignatureAllowsThem) {
    auto net = connect();
    const host::RemoteResult r = net->call(QStringLiteral("Eco"), {RemoteValue(), RemoteValue(), false, 0, 1.5,
                                                                   RemoteValue(), RemoteValue::Array{}, RemoteValue()});
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_TRUE(r.value().array()[0].isNull());
    EXPECT_TRUE(r.value().array()[5].isNull());
}

TEST_P(RemoteCall, ByReferenceArgumentsComeBackIntoTheCallersVariables) {
    auto net = connect();
    QString text = QStringLiteral("lista");
    host::DateTime date = host::DateTime::fromDate(QDate(2024, 2, 28));
    RemoteValue variant = QStringLiteral("Y");
    const RemoteValue result =
        CheckResultServ(net->call(QStringLiteral("Referencias"), {byRef(text), byRef(date), byRef(variant), "extra"}),
                        true, 1);
    EXPECT_EQ(result.text(), QStringLiteral("feito"));
    EXPECT_EQ(text, QStringLiteral("LISTA!"));
    EXPECT_EQ(date.date(), QDate(2024, 2, 29));
    EXPECT_TRUE(variant == RemoteValue(RemoteValue::Array{RemoteValue("Y"), RemoteValue("extra")}));

    // A slot the handler leaves alone comes back as it went.
    QString untouched = QStringLiteral("_0001_0002_");
    ASSERT_TRUE(net->call(QStringLiteral("NaoMexe"), {byRef(untouched)}).ok());
    EXPECT_EQ(untouched, QStringLiteral("_0001_0002_"));
}

TEST_P(RemoteCall, HandlerSeesTheLoggedInOperator) {
    auto net = connect();
    const RemoteValue who = CheckResultServ(net->call(QStringLiteral("QuemSou")), true, 0);
    EXPECT_TRUE(who == RemoteValue(RemoteValue::Array{RemoteValue("ANA"), RemoteValue("Ana Souza")}));
}

TEST_P(RemoteCall, RefusalsReachTheCallerAsTheServersMessage) {
    struct Case {
        const char* name;
        QString module;
        QString method;
        std::vector<host::RemoteArg> args;
        QString message;
    };
    const std::vector<Case> cases = {
        {"unknown module",
         QStringLiteral("Cmp99999.rdmNada"),
         QStringLiteral("GetAF"),
         {},
         QStringLiteral("Módulo \"Cmp99999.rdmNada\" não existe no servidor de aplicação.")},
        {"unknown method",
         kEcho,
         QStringLiteral("GetNada"),
         {},
         QStringLiteral("Método \"GetNada\" não existe no módulo \"Teste.rdmEco\".")},
        {"too few arguments",
         kEcho,
         QStringLiteral("Falha"),
         {},
         QStringLiteral("O método \"Teste.rdmEco.Falha\" espera 1 argumento(s); recebeu 0.")},
        {"too many arguments",
         kEcho,
         QStringLiteral("Quebra"),
         {1},
         QStringLiteral("O método \"Teste.rdmEco.Quebra\" espera 0 argumento(s); recebeu 1.")},
        {"wrong kind",
         kEcho,
         QStringLiteral("Dobro"),
         {"2"},
         QStringLiteral("Argumento 1 de \"Teste.rdmEco.Dobro\": esperado inteiro, recebido texto.")},
        {"null where a boolean is due",
         kEcho,
         QStringLiteral("Eco"),
         {"", RemoteValue(), RemoteValue(), 1, 1.0, RemoteValue(), RemoteValue::Array{}, RemoteValue()},
         QStringLiteral("Argumento 3 de \"Teste.rdmEco.Eco\": esperado lógico, recebido nulo.")},
        {"by value where by reference is due",
         kEcho,
         QStringLiteral("NaoMexe"),
         {"x"},
         QStringLiteral("Argumento 1 de \"Teste.rdmEco.NaoMexe\" deve ser passado por referência.")},
        {"business failure", kEcho, QStringLiteral("Falha"), {"AF já encerrada."}, QStringLiteral("AF já encerrada.")},
        {"handler bug", kEcho, QStringLiteral("Quebra"), {}, QStringLiteral("Erro interno do servidor.")},
        {"handler misusing the data API",
         kEcho,
         QStringLiteral("QuebraDados"),
         {},
         QStringLiteral("Erro interno do servidor.")},
        {"handler answering a bad packet",
         kEcho,
         QStringLiteral("RespostaInvalida"),
         {},
         QStringLiteral("Erro interno do servidor.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto net = connect(c.module);
        EXPECT_EQ(failureOf(net->call(c.method, c.args)), c.message);
    }
    // Method and module names match regardless of letter case.
    auto net = connect(kEcho.toUpper());
    EXPECT_EQ(failureOf(net->call(QStringLiteral("falha"), {"minúsculas"})), QStringLiteral("minúsculas"));
}

TEST_P(RemoteCall, ByReferenceWhereByValueIsDueIsRefused) {
    auto net = connect();
    QString n = QStringLiteral("2");
    EXPECT_EQ(failureOf(net->call(QStringLiteral("Falha"), {byRef(n)})),
              QStringLiteral("Argumento 1 de \"Teste.rdmEco.Falha\" não é passado por referência."));
}

TEST_P(RemoteCall, CallsWithoutAValidSessionAreRefusedRevealingNothing) {
    const QString noSession =
        QStringLiteral("Acesso negado: a chamada não traz a sessão do operador. Entre no sistema novamente.");
    const QString invalid = QStringLiteral("Sessão inválida ou encerrada. Entre no sistema novamente.");
    for (const QString& module : {kEcho, QStringLiteral("Cmp99999.rdmNada")}) {
        SCOPED_TRACE(module.toStdString());
        auto anonymous = server().connect(module, GetParam());
        EXPECT_EQ(failureOf(anonymous->call(QStringLiteral("QuemSou"))), noSession);
        auto forged = server().connect(module, GetParam(), QString(64, QLatin1Char('a')));
        EXPECT_EQ(failureOf(forged->call(QStringLiteral("QuemSou"))), invalid);
    }
}

TEST_P(RemoteCall, WrongOperatorAndWrongPasswordGetTheSameMessage) {
    auto net = server().connect(host::names::session::module, GetParam());
    for (auto [op, password] : std::vector<std::pair<const char*, const char*>>{
             {"ANA", "errada"}, {"NINGUEM", "segredo"}, {"SEMSENHA", ""}, {"SEMSENHA", "qualquer"}, {"", "segredo"},
             {"ANA", ""}, {"OPERADORLONGODEMAIS", "x"}, {"INATIVO", "segredo"}}) {
        SCOPED_TRACE(std::string(op) + "/" + password);
        try {
            net->login(QString::fromUtf8(op), QString::fromUtf8(password));
            ADD_FAILURE() << "logged in";
        } catch (const host::UserError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Operador ou senha inválidos."));
        }
        EXPECT_TRUE(net->sessionToken().isEmpty());
    }
}

TEST_P(RemoteCall, LoginOpensASessionAndLogoutEndsIt) {
    auto session = server().connect(host::names::session::module, GetParam());
    const host::RemoteLogin login = session->login(QStringLiteral(" BETO "), QStringLiteral("outra"));
    EXPECT_EQ(login.token.size(), 64);
    EXPECT_EQ(login.operatorCode, QStringLiteral("BETO"));
    EXPECT_EQ(login.operatorName, QStringLiteral("Beto Lima"));

    auto net = server().connect(kEcho, GetParam(), login.token);
    const RemoteValue who = CheckResultServ(net->call(QStringLiteral("QuemSou")), true, 0);
    EXPECT_EQ(who.array()[0].text(), QStringLiteral("BETO"));

    session->logout();
    EXPECT_EQ(failureOf(net->call(QStringLiteral("QuemSou"))),
              QStringLiteral("Sessão inválida ou encerrada. Entre no sistema novamente."));
}

TEST_P(RemoteCall, IdleSessionsExpire) {
    TestServer local(TestServerOptions{{}, 2, std::chrono::minutes(30), std::chrono::milliseconds(0)});
    auto net = local.connect(kEcho, GetParam(), local.anaToken());
    ASSERT_TRUE(net->call(QStringLiteral("QuemSou")).ok());
    local.advanceClock(std::chrono::minutes(29));
    ASSERT_TRUE(net->call(QStringLiteral("QuemSou")).ok());  // each call restarts the idle time
    local.advanceClock(std::chrono::minutes(29));
    ASSERT_TRUE(net->call(QStringLiteral("QuemSou")).ok());
    local.advanceClock(std::chrono::minutes(30));
    EXPECT_EQ(failureOf(net->call(QStringLiteral("QuemSou"))),
              QStringLiteral("Sessão expirada por inatividade. Entre no sistema novamente."));
    EXPECT_EQ(failureOf(net->call(QStringLiteral("QuemSou"))),
              QStringLiteral("Sessão inválida ou encerrada. Entre no sistema novamente."));
}

TEST_P(RemoteCall, OversizedRequestIsRefusedWithTheSameMessageOnBothPaths) {
    host::RpcLimits small;
    small.maxBytes = 4096;
    TestServer local(TestServerOptions{small, 2, std::chrono::minutes(60), std::chrono::milliseconds(0)});
    auto net = local.connect(kEcho, GetParam(), local.anaToken());
    EXPECT_EQ(failureOf(net->call(QStringLiteral("Falha"), {QString(5000, QLatin1Char('x'))})),
              QStringLiteral("Requisição inválida: mensagem maior que o limite de 4096 bytes"));
    // The server is still there for the next, normal call.
    EXPECT_EQ(failureOf(net->call(QStringLiteral("Falha"), {"pequena"})), QStringLiteral("pequena"));
}

INSTANTIATE_TEST_SUITE_P(Transports, RemoteCall, ::testing::Values(Transport::InProcess, Transport::Http),
                         [](const ::testing::TestParamInfo<Transport>& info) {
                             return info.param == Transport::Http ? "Http" : "InProcess";
                         });
