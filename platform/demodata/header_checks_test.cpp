// The demo branches answer every outcome of the destination-branch check of a
// new AF, asked of the real server module as the workspace asks it.
#include "demo_test_fixture.h"

#include "platform/server/dispatcher.h"
#include "platform/server/modules/common/afdb_database_provider.h"
#include "platform/server/modules/lanca_autof/lanca_autof_module.h"

#include "host/remote/remote_names.h"
#include "host/testing/qt_printers.h"

#include <map>

namespace afdemo::testing {
namespace {

using namespace platform::server;

class DemoHeaderChecksTest : public GeneratedDemoTest {
protected:
    // GetParCentCmp of every branch, by branch code.
    std::map<QString, QString> flagsOfEveryBranch() {
        modules::AfdbDatabaseProvider provider(database());
        ModuleRegistry registry;
        modules::registerLancaAutoF(registry);
        SessionManager sessions;
        const Dispatcher dispatcher(registry, sessions, &provider);
        host::RpcRequest request;
        request.module = host::names::lancaAutoF::module;
        request.method = host::names::lancaAutoF::GetParCentCmp;
        request.session = sessions.open({QStringLiteral("ADMIN"), QStringLiteral("Administrador do Sistema")});

        // Read to the end first: the server runs on this thread's connection.
        QStringList branches;
        QSqlQuery q = afdb::exec(db(), QStringLiteral("SELECT CDFILIAL FROM FILIAL ORDER BY CDFILIAL"));
        while (q.next()) branches << q.value(0).toString();
        std::map<QString, QString> flags;
        for (const QString& branch : branches) {
            request.args = {branch};
            const host::RpcResponse r = dispatcher.dispatch(request);
            EXPECT_TRUE(r.ok) << r.message.toStdString();
            flags[branch] = r.value.toText();
        }
        return flags;
    }
};

// The header reads the answer by position and stops at the first "1", so each
// of its four outcomes needs a branch of its own.
TEST_P(DemoHeaderChecksTest, EveryOutcomeOfTheBranchCheckIsReachable) {
    const std::map<QString, QString> flags = flagsOfEveryBranch();
    std::map<QString, QStringList> byOutcome;
    for (const auto& [branch, answer] : flags) {
        const qsizetype first = answer.indexOf(QLatin1Char('1'));
        const QString outcome = first < 0 ? QStringLiteral("aceita") : QString::number(first + 1);
        byOutcome[outcome] << branch;
    }
    for (const char* outcome : {"1", "2", "3", "aceita"}) {
        SCOPED_TRACE(outcome);
        EXPECT_FALSE(byOutcome[QString::fromLatin1(outcome)].isEmpty());
    }
}

// Every branch an AF goes to passes the check; the franchised store, the
// closed store and the stores without a logistic operator are the ones that
// do not, each for its own reason.
TEST_P(DemoHeaderChecksTest, BranchesWithAfsPassAndTheOthersSayWhy) {
    const std::map<QString, QString> flags = flagsOfEveryBranch();
    const auto destinations = [&](const char* where) {
        QStringList codes;
        QSqlQuery q = afdb::exec(db(), QStringLiteral("SELECT DISTINCT CDFILDEST FROM AUTOFORNE WHERE %1").arg(QString::fromLatin1(where)));
        while (q.next()) codes << q.value(0).toString();
        EXPECT_FALSE(codes.isEmpty()) << where;
        return codes;
    };
    for (const QString& branch : destinations("1 = 1")) {
        SCOPED_TRACE(branch.toStdString());
        EXPECT_EQ(flags.at(branch).left(2), QStringLiteral("00"));
    }
    for (const QString& branch : destinations("IDAFOPERLOG = '2'")) {
        SCOPED_TRACE(branch.toStdString());
        EXPECT_EQ(flags.at(branch), QStringLiteral("000"));
    }

    const auto branchWhere = [&](const char* where) {
        return afdb::scalar(db(), QStringLiteral("SELECT MIN(CDFILIAL) FROM FILIAL WHERE %1").arg(QString::fromLatin1(where)))
            .toString();
    };
    const QString franchise = branchWhere("CDFILCENTCMP IS NULL AND IDFUNCAOFILI = 'L'");
    const QString closed = branchWhere("IDCNTRRESC = 'S'");
    const QString noOperator = branchWhere("IDFUNCAOFILI = 'L' AND CDFILCENTCMP IS NOT NULL AND CDFILIOPELOG IS NULL "
                                           "AND IDCNTRRESC = 'N'");
    EXPECT_EQ(flags.at(franchise), QStringLiteral("101"));
    EXPECT_EQ(flags.at(closed), QStringLiteral("011"));
    EXPECT_EQ(flags.at(noOperator), QStringLiteral("001"));
}

AFDB_INSTANTIATE_ON_ENGINES(DemoHeaderChecksTest);

}  // namespace
}  // namespace afdemo::testing
