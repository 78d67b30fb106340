// The workspace's small services: Parametros, CacheProdFil, retornaIdioma, "Importação SAC".
#include "afdesk/core/workspace/workspace_fixture.h"

#include "afdesk/core/workspace/parametros.h"
#include "afdesk/core/workspace/retorna_idioma.h"
#include "afdesk/core/workspace/workspace_module.h"
#include "afdesk/core/workspace/workspace_queries.h"
#include "platform/kit/test_support.h"

#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtGui/QAction>
#include <QtWidgets/QTabWidget>

namespace afdesk::testing {
namespace {

class WorkspaceServicesTest : public WorkspaceTest {};

TEST_P(WorkspaceServicesTest, ParametrosAddsTheTypedBranchWithItsParameters) {
    const QString typed = QStringLiteral("0003");
    afdb::testing::insertRow(connection(), "FILIAL",
                             {{"CDFILIAL", typed}, {"NMFILIAL", "Loja Nova"}, {"CDEMPRESA", world.company},
                              {"CDFILCENTCMP", world.central}, {"IDCNTRRESC", "N"}});
    afdb::testing::insertRow(connection(), "PARASUPRI", {{"CDFILIAL", typed}, {"IDVALDTAF", "M"}});
    afdb::testing::insertRow(connection(), "PARCMPSUP",
                             {{"CDFILIAL", typed}, {"IDAUDALTAF", "S"}, {"CDOPERADOR", world.buyer}});
    open(true);
    ASSERT_NE(w, nullptr);
    ASSERT_FALSE(w->state().cdsFilialDest.locate(QStringLiteral("CDFILIAL"), typed));
    const int before = w->state().cdsFilialDest.recordCount();
    clickTab(WorkspaceTab::AF);
    clearCalls();

    Parametros(*w, typed);
    EXPECT_EQ(calls(), QStringList{"GetAuxCmpSup"});
    EXPECT_EQ(services->progress.texts(), QStringList{QStringLiteral("Recebendo dados do servidor...")});
    EXPECT_FALSE(services->progress.visible());
    EXPECT_EQ(w->state().cdsFilialDest.recordCount(), before + 1);
    EXPECT_EQ(w->state().cdsFilialDest.field(QStringLiteral("CDFILIAL")).asString(), typed);
    EXPECT_EQ(w->state().cdsFilialDest.field(QStringLiteral("NMFILIAL")).asString(), QStringLiteral("Loja Nova"));
    EXPECT_EQ(w->state().cdsFilialDest.field(QStringLiteral("CDFILCENTCMP")).asString(), world.central);
    EXPECT_EQ(w->state().cdsFilialDest.field(QStringLiteral("IDVALDTAF")).asString(), QStringLiteral("M"));
    EXPECT_EQ(w->state().cdsFilialDest.field(QStringLiteral("IDAUDALTAF")).asString(), QStringLiteral("S"));
    EXPECT_EQ(w->state().cdsFilialDest.field(QStringLiteral("CDOPERADOR")).asString(), world.buyer);
    EXPECT_FALSE(workspaceState().boParameter);

    // Typed again: only made current.
    w->state().cdsFilialDest.first();
    clearCalls();
    Parametros(*w, typed);
    EXPECT_EQ(calls(), QStringList{});
    EXPECT_EQ(services->progress.texts(), QStringList{});
    EXPECT_EQ(w->state().cdsFilialDest.recordCount(), before + 1);
    EXPECT_EQ(w->state().cdsFilialDest.field(QStringLiteral("CDFILIAL")).asString(), typed);
}

TEST_P(WorkspaceServicesTest, ParametrosLeavesTheBranchesAloneWhenTheCallFails) {
    open(true);
    ASSERT_NE(w, nullptr);
    clickTab(WorkspaceTab::AF);
    const int before = w->state().cdsFilialDest.recordCount();
    sql("DROP TABLE PARCMPSUP");
    EXPECT_THROW(Parametros(*w, QStringLiteral("0003")), host::UserError);
    EXPECT_EQ(w->state().cdsFilialDest.recordCount(), before);
    EXPECT_EQ(w->state().cdsFilialDest.changeCount(), 0);
    EXPECT_FALSE(workspaceState().boParameter);
}

TEST_P(WorkspaceServicesTest, ParametrosRefusesABranchTheServerDoesNotKnow) {
    open(true);
    ASSERT_NE(w, nullptr);
    clickTab(WorkspaceTab::AF);
    const int before = w->state().cdsFilialDest.recordCount();
    try {
        Parametros(*w, QStringLiteral("9999"));
        ADD_FAILURE() << "accepted an unknown branch";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Filial Destino não cadastrada."));
    }
    EXPECT_EQ(w->state().cdsFilialDest.recordCount(), before);
}

TEST_P(WorkspaceServicesTest, CacheProdFilPicksTheQueryTheGeneralParametersChoose) {
    struct Case {
        const char* flag;
        bool branchAware;
    };
    for (const Case c : {Case{"S", true}, Case{"N", false}, Case{"", false}}) {
        sql(QStringLiteral("UPDATE PARAMGERAL SET IDCACHPRODFI = %1")
                .arg(*c.flag ? QStringLiteral("'%1'").arg(QLatin1String(c.flag)) : QStringLiteral("NULL")));
        WorkspaceQueries q;
        CacheProdFil(q);
        EXPECT_TRUE(q.qryParamGeral.active());
        EXPECT_EQ(q.qryVdProduto.sql(host::SqlDialect::SQLite).contains(QLatin1String("PRODFILI")), c.branchAware)
            << c.flag;
        // The chosen text runs: a product inactive for the branch is not found through the branch-aware one.
        sql("DELETE FROM PRODFILI");
        afdb::testing::insertRow(connection(), "PRODFILI",
                                 {{"CDFILIAL", world.branch}, {"CDPRODUTO", world.product}, {"IDPRODATIV", "I"}});
        q.qryVdProduto.setParam(QStringLiteral("P_CDPRODUTO"), world.productTree);
        q.qryVdProduto.setParam(QStringLiteral("P_CDFILIAL"), world.branch);
        q.qryVdProduto.open();
        EXPECT_EQ(q.qryVdProduto.isEmpty(), c.branchAware) << c.flag;
        // Run again: the previous query is closed first.
        CacheProdFil(q);
        EXPECT_FALSE(q.qryVdProduto.active());
    }
}

TEST(RetornaIdioma, TheMachineValueOrPor) {
    QTemporaryDir dir;
    struct Case {
        const char* stored;  // null: no value
        const char* expected;
    };
    for (const Case c : {Case{"ESP", "ESP"}, Case{"  ING ", "ING"}, Case{"", "POR"}, Case{nullptr, "POR"}}) {
        QSettings s(dir.filePath(QStringLiteral("maquina.ini")), QSettings::IniFormat);
        s.clear();
        if (c.stored) s.setValue(QStringLiteral("WebCli/IdiomaArq"), QString::fromLatin1(c.stored));
        s.sync();
        EXPECT_EQ(retornaIdioma(s), QString::fromLatin1(c.expected)) << (c.stored ? c.stored : "(none)");
    }
}

TEST_P(WorkspaceServicesTest, SacImportFollowsTheBranchParameterAndSaysItIsNotAvailable) {
    for (const char* sac : {"N", "S"}) {
        sql(QStringLiteral("UPDATE PARCMPSUP SET IDUTILIZAINTSAC = '%1'").arg(QLatin1String(sac)));
        open(true);
        ASSERT_NE(w, nullptr);
        gotoBranch(world.branch);
        EXPECT_EQ(w->toolAction(WorkspaceTool::ImportaSAC)->isEnabled(), QLatin1String(sac) == QLatin1String("S")) << sac;
        discardWorkspace();
    }
    open(true);
    gotoBranch(world.branch);
    w->toolAction(WorkspaceTool::ImportaSAC)->trigger();
    EXPECT_TRUE(services->dialogs.messagesAre({QStringLiteral("Importação SAC não disponível nesta versão.")}));
}

AFDB_INSTANTIATE_ON_ENGINES(WorkspaceServicesTest);

}  // namespace
}  // namespace afdesk::testing
