#pragma once
// The filter dialog against the real server: the minimal world with its AFs,
// the host services of tests, a session of the buyer, the workspace's datasets
// and connection, and the operator's options kept in a temporary directory.
#include "filtro_af.h"

#include "platform/server/modules/testing/host_server_fixture.h"
#include "platform/server/modules/testing/lanca_autof_test_support.h"

#include "host/data/dataset.h"
#include "host/remote/remote_connection.h"
#include "host/testing/test_services.h"

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QWidget>
#include <memory>

namespace afdesk::testing {

using platform::server::modules::testing::HostServerFixture;
using platform::server::modules::testing::Transport;
using platform::server::modules::testing::kSupplier2;

class FiltroAFTest : public afdb::testing::MigratedEngineTest {
public:  // the case tables drive the fixture from lambdas
    void SetUp() override;
    void TearDown() override;

    // Logs the buyer in again, in branch mode or not (the session's branch is world.branch).
    void useSession(bool branchMode, const QString& operatorCode = {});
    FilterTargets targets();
    // A new instance, shown and active, past its first activation.
    FiltroAF& open();

    template <class T>
    T* child(const char* name) {
        T* found = dynamic_cast<T*>(dialog->findChild<QWidget*>(QString::fromLatin1(name)));
        EXPECT_NE(found, nullptr) << "no control " << name;
        return found;
    }
    void check(const char* name, bool on);
    void click(const char* name);

    // A column of a dataset, every row, in view order.
    static QStringList column(const host::Dataset& ds, const QString& field);
    // The AF numbers of the list, without leading zeros.
    QStringList listedAfs() const;

    afdb::testing::MinimalWorld world;
    std::unique_ptr<host::test::TestServices> services;
    std::unique_ptr<HostServerFixture> server;
    host::RemoteConnection net{host::names::lancaAutoF::module};
    host::Dataset cdsParamFilial{QStringLiteral("cdsParamFilial")};
    host::Dataset cdsFilialDest{QStringLiteral("cdsFilialDest")};
    host::Dataset cdsServAutoForne{QStringLiteral("cdsServAutoForne")};
    host::Dataset cdsControleFilial{QStringLiteral("cdsControleFilial")};
    QString headerBranch;
    int repaints = 0;
    std::unique_ptr<FiltroAF> dialog;

private:
    QTemporaryDir m_options;
};

}  // namespace afdesk::testing
