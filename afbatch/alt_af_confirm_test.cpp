// Confirm and cancel: the server's check, the batch, and what stays pending.
#include "afbatch_test_support.h"

#include "platform/db/sql_exec.h"

#include "platform/kit/test_support.h"

#include "host/testing/qt_printers.h"

#include <QtWidgets/QListWidget>

namespace afbatch::testing {
namespace {

using Tool = kit::StandardGridScreen::Tool;

class AltAfConfirmTest : public AltAfScreenTest {
protected:
    void open(Transport transport) {
        useServer(transport);
        createScreen();
        filter("2", "10");
        ASSERT_EQ(screen->cdsAF.recordCount(), 4);
        m_server->clearCalls();
    }
    QStringList panel() const {
        QStringList lines;
        for (int i = 0; i < screen->lbxErros->count(); ++i) lines << screen->lbxErros->item(i)->text();
        return lines;
    }
    double storedQty(int af, const QString& product) {
        return afdb::scalar(connection(), "SELECT QTPROGENTAF FROM ITEMAUTF WHERE NRAUTOFORN = :N AND CDPRODUTO = :P",
                            {{"N", afNo(af)}, {"P", product}})
            .toDouble();
    }
};

TEST_P(AltAfConfirmTest, ConfirmChecksWritesTheBatchAndReloads) {
    for (Transport transport : {Transport::InProcess, Transport::Http}) {
        SCOPED_TRACE(transport == Transport::Http ? "HTTP" : "in process");
        open(transport);
        ASSERT_TRUE(changeItem(1, world.p1, "2", "12,5"));
        ASSERT_TRUE(changeItem(12, world.p2, {}, transport == Transport::Http ? "10" : "9"));
        EXPECT_TRUE(screen->toolEnabled(Tool::Confirmar));
        services.dialogs.answer(host::kYes, QStringLiteral("Deseja atualizar as solicitações de compras?"));
        EXPECT_TRUE(screen->press(Tool::Confirmar));
        EXPECT_TRUE(services.dialogs.errorsAre({}));
        if (transport == Transport::InProcess) {
            EXPECT_EQ(calls(), (QStringList{"GetVerifica", "SetAF", "GetAF"}));
        }
        EXPECT_EQ(screen->cdsAF.changeCount(), 0);
        EXPECT_EQ(storedQty(12, world.p2), transport == Transport::Http ? 10.0 : 9.0);
        locate(1, world.p1);
        EXPECT_EQ(screen->cdsAF.field("CDMARCA").asString(), world.brand2);
        EXPECT_EQ(screen->cdsAF.field("NMMARCA").asString(), QStringLiteral("Marca Dois"));
        EXPECT_EQ(screen->cdsAF.field("QTPROGENTAF").asFloat(), 12.5);
        EXPECT_FALSE(screen->toolEnabled(Tool::Confirmar));
        EXPECT_FALSE(services.progress.visible());
        // The buyer is told the batch was written (and nothing about the list reloaded after it).
        EXPECT_TRUE(services.dialogs.messagesAre({QStringLiteral("As alterações foram gravadas no servidor.")}));
        services.dialogs.clearShown();
        screen.reset();
    }
}

TEST_P(AltAfConfirmTest, ACheckRowMarksEveryListedItemOfThatProductAndBrand) {
    open(Transport::InProcess);
    // P2 with brand 00001: its qualification expired. Two items of it, in two AFs.
    ASSERT_TRUE(changeItem(11, world.p2, "1", {}));
    ASSERT_TRUE(changeItem(12, world.p2, "1", {}));
    ASSERT_TRUE(changeItem(1, world.p1, {}, "11"));
    screen->press(Tool::Confirmar);
    EXPECT_TRUE(services.dialogs.errorsAre({"Existem inconsistências nos itens da(s) AF(s)."}));
    EXPECT_EQ(calls(), QStringList{"GetVerifica"});
    EXPECT_EQ(screen->cdsAF.changeCount(), 3);  // nothing sent, everything pending
    EXPECT_EQ(screen->cdsResultErros.recordCount(), 1);
    EXPECT_EQ(screen->cdsAF.recNo(), 1);  // back on the first item
    const QStringList notQualified{"Marca não qualificada para o produto."};
    locate(11, world.p2);
    EXPECT_EQ(panel(), notQualified);
    locate(12, world.p2);
    EXPECT_EQ(panel(), notQualified);
    locate(1, world.p1);  // same brand, another product
    EXPECT_EQ(panel(), QStringList());
    EXPECT_EQ(storedQty(1, world.p1), 10.0);
    EXPECT_FALSE(services.progress.visible());
}

TEST_P(AltAfConfirmTest, ProblemsFoundByTheServerAreShownAndTheChangesStayPending) {
    open(Transport::InProcess);
    ASSERT_TRUE(changeItem(1, world.p1, {}, "11"));
    afdb::exec(connection(), "UPDATE ITEMAUTF SET QTPROGENTAF = 15 WHERE NRAUTOFORN = '0000000001'");
    EXPECT_FALSE(screen->press(Tool::Confirmar));
    EXPECT_TRUE(services.dialogs.errorsAre({"AF 0000000001 (0002/0001), produto 0102003, entrega 20/03/2024: o item foi "
                                            "alterado por outro usuário desde a leitura. Recarregue a lista."}));
    EXPECT_EQ(calls(), QStringList{"GetVerifica"});
    EXPECT_EQ(screen->cdsAF.changeCount(), 1);
    EXPECT_EQ(storedQty(1, world.p1), 15.0);
}

TEST_P(AltAfConfirmTest, ConfirmWithoutAChangeSendsAndShowsNothing) {
    open(Transport::InProcess);
    locate(1, world.p1);
    screen->dtsPadrao.edit();  // an edit with nothing typed
    EXPECT_TRUE(screen->toolEnabled(Tool::Confirmar));
    EXPECT_TRUE(screen->press(Tool::Confirmar));
    EXPECT_EQ(calls(), QStringList());
    EXPECT_TRUE(services.dialogs.shown().empty());
    EXPECT_EQ(screen->cdsAF.state(), host::DatasetState::Browse);
    EXPECT_FALSE(services.progress.visible());
}

TEST_P(AltAfConfirmTest, WithoutTheRequestParameterNothingIsAsked) {
    afdb::exec(connection(), "UPDATE PARASUPRI SET IDATUSOLILAF = 'N' WHERE CDFILIAL = '0001'");
    open(Transport::InProcess);
    ASSERT_TRUE(changeItem(12, world.p2, {}, "0"));
    EXPECT_TRUE(screen->press(Tool::Confirmar));
    EXPECT_TRUE(services.dialogs.questionsAre({}));
    EXPECT_EQ(storedQty(12, world.p2), 0.0);
    // Not asked means not updated: the request still points at the AF.
    EXPECT_EQ(afdb::scalar(connection(), "SELECT IDSITUITSOL FROM ITEMSOLICMP").toString(), QStringLiteral("I"));
}

TEST_P(AltAfConfirmTest, CancelAsksThenRestoresTheEditOrEveryPendingChange) {
    open(Transport::InProcess);
    ASSERT_TRUE(changeItem(1, world.p1, {}, "11"));
    ASSERT_TRUE(changeItem(12, world.p2, {}, "3"));

    services.dialogs.answer(host::kNo, QStringLiteral("Cancelar operação?"));
    screen->press(Tool::Cancelar);
    EXPECT_EQ(screen->cdsAF.changeCount(), 2);

    locate(11, world.p2);
    screen->dtsPadrao.edit();
    screen->cdsAF.field("QTPROGENTAF").setText("99");
    services.dialogs.answer(host::kYes, QStringLiteral("Cancelar operação?"));
    screen->press(Tool::Cancelar);
    EXPECT_EQ(screen->cdsAF.state(), host::DatasetState::Browse);
    EXPECT_EQ(screen->cdsAF.field("QTPROGENTAF").asFloat(), 5.0);
    EXPECT_EQ(screen->cdsAF.changeCount(), 2);

    services.dialogs.answer(host::kYes, QStringLiteral("Cancelar operação?"));
    screen->press(Tool::Cancelar);
    EXPECT_EQ(screen->cdsAF.changeCount(), 0);
    locate(1, world.p1);
    EXPECT_EQ(screen->cdsAF.field("QTPROGENTAF").asFloat(), 10.0);
    EXPECT_FALSE(screen->toolEnabled(Tool::Cancelar));
    EXPECT_EQ(calls(), QStringList());
}

TEST_P(AltAfConfirmTest, ClosingWithPendingChangesAsksFirstAndDisconnects) {
    open(Transport::InProcess);
    ASSERT_TRUE(screen->netAltAF.isOpen());
    ASSERT_TRUE(changeItem(1, world.p1, {}, "11"));
    services.dialogs.answer(host::kNo, QStringLiteral("Cancelar operação?"));
    EXPECT_FALSE(screen->close());
    EXPECT_TRUE(screen->netAltAF.isOpen());
    EXPECT_EQ(screen->cdsAF.changeCount(), 1);
    services.dialogs.answer(host::kYes, QStringLiteral("Cancelar operação?"));
    EXPECT_TRUE(screen->close());
    EXPECT_FALSE(screen->netAltAF.isOpen());
    EXPECT_EQ(storedQty(1, world.p1), 10.0);
}

TEST_P(AltAfConfirmTest, ToolsFollowTheListAndItsPendingChanges) {
    useServer(Transport::InProcess);
    createScreen();
    struct Expect {
        bool alterar, procurar, verificar, confirmar, cancelar;
    };
    auto check = [this](const char* what, Expect e) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(screen->toolEnabled(Tool::Incluir));
        EXPECT_FALSE(screen->toolEnabled(Tool::Excluir));
        EXPECT_EQ(screen->toolEnabled(Tool::Alterar), e.alterar);
        EXPECT_EQ(screen->toolEnabled(Tool::Procurar), e.procurar);
        EXPECT_EQ(screen->toolEnabled(Tool::Verificar), e.verificar);
        EXPECT_EQ(screen->toolEnabled(Tool::Confirmar), e.confirmar);
        EXPECT_EQ(screen->toolEnabled(Tool::Cancelar), e.cancelar);
    };
    kittest::focus(screen->standardGrid());
    check("no list", {false, false, false, false, false});
    filter("2", "10", "01/01/2020", "02/01/2020");
    check("empty list", {false, false, true, false, false});
    filter("2", "10");
    check("list", {true, true, true, false, false});
    screen->dtsPadrao.edit();
    check("editing", {false, false, false, true, true});
    screen->cdsAF.field("QTPROGENTAF").setText("1");
    screen->dtsPadrao.post();
    check("pending changes", {true, true, true, true, true});
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfConfirmTest);

}  // namespace
}  // namespace afbatch::testing
