// Cost types read from "cus.rdmCustProd" through the real server, in process
// and over HTTP, on both engines.
#include "library_test_support.h"

#include "host/data/errors.h"
#include "host/library/library_units.h"
#include "host/remote/remote_connection.h"
#include "host/remote/server_access.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::library::testing {
namespace {

using afdb::testing::insertRow;

class CostTypesTest : public LibraryTest {
protected:
    // Numbers with a gap, inserted out of order: the index is not the number.
    void addCostTypes() {
        insertRow(connection(), "TIPOCUSTO", {{"NRTIPOCUSTO", 7}, {"NMTIPOCUSTO", "Custo de Reposição"}});
        insertRow(connection(), "TIPOCUSTO", {{"NRTIPOCUSTO", 1}, {"NMTIPOCUSTO", "Custo Médio"}});
        insertRow(connection(), "TIPOCUSTO", {{"NRTIPOCUSTO", 2}, {"NMTIPOCUSTO", "Último Custo de Entrada"}});
    }
    QString userError(const std::function<void()>& f) {
        try {
            f();
        } catch (const host::DataError& e) {
            ADD_FAILURE() << "programming error instead of a message: " << e.message().toStdString();
        } catch (const host::UserError& e) {
            return e.message();
        }
        return {};
    }
};

TEST_P(CostTypesTest, NamesInTheOrderOfferedAndTheNumberOfEachIndex) {
    addCostTypes();
    for (Transport transport : {Transport::InProcess, Transport::Http}) {
        SCOPED_TRACE(transport == Transport::Http ? "HTTP" : "in process");
        useServer(transport);
        host::RemoteConnection netCustos(host::names::custProd::module);
        host::bindToServer(netCustos);
        services->progress.clearHistory();

        EXPECT_EQ(host::Lib00500::ListaTipoCusto(netCustos),
                  (QStringList{"Custo Médio", "Último Custo de Entrada", "Custo de Reposição"}));
        EXPECT_EQ(services->progress.history(),
                  (QStringList{"show 6 Lendo os tipos de custo...", "hide"}));
        EXPECT_EQ(host::Lib00500::NumeroTipoCusto(0), 1);
        EXPECT_EQ(host::Lib00500::NumeroTipoCusto(1), 2);
        EXPECT_EQ(host::Lib00500::NumeroTipoCusto(2), 7);
        EXPECT_THROW(host::Lib00500::NumeroTipoCusto(3), host::DataError);
        EXPECT_EQ(userError([] { host::Lib00500::NumeroTipoCusto(-1); }),
                  QStringLiteral("Tipo de custo deve ser informado."));
    }
}

TEST_P(CostTypesTest, NoCostTypesRegistered) {
    EXPECT_THROW(host::Lib00500::NumeroTipoCusto(-1), host::DataError);  // nothing read yet
    useServer(Transport::InProcess);
    host::RemoteConnection netCustos(host::names::custProd::module);
    host::bindToServer(netCustos);
    EXPECT_EQ(host::Lib00500::ListaTipoCusto(netCustos), QStringList());
    EXPECT_EQ(userError([] { host::Lib00500::NumeroTipoCusto(-1); }),
              QStringLiteral("Não há tipo de custo cadastrado."));
}

TEST_P(CostTypesTest, AFailedReadShowsTheServersReasonAndKeepsTheListRead) {
    addCostTypes();
    useServer(Transport::InProcess);
    host::RemoteConnection netCustos(host::names::custProd::module);
    host::bindToServer(netCustos);
    host::Lib00500::ListaTipoCusto(netCustos);

    closeSession();
    netCustos.close();
    EXPECT_EQ(userError([&] { host::Lib00500::ListaTipoCusto(netCustos); }),
              QStringLiteral("Sessão inválida ou encerrada. Entre no sistema novamente."));
    EXPECT_FALSE(services->progress.visible());
    EXPECT_EQ(host::Lib00500::NumeroTipoCusto(2), 7);

    host::RemoteConnection wrongModule(host::names::lancaAutoF::module);
    host::bindToServer(wrongModule);
    EXPECT_FALSE(userError([&] { host::Lib00500::ListaTipoCusto(wrongModule); }).isEmpty());
}

AFDB_INSTANTIATE_ON_ENGINES(CostTypesTest);

}  // namespace
}  // namespace platform::library::testing
