#include "afbatch_test_support.h"

#include "platform/kit/guard.h"
#include "platform/kit/mask_edit.h"
#include "platform/kit/test_support.h"

#include "host/testing/test_session.h"

#include <QtWidgets/QApplication>

namespace afbatch::testing {

void TestScreenHost::showScreen(QWidget* screen) {
    shown.push_back(screen);
    screen->show();
}

void AltAfScreenTest::SetUp() {
    MigratedEngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    platform::server::modules::altaf::testing::seedAltAf(connection(), world);
    host::LoginInfo login = host::test::TestSession::defaultLogin();
    login.operador = world.w.buyer;
    login.nomeOperador = QStringLiteral("Comprador Um");
    login.filiProc = world.w.branch;
    login.nomeFiliProc = QStringLiteral("Loja");
    host::setSession(std::make_shared<host::test::TestSession>(login));
    screenHost = std::make_shared<TestScreenHost>();
    host::setScreenHost(screenHost);
    m_server = std::make_unique<HostServerFixture>(database());
}

void AltAfScreenTest::TearDown() {
    screen.reset();
    m_server.reset();
    host::setScreenHost(nullptr);
    MigratedEngineTest::TearDown();
}

void AltAfScreenTest::useServer(Transport transport) {
    m_server->useServer(transport, world.w.buyer, QStringLiteral("Comprador Um"));
}

TfrmAltAF& AltAfScreenTest::createScreen() {
    screen = std::make_unique<TfrmAltAF>();
    kittest::showActive(screen.get());
    return *screen;
}

void AltAfScreenTest::filter(const QString& branch, const QString& subGroup, const QString& from, const QString& to) {
    // Into the panel first (which discards the list), unless the focus is already there.
    if (!screen->panFilial->isAncestorOf(QApplication::focusWidget())) kittest::focus(screen->medFilial);
    screen->medFilial->setValue(branch);
    screen->medSubGrupo->setValue(subGroup);
    screen->depEntrIni->setValue(from);
    screen->depEntrFin->setValue(to);
    kittest::focus(screen->standardGrid());
    kittest::settle();
}

void AltAfScreenTest::locate(int af, const QString& product) {
    ASSERT_TRUE(screen->cdsAF.locate(QStringLiteral("NRAUTOFORN;CDPRODUTO"), {afNo(af), product}))
        << af << " " << product.toStdString();
}

bool AltAfScreenTest::changeItem(int af, const QString& product, const QString& brand, const QString& qty) {
    locate(af, product);
    return kit::guard(screen.get(), [&] {
        screen->dtsPadrao.edit();
        if (!brand.isNull()) screen->cdsAF.field(QStringLiteral("CDMARCA")).setText(brand);
        if (!qty.isNull()) screen->cdsAF.field(QStringLiteral("QTPROGENTAF")).setText(qty);
        screen->dtsPadrao.post();
    }, &screen->dtsPadrao);
}

}  // namespace afbatch::testing
