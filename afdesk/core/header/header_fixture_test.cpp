// The header tests' fixture (named *_test.cpp so that it builds into the test program only).
#include "afdesk/core/header/header_fixture.h"

#include "host/data/errors.h"
#include "host/services/dialog_service.h"
#include "host/services/inscricao.h"
#include "host/testing/test_session.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/kit/test_support.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

namespace afdesk::testing {

namespace {

[[noreturn]] void notTheHeaders(const char* service) {
    ADD_FAILURE() << "serviço da biblioteca fora do cabeçalho: " << service;
    throw host::DataError(QStringLiteral("serviço não previsto no teste"));
}

QDateTime at(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

}  // namespace

QVariantList PasswordLibrary::Dados_Produto(const QString&) { notTheHeaders("Dados_Produto"); }
void PasswordLibrary::Validacao_Produto(const QString&, const QString&, const QString&) {
    notTheHeaders("Validacao_Produto");
}
QString PasswordLibrary::SQL_Pesquisa_Produto(const QString&, const QString&, host::LookupQuery&, bool) {
    notTheHeaders("SQL_Pesquisa_Produto");
}
QString PasswordLibrary::SQL_Pesquisa_ProdutoCache(const QString&, const QString&, host::LookupQuery&, bool) {
    notTheHeaders("SQL_Pesquisa_ProdutoCache");
}
QStringList PasswordLibrary::ListaTipoCusto(host::RemoteConnection&) { notTheHeaders("ListaTipoCusto"); }
int PasswordLibrary::NumeroTipoCusto(int) const { notTheHeaders("NumeroTipoCusto"); }
void PasswordLibrary::ValidEx(host::Dataset*, int, QString&, const host::ValidExOptions&) { notTheHeaders("ValidEx"); }

bool PasswordLibrary::CriaConfSenha(const QString& operatorCode, const QString& caption, const QString& label) {
    asked << operatorCode;
    const std::optional<QString> typed = host::dialogs().askPassword(caption, label);
    if (!typed) return false;
    if (passwords.value(operatorCode) == *typed && !typed->isEmpty()) return true;
    host::dialogs().showError(QStringLiteral("Senha não confere."));
    return false;
}

QString HeaderTest::cnpj(const char* base12) { return host::CompletaCNPJ(QString::fromLatin1(base12)); }

void HeaderTest::SetUp() {
    WorkspaceTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    supplierOk = cnpj("112223330001");
    supplierInactive = cnpj("223334440001");
    supplierQualified = cnpj("334445550001");
    carrierMain = cnpj("998887770001");
    carrierOther = cnpj("887776660001");

    const QSqlDatabase db = connection();
    using afdb::testing::insertRow;
    insertRow(db, "QUALIFICACAO", {{"CDQUALIF", "Q1"}, {"NMQUALIF", "Homologado"}, {"IDPERCOTCMP", "1"}});
    insertRow(db, "TIPOCOBR", {{"CDTIPCOB", "02"}, {"NMTIPOCOBR", "Banco"}});
    insertRow(db, "TIPOCTPAGAR", {{"CDTPCTPAGAR", "000001"}, {"DSTPCTPAGAR", "Fornecedores"}});
    insertRow(db, "FORNECEDOR", {{"CDFORNECED", "000000000000000000201"}, {"IDTPIJURFORN", "J"},
                                 {"NRINSJURFORN", supplierOk}, {"NMRAZSOCFORN", "Distribuidora Boa Ltda"},
                                 {"IDSITUCADA", "A"}, {"IDTPFRETFORN", "F"}, {"CDTIPCOB", "01"}, {"CDFORMPGTO", "01"},
                                 {"IDTPFORPGTFO", "V"}, {"NRDIAPGFIXFO", 10.0}, {"NRPARCPGTOFO", 3.0},
                                 {"IDUTDIAPGTFO", "E"}});
    insertRow(db, "PRAZOPGFOR", {{"CDFORNECED", "000000000000000000201"}, {"NRDIASPGTOFO", 60.0}, {"VRPERCPGTOFO", 40.0}});
    insertRow(db, "PRAZOPGFOR", {{"CDFORNECED", "000000000000000000201"}, {"NRDIASPGTOFO", 30.0}, {"VRPERCPGTOFO", 60.0}});
    insertRow(db, "FORNECEDOR", {{"CDFORNECED", "000000000000000000202"}, {"IDTPIJURFORN", "J"},
                                 {"NRINSJURFORN", supplierInactive}, {"NMRAZSOCFORN", "Inativa Ltda"},
                                 {"IDSITUCADA", "I"}, {"CDQUALIF", "Q1"}, {"DTVALQUALIF", at(2030, 12, 31)}});
    insertRow(db, "FORNECEDOR", {{"CDFORNECED", "000000000000000000203"}, {"IDTPIJURFORN", "J"},
                                 {"NRINSJURFORN", supplierQualified}, {"NMRAZSOCFORN", "Qualificada Ltda"},
                                 {"IDSITUCADA", "A"}, {"CDQUALIF", "Q1"}, {"DTVALQUALIF", at(2024, 3, 10)}});
    insertRow(db, "TRANSPORT", {{"IDTPIJURTRAN", "J"}, {"NRINSJURTRAN", carrierOther}, {"NMRAZSOCTRAN", "Cargas Lentas"}});
    insertRow(db, "TRANSPORT", {{"IDTPIJURTRAN", "J"}, {"NRINSJURTRAN", carrierMain}, {"NMRAZSOCTRAN", "Transportes Rápidos"}});
    insertRow(db, "RELFILTRAS", {{"CDFILIAL", world.branch}, {"IDTPIJURTRAN", "J"}, {"NRINSJURTRAN", carrierOther},
                                 {"IDTRANSPRINC", "N"}});
    insertRow(db, "RELFILTRAS", {{"CDFILIAL", world.branch}, {"IDTPIJURTRAN", "J"}, {"NRINSJURTRAN", carrierMain},
                                 {"IDTRANSPRINC", "S"}});

    library = std::make_shared<PasswordLibrary>();
    host::setBusinessLibrary(library);
}

void HeaderTest::TearDown() {
    host::setBusinessLibrary(nullptr);
    WorkspaceTest::TearDown();
}

void HeaderTest::openOnHeader() {
    open(true);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->state().cdsFilialDest.active()) << services->dialogs.errors().join("; ").toStdString();
    gotoBranch(world.branch);
    w->selectTab(WorkspaceTab::DadosAF);
    kittest::settle();
}

void HeaderTest::startInsert() {
    if (!w->isActiveTab(WorkspaceTab::DadosAF)) w->selectTab(WorkspaceTab::DadosAF);
    host::Dataset& h = w->state().cdsAutoForne;
    if (h.active()) h.emptyDataset();
    else h.createDataset();
    h.insert();
    kittest::settle();
}

void HeaderTest::placeFocus(const char* objectName) {
    QWidget* target = control(objectName);
    ASSERT_NE(target, nullptr);
    target->setFocus(Qt::PopupFocusReason);
    kittest::settle();
}

void HeaderTest::typeInto(const char* objectName, const QString& text) {
    auto* edit = control<QLineEdit>(objectName);
    ASSERT_NE(edit, nullptr);
    placeFocus(objectName);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void HeaderTest::leaveTo(const char* objectName) {
    QWidget* target = control(objectName);
    ASSERT_NE(target, nullptr);
    target->setFocus(Qt::TabFocusReason);
    kittest::settle();
}

bool HeaderTest::post() {
    try {
        w->state().cdsAutoForne.post();
        kittest::settle();
        return true;
    } catch (const host::Abort&) {
    } catch (const host::UserError& e) {
        ADD_FAILURE() << "mensagem sem MensErro: " << e.message().toStdString();
    }
    kittest::settle();
    return false;
}

QString HeaderTest::value(const char* field) const {
    return w->state().cdsAutoForne.field(QString::fromLatin1(field)).asString();
}

QWidget* HeaderTest::focused() const { return QApplication::focusWidget(); }

}  // namespace afdesk::testing
