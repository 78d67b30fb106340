// The dialog tests' fixture (named *_test.cpp so that it builds into the test program only).
#include "filtro_af_fixture.h"

#include "afdesk/core/model/af_datasets.h"

#include "platform/db/sql_exec.h"
#include "platform/kit/test_support.h"

#include "host/remote/server_access.h"
#include "host/services/session.h"
#include "host/testing/test_session.h"

#include <QtCore/QSettings>
#include <QtWidgets/QAbstractButton>

namespace afdesk::testing {

void FiltroAFTest::SetUp() {
    MigratedEngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    world = afdb::testing::seedMinimalWorld(connection());
    platform::server::modules::testing::seedLancaAutoFAfs(connection(), world);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_options.path());
    services = std::make_unique<host::test::TestServices>();
    useSession(false);
    server = std::make_unique<HostServerFixture>(database());
    server->useServer(Transport::InProcess, world.buyer, QStringLiteral("Comprador Um"));
    host::bindToServer(net);
    defineParamFilial(cdsParamFilial);
    defineFilialDest(cdsFilialDest);
    defineServAutoForne(cdsServAutoForne);
    defineControleFilial(cdsControleFilial);
    resetFilterState();
}

void FiltroAFTest::TearDown() {
    dialog.reset();
    resetFilterState();
    server.reset();
    services.reset();
    MigratedEngineTest::TearDown();
}

void FiltroAFTest::useSession(bool branchMode, const QString& operatorCode) {
    host::LoginInfo login = host::test::TestSession::defaultLogin();
    login.operador = operatorCode.isEmpty() ? world.buyer : operatorCode;
    login.nomeOperador = QStringLiteral("Comprador Um");
    login.filiProc = world.branch;
    login.nomeFiliProc = QStringLiteral("Loja");
    login.moduFili = branchMode;
    host::setSession(std::make_shared<host::test::TestSession>(login));
}

FilterTargets FiltroAFTest::targets() {
    FilterTargets t;
    t.cdsParamFilial = &cdsParamFilial;
    t.cdsFilialDest = &cdsFilialDest;
    t.cdsServAutoForne = &cdsServAutoForne;
    t.cdsControleFilial = &cdsControleFilial;
    t.netLancaAutoF = &net;
    t.headerCdFilDest = [this] { return headerBranch; };
    t.repaintWorkspace = [this] { ++repaints; };
    return t;
}

FiltroAF& FiltroAFTest::open() {
    dialog = std::make_unique<FiltroAF>(targets());
    kittest::showActive(dialog.get());
    return *dialog;
}

void FiltroAFTest::check(const char* name, bool on) {
    if (auto* b = child<QAbstractButton>(name)) b->setChecked(on);
}

void FiltroAFTest::click(const char* name) {
    if (auto* b = child<QAbstractButton>(name)) b->click();
    kittest::settle();
}

QStringList FiltroAFTest::column(const host::Dataset& ds, const QString& field) {
    QStringList out;
    if (!ds.active()) return out;
    const int at = ds.field(field).index();
    for (int r = 0; r < ds.recordCount(); ++r) out << ds.displayTextAt(r, at);
    return out;
}

QStringList FiltroAFTest::listedAfs() const {
    QStringList out;
    for (const QString& n : column(cdsServAutoForne, QStringLiteral("NRAUTOFORN"))) out << QString::number(n.toLongLong());
    return out;
}

}  // namespace afdesk::testing
