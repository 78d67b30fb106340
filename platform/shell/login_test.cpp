// Logging in: the server checks the password and hands out the session; the
// operator then picks the working branch. Through the flow and through the dialog.
#include "platform/shell/login_dialog.h"
#include "platform/shell/testing/shell_fixture.h"

#include "platform/db/database.h"
#include "platform/db/sql_exec.h"
#include "platform/server/rpc_http_server.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace shell {
namespace {

using testing::kPassword;
using testing::ShellTest;

const QString kRefused = QStringLiteral("Operador ou senha inválidos.");

class LoginTest : public ShellTest {
protected:
    int openSessions() { return backends().embeddedServer()->sessions().size(); }

    // The company's server over HTTP, as afserver would serve it.
    int startHttpServer() {
        backends().connect({});  // starts the embedded server, whose dispatcher is served
        platform::server::HttpServerOptions options;
        options.port = 0;
        options.threads = 2;
        m_http = std::make_unique<platform::server::RpcHttpServer>(backends().embeddedServer()->dispatcher(), options);
        m_http->start();
        return m_http->port();
    }
    void TearDown() override {
        if (m_http) m_http->stop();
        m_http.reset();
        ShellTest::TearDown();
    }

    std::unique_ptr<platform::server::RpcHttpServer> m_http;
};

QString refusalOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const host::UserError& e) {
        return e.message();
    }
    return QStringLiteral("(aceito)");
}

TEST_F(LoginTest, ServerAuthenticatesAndTheOperatorsBranchIsSuggested) {
    LoginFlow flow(connector());
    flow.authenticate({}, QStringLiteral(" operador1 "), kPassword);
    ASSERT_TRUE(flow.authenticated());
    EXPECT_EQ(flow.login().operatorCode, QStringLiteral("OPERADOR1"));
    EXPECT_EQ(flow.login().operatorName, QStringLiteral("Operador Um"));
    EXPECT_EQ(flow.login().token.size(), 64);
    EXPECT_EQ(openSessions(), 1);
    EXPECT_EQ(flow.branches().size(), 3);  // every branch is offered
    EXPECT_EQ(flow.suggestedBranch(), QStringLiteral("0002"));
    EXPECT_EQ(flow.suggestedBranch(QStringLiteral("1")), QStringLiteral("0001"));      // asked for, brought to width
    EXPECT_EQ(flow.suggestedBranch(QStringLiteral("0099")), QStringLiteral("0002"));   // unknown: his own

    const LoginResult result = flow.confirm(QStringLiteral("0001"));
    EXPECT_EQ(result.branch.code, QStringLiteral("0001"));
    EXPECT_EQ(result.branch.processingDate, testing::kCentralDate);
    EXPECT_FALSE(flow.authenticated());
    EXPECT_EQ(openSessions(), 1);  // handed over with the result, not ended
}

TEST_F(LoginTest, NumericOperatorCodeFollowsTheHostsCodeConvention) {
    {
        afdb::Database writer(afdb::Config::sqlite(databasePath()));
        afdb::exec(writer.connection(),
                   QStringLiteral("INSERT INTO OPERADOR (CDOPERADOR, NMOPERADOR, DSSENHAHASH, IDOPERATIVO) "
                                  "SELECT '000000000007', 'Operador Sete', DSSENHAHASH, 'A' FROM OPERADOR "
                                  "WHERE CDOPERADOR = 'OPERADOR1'"));
    }
    LoginFlow flow(connector());
    flow.authenticate({}, QStringLiteral(" 7 "), kPassword);
    EXPECT_EQ(flow.login().operatorCode, QStringLiteral("000000000007"));
}

TEST_F(LoginTest, OperatorWithoutBranchGetsTheFirstOne) {
    LoginFlow flow(connector());
    flow.authenticate({}, QStringLiteral("COMPRADOR1"), kPassword);
    EXPECT_EQ(flow.suggestedBranch(), QStringLiteral("0001"));
}

TEST_F(LoginTest, RefusalsSayWhatToDoAndNeverWhichPartWasWrong) {
    LoginFlow flow(connector());
    EXPECT_EQ(refusalOf([&] { flow.authenticate({}, QStringLiteral("OPERADOR1"), QStringLiteral("errada")); }), kRefused);
    EXPECT_EQ(refusalOf([&] { flow.authenticate({}, QStringLiteral("NINGUEM"), kPassword); }), kRefused);
    EXPECT_EQ(refusalOf([&] { flow.authenticate({}, QStringLiteral("  "), kPassword); }),
              QStringLiteral("Informe o operador."));
    EXPECT_EQ(refusalOf([&] { flow.authenticate({}, QStringLiteral("OPERADOR1"), QString()); }),
              QStringLiteral("Informe a senha."));
    EXPECT_FALSE(flow.authenticated());
    EXPECT_EQ(openSessions(), 0);
}

TEST_F(LoginTest, BranchWithoutProcessingDateIsRefusedAndTheLoginStaysOpen) {
    LoginFlow flow(connector());
    flow.authenticate({}, QStringLiteral("OPERADOR1"), kPassword);
    EXPECT_EQ(refusalOf([&] { flow.confirm(QStringLiteral("0003")); }),
              QStringLiteral("A filial 0003 - Loja Nova não tem data de processamento definida."));
    EXPECT_EQ(refusalOf([&] { flow.confirm(QStringLiteral("0042")); }), QStringLiteral("Filial 0042 não cadastrada."));
    ASSERT_TRUE(flow.authenticated());
    EXPECT_EQ(flow.confirm(QStringLiteral("2")).branch.code, QStringLiteral("0002"));
}

TEST_F(LoginTest, AbandonedLoginEndsItsSessionOnTheServer) {
    {
        LoginFlow flow(connector());
        flow.authenticate({}, QStringLiteral("OPERADOR1"), kPassword);
        flow.authenticate({}, QStringLiteral("COMPRADOR1"), kPassword);  // the first one is ended
        EXPECT_EQ(openSessions(), 1);
    }
    EXPECT_EQ(openSessions(), 0);
}

TEST_F(LoginTest, RemoteServerOverHttpWithItsLookupDatabase) {
    const int port = startHttpServer();
    Backends remote(EmbeddedServerOptions{}, databasePath());
    const ServerChoice choice{true, QStringLiteral("127.0.0.1:%1").arg(port)};
    LoginFlow flow([&](const ServerChoice& c) { return remote.connect(c); });
    EXPECT_EQ(refusalOf([&] { flow.authenticate(choice, QStringLiteral("OPERADOR1"), QStringLiteral("x")); }), kRefused);
    flow.authenticate(choice, QStringLiteral("OPERADOR1"), kPassword);
    const LoginResult result = flow.confirm(QStringLiteral("0002"));
    EXPECT_FALSE(result.backend->link.embedded());
    EXPECT_EQ(result.backend->link.webPort(), port);
    EXPECT_EQ(openSessions(), 1);
    EXPECT_EQ(remote.embeddedServer(), nullptr);  // nothing local was started

    Backends withoutLookups(EmbeddedServerOptions{}, QString());
    EXPECT_TRUE(refusalOf([&] { withoutLookups.connect(choice); }).startsWith(QStringLiteral("O banco das consultas")));
    EXPECT_EQ(refusalOf([&] { withoutLookups.connect({true, QString()}); }),
              QStringLiteral("Informe o endereço do servidor de aplicação (host:porta)."));
}

TEST_F(LoginTest, UnreachableRemoteServerIsAClearError) {
    Backends remote(EmbeddedServerOptions{}, databasePath());
    LoginFlow flow([&](const ServerChoice& c) { return remote.connect(c); });
    const QString message =
        refusalOf([&] { flow.authenticate({true, QStringLiteral("127.0.0.1:1")}, QStringLiteral("OPERADOR1"), kPassword); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("Não foi possível conectar ao servidor de aplicação (127.0.0.1:1)")))
        << message.toStdString();
}

// --- The dialog ------------------------------------------------------------------

template <typename W>
W* child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class LoginDialogTest : public LoginTest {
protected:
    std::unique_ptr<LoginDialog> makeDialog(LoginDefaults defaults = {}) {
        auto d = std::make_unique<LoginDialog>(connector(), std::move(defaults));
        d->show();
        return d;
    }
    static void type(QWidget& d, const char* field, const QString& text) { child<QLineEdit>(d, field)->setText(text); }
    static void click(QWidget& d, const char* button) { child<QPushButton>(d, button)->click(); }
};

TEST_F(LoginDialogTest, PasswordIsHiddenAndTheServerModeIsOffered) {
    auto d = makeDialog({databasePath(), false, QStringLiteral("srvaf:9000"), QStringLiteral("OPERADOR1"), {}});
    EXPECT_EQ(child<QLineEdit>(*d, "senha")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(child<QRadioButton>(*d, "modoEmbutido")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(*d, "endereco")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(*d, "endereco")->text(), QStringLiteral("srvaf:9000"));
    EXPECT_EQ(child<QLabel>(*d, "bancoLocal")->text(), databasePath());
    EXPECT_EQ(child<QLineEdit>(*d, "operador")->text(), QStringLiteral("OPERADOR1"));
    child<QRadioButton>(*d, "modoRemoto")->setChecked(true);
    EXPECT_TRUE(child<QLineEdit>(*d, "endereco")->isEnabled());
}

TEST_F(LoginDialogTest, WrongPasswordShowsTheServersMessageAndClearsIt) {
    auto d = makeDialog();
    type(*d, "operador", QStringLiteral("OPERADOR1"));
    type(*d, "senha", QStringLiteral("errada"));
    click(*d, "entrar");
    EXPECT_TRUE(dialogs->errorsAre({kRefused}));
    EXPECT_EQ(d->page(), 0);
    EXPECT_TRUE(child<QLineEdit>(*d, "senha")->text().isEmpty());
    EXPECT_FALSE(d->takeResult());
}

// The status line describes the work under way: when the refusal is shown it is gone.
TEST_F(LoginDialogTest, TheStatusIsClearedBeforeARefusalIsShown) {
    class StatusAtError : public host::test::ScriptedDialogs {
    public:
        std::function<QString()> status;
        QStringList seen;
        void showError(const QString& text, QWidget* parent) override {
            seen << status();
            ScriptedDialogs::showError(text, parent);
        }
    };
    auto watching = std::make_shared<StatusAtError>();
    host::setDialogService(watching);
    auto d = makeDialog();
    QLabel* status = child<QLabel>(*d, "situacao");
    watching->status = [status] { return status->text(); };
    type(*d, "operador", QStringLiteral("OPERADOR1"));
    type(*d, "senha", QStringLiteral("errada"));
    click(*d, "entrar");
    EXPECT_TRUE(watching->errorsAre({kRefused}));
    EXPECT_EQ(watching->seen, QStringList{QString()});
    EXPECT_TRUE(status->text().isEmpty());
    host::setDialogService(dialogs);
}

TEST_F(LoginDialogTest, ChoosingTheBranchShowsItsDateAndEndsTheLogin) {
    auto d = makeDialog();
    type(*d, "operador", QStringLiteral("OPERADOR1"));
    type(*d, "senha", kPassword);
    click(*d, "entrar");
    ASSERT_TRUE(dialogs->errorsAre({}));
    ASSERT_EQ(d->page(), 1);
    EXPECT_TRUE(child<QLineEdit>(*d, "senha")->text().isEmpty());  // not kept once used
    EXPECT_EQ(child<QLabel>(*d, "operadorLogado")->text(), QStringLiteral("OPERADOR1 - Operador Um"));

    auto* branch = child<QComboBox>(*d, "filial");
    ASSERT_EQ(branch->count(), 3);
    EXPECT_EQ(branch->currentText(), QStringLiteral("0002 - Loja"));
    EXPECT_EQ(child<QLabel>(*d, "dataProcessamento")->text(), QStringLiteral("17/06/2024"));
    EXPECT_EQ(child<QLabel>(*d, "modoFilial")->text(), QStringLiteral("somente esta filial"));

    branch->setCurrentIndex(branch->findData(QStringLiteral("0003")));
    EXPECT_EQ(child<QLabel>(*d, "dataProcessamento")->text(), QStringLiteral("sem data de processamento"));
    click(*d, "confirmar");
    EXPECT_TRUE(dialogs->errorsAre({QStringLiteral("A filial 0003 - Loja Nova não tem data de processamento definida.")}));
    EXPECT_EQ(d->result(), 0);

    branch->setCurrentIndex(branch->findData(QStringLiteral("0001")));
    EXPECT_EQ(child<QLabel>(*d, "modoFilial")->text(), QStringLiteral("todas as filiais da central"));
    click(*d, "confirmar");
    EXPECT_EQ(d->result(), QDialog::Accepted);
    const std::optional<LoginResult> result = d->takeResult();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->branch.code, QStringLiteral("0001"));
    EXPECT_EQ(result->login.operatorCode, QStringLiteral("OPERADOR1"));
    EXPECT_EQ(openSessions(), 1);
}

TEST_F(LoginDialogTest, GoingBackOrCancellingEndsTheSession) {
    auto d = makeDialog({{}, false, {}, {}, QStringLiteral("0001")});
    type(*d, "operador", QStringLiteral("OPERADOR1"));
    type(*d, "senha", kPassword);
    click(*d, "entrar");
    ASSERT_EQ(d->page(), 1);
    EXPECT_EQ(child<QComboBox>(*d, "filial")->currentData().toString(), QStringLiteral("0001"));  // the one asked for
    EXPECT_EQ(openSessions(), 1);
    click(*d, "voltar");
    EXPECT_EQ(d->page(), 0);
    EXPECT_EQ(openSessions(), 0);

    type(*d, "senha", kPassword);
    click(*d, "entrar");
    EXPECT_EQ(openSessions(), 1);
    click(*d, "cancelarFilial");
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(openSessions(), 0);
    EXPECT_FALSE(d->takeResult());
}

TEST_F(LoginDialogTest, RemoteChoiceWithoutAddressIsRefused) {
    auto d = makeDialog();
    child<QRadioButton>(*d, "modoRemoto")->setChecked(true);
    type(*d, "operador", QStringLiteral("OPERADOR1"));
    type(*d, "senha", kPassword);
    click(*d, "entrar");
    EXPECT_TRUE(dialogs->errorsAre({QStringLiteral("Informe o endereço do servidor de aplicação (host:porta).")}));
    EXPECT_EQ(d->page(), 0);
}

}  // namespace
}  // namespace shell
