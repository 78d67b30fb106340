// The header's lookup buttons: their titles, what their pick lists show, the
// text of an empty list and what a picked row fills; and the lookup queries'
// texts on every engine.
#include "afdesk/core/header/header_fixture.h"

#include "afdesk/core/header/header_queries.h"

#include "host/lookup/host_database.h"
#include "host/services/inscricao.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/kit/lookup_button.h"
#include "platform/kit/test_support.h"

namespace afdesk::testing {
namespace {

class HeaderLookupsTest : public HeaderTest {
protected:
    // Presses a lookup button with the next pick scripted; the pick list shown.
    host::PickList press(const char* button, const QString& code, const QString& title) {
        services->dialogs.choose({code}, title);
        auto* b = control<kit::TBtnPesquisa>(button);
        EXPECT_NE(b, nullptr);
        if (b) b->execute();
        kittest::settle();
        const std::vector<host::PickList> lists = services->dialogs.pickLists();
        EXPECT_FALSE(lists.empty());
        return lists.empty() ? host::PickList{} : lists.back();
    }
};

TEST_P(HeaderLookupsTest, EachButtonOffersItsRowsUnderItsTitleAndCopiesThePickedOne) {
    struct Case {
        const char* button;
        const char* title;
        QString code;
        std::vector<std::pair<const char*, QString>> filled;
    };
    openOnHeader();
    startInsert();
    const Case cases[] = {
        {"btnPesqFilDest", "Filial Destino", world.branch, {{"CDFILDEST", world.branch}, {"NMFILDEST", "Loja"}}},
        {"btnPesqComp", "Comprador", world.buyer, {{"CDOPERADOR", world.buyer}, {"NMOPERADOR", "Comprador Um"}}},
        {"btnPesqForn", "Fornecedor", "000000000000000000201",
         {{"NRINSJURFORN", supplierOk}, {"NMRAZSOCFORN", "Distribuidora Boa Ltda"}, {"CDFORNECED", "000000000000000000201"}}},
        {"btnEmitente", "Empresa", world.company, {{"CDEMPRESA", world.company}, {"NMEMPRESA", "Empresa Teste"}}},
        {"btnCobranca", "Tipo de Cobrança", "02", {{"CDTIPCOB", "02"}, {"NMTIPOCOBR", "Banco"}}},
        {"btnTipoCtPagar", "Tipo de Conta a Pagar", "000001", {{"CDTPCTPAGAR", "000001"}, {"DSTPCTPAGAR", "Fornecedores"}}},
        {"btnTransp", "Transportadora Utilizada", carrierOther,
         {{"IDTPIJURTRAN", "J"}, {"NRINSJURTRAN", carrierOther}, {"NMRAZSOCTRAN", "Cargas Lentas"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const host::PickList list = press(c.button, c.code, QString::fromUtf8(c.title));
        EXPECT_EQ(list.title, QString::fromUtf8(c.title));
        EXPECT_FALSE(list.rows.empty());
        for (const auto& [field, expected] : c.filled) EXPECT_EQ(value(field), expected) << field;
    }
    EXPECT_TRUE(services->dialogs.errorsAre({}));
}

TEST_P(HeaderLookupsTest, PersonTypesInscriptionsAndMainCarriersAreShownAsTexts) {
    openOnHeader();
    startInsert();
    const host::PickList carriers = press("btnTransp", carrierMain, QStringLiteral("Transportadora Utilizada"));
    EXPECT_EQ(carriers.headers, (QStringList{"Tipo", "Inscrição", "Razão Social", "Principal"}));
    ASSERT_EQ(carriers.rows.size(), 2u);
    // The branch's main carrier comes first.
    EXPECT_EQ(carriers.rows[0].columns,
              (QStringList{"Jurídica", host::FormataInscricao(carrierMain, "J"), "Transportes Rápidos", "Sim"}));
    EXPECT_EQ(carriers.rows[1].columns.last(), "Não");

    const host::PickList suppliers = press("btnPesqForn", "000000000000000000201", QStringLiteral("Fornecedor"));
    bool found = false;
    for (const host::PickRow& row : suppliers.rows)
        if (row.code == QLatin1String("000000000000000000201")) {
            found = true;
            EXPECT_EQ(row.columns.mid(0, 3),
                      (QStringList{"Jurídica", host::FormataInscricao(supplierOk, "J"), "Distribuidora Boa Ltda"}));
        }
    EXPECT_TRUE(found);
}

TEST_P(HeaderLookupsTest, AnEmptyListShowsItsTextAndFillsNothing) {
    struct Case {
        const char* button;
        const char* emptyingSql;
        const char* emptyText;
        const char* field;
    };
    const Case cases[] = {
        {"btnTipoCtPagar", "DELETE FROM TIPOCTPAGAR", "Não há tipo de conta a pagar cadastrado.", "CDTPCTPAGAR"},
        {"btnTransp", "DELETE FROM RELFILTRAS", "Não há transportadora cadastrada para a filial.", "NRINSJURTRAN"},
        {"btnEmitente", "DELETE FROM EMPRCNTRFIL", "Não há empresa relacionada para a filial.", "CDEMPRESA"},
    };
    openOnHeader();
    startInsert();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        afdb::exec(connection(), QString::fromLatin1(c.emptyingSql), {});
        const QString before = value(c.field);
        control<kit::TBtnPesquisa>(c.button)->execute();
        kittest::settle();
        const std::vector<host::PickList> lists = services->dialogs.pickLists();
        ASSERT_FALSE(lists.empty());
        EXPECT_TRUE(lists.back().rows.empty());
        EXPECT_EQ(lists.back().emptyText, QString::fromUtf8(c.emptyText));
        EXPECT_EQ(value(c.field), before);
    }
}

TEST_P(HeaderLookupsTest, ABrowsedHeaderIsOnlyAlteredThroughALookupWhenAlteringIsAllowed) {
    openOnHeader();
    ASSERT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Browse);
    for (const bool allowed : {false, true}) {
        SCOPED_TRACE(allowed);
        w->setToolEnabled(kit::StandardGridScreen::Tool::Alterar, allowed);
        if (allowed) services->dialogs.choose({"02"});
        control<kit::TBtnPesquisa>("btnCobranca")->execute();
        kittest::settle();
        EXPECT_EQ(w->state().cdsAutoForne.state(), allowed ? host::DatasetState::Edit : host::DatasetState::Browse);
        EXPECT_EQ(value("CDTIPCOB"), allowed ? "02" : "");
    }
}

// Every query of the header runs on the engine's own text and finds the fixture's rows.
TEST_P(HeaderLookupsTest, QueriesRunOnTheEngine) {
    HeaderQueries q;
    auto run = [](host::LookupQuery& query, std::initializer_list<std::pair<const char*, QVariant>> params) {
        query.close();
        for (const auto& [name, v] : params) query.setParam(QString::fromLatin1(name), v);
        query.open();
        return query.recordCount();
    };
    const QVariant none;
    EXPECT_EQ(run(q.qryFilial, {{"P_CDFILIAL", none}, {"P_CDCENTCMP", world.central}}), 2);
    EXPECT_EQ(run(q.qryEmpresaDest, {{"P_CDFILIAL", world.branch}}), 1);
    EXPECT_EQ(run(q.qryDestNF, {{"P_CDFILIAL", world.branch}}), 1);
    EXPECT_EQ(run(q.qryPesqEmpresa, {{"P_CDEMPRESA", world.company}, {"P_CDFILIAL", world.branch}}), 1);
    EXPECT_EQ(run(q.qryFornecedor, {{"P_NRINSJURFORN", supplierOk}, {"P_IDTPIJURFORN", "J"}}), 1);
    EXPECT_EQ(q.qryFornecedor.field(QStringLiteral("NMFORMPGTO")).asString(), "Boleto");
    EXPECT_EQ(q.qryFornecedor.field(QStringLiteral("NRPARCPGTOFO")).asFloat(), 3.0);
    QSqlQuery suppliers = afdb::exec(connection(), QStringLiteral("SELECT COUNT(*) FROM FORNECEDOR"), {});
    ASSERT_TRUE(suppliers.next());
    EXPECT_EQ(run(q.qryPesqForn, {}), suppliers.value(0).toInt());
    EXPECT_EQ(run(q.qryQualifForn, {{"P_CDFORNECED", "000000000000000000203"},
                                    {"P_DTAUTOFORN", QDateTime(QDate(2024, 3, 31), QTime(0, 0))},
                                    {"P_IDULTIDTVALQ", "M"}}),
              1);
    EXPECT_EQ(run(q.qryQualifForn, {{"P_CDFORNECED", "000000000000000000203"},
                                    {"P_DTAUTOFORN", QDateTime(QDate(2024, 4, 1), QTime(0, 0))},
                                    {"P_IDULTIDTVALQ", "M"}}),
              0);
    EXPECT_EQ(run(q.qryPesqComp, {{"P_CDOPERADOR", none}}), 1);
    EXPECT_EQ(run(q.qryOperRelacAux, {{"P_CDCOMPRADOR", world.buyer}, {"P_OPERADORLOGADO", world.operatorCode}}), 1);
    EXPECT_EQ(run(q.qryOperadorLogado, {{"P_OPERADORLOGADO", world.buyer}}), 1);
    EXPECT_EQ(run(q.qryCompradorAF, {{"P_OPERADORLOGADO", world.operatorCode}}), 0);
    EXPECT_EQ(run(q.qryPesqCobr, {{"P_CDTIPCOB", none}}), 2);
    EXPECT_EQ(run(q.qryTipoCtPagar, {{"P_TPCTPAGAR", "000001"}}), 1);
    EXPECT_EQ(run(q.qryPesqTransp, {{"P_CDFILDEST", world.branch}, {"P_IDTPIJURTRAN", none}, {"P_NRINSJURTRAN", none}}), 2);
    EXPECT_EQ(run(q.qryPesqClienFilial, {{"P_CDFILIAL", world.branch}}), 0);
    EXPECT_EQ(run(q.qryFornec, {{"P_CDFORNECED", world.supplier}}), 1);
}

AFDB_INSTANTIATE_ON_ENGINES(HeaderLookupsTest);

}  // namespace
}  // namespace afdesk::testing
