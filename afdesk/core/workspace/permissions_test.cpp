// The AF permissions: the rules by themselves and read from the operator-group tables.
#include "afdesk/core/workspace/permissions.h"

#include "afdesk/core/workspace/workspace_queries.h"
#include "platform/server/modules/testing/host_server_fixture.h"

#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

TEST(PermissionRules, HeldCodesAreGrantedOnlyWhenAGroupOfTheOperatorHoldsThem) {
    EXPECT_TRUE(grantedWhenHeld({"ENAF", "CAAF"}, "CAAF"));
    EXPECT_FALSE(grantedWhenHeld({"ENAF"}, "ABAF"));
    EXPECT_FALSE(grantedWhenHeld({}, "ENAF"));  // never granted by default
}

TEST(PermissionRules, ReservedCodesAreGrantedToEverybodyUntilAGroupHoldsThem) {
    const QString me = QStringLiteral("COMPRADOR1");
    EXPECT_TRUE(grantedUnlessReserved({}, "EXAF", me));
    EXPECT_TRUE(grantedUnlessReserved({{"EXAF", "OUTRO"}, {"EXAF", me}}, "EXAF", me));
    EXPECT_FALSE(grantedUnlessReserved({{"EXAF", "OUTRO"}}, "EXAF", me));
    EXPECT_TRUE(grantedUnlessReserved({{"ALAF", "COMPRADOR1  "}}, "ALAF", me));  // codes compared trimmed
}

class PermissionsTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override {
        MigratedEngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        world = afdb::testing::seedMinimalWorld(connection());
        server = std::make_unique<platform::server::modules::testing::HostServerFixture>(database());
        // A second group the buyer is not in.
        afdb::testing::insertRow(connection(), "GRUPOPER", {{"CDGRUPOPER", "02"}, {"NMGRUPOPER", "Gerência"}});
        afdb::testing::insertRow(connection(), "OPERGRUPOP", {{"CDGRUPOPER", "02"}, {"CDOPERADOR", world.operatorCode}});
        afdb::exec(connection(), "DELETE FROM AUTGRUPOP");
    }
    void TearDown() override {
        server.reset();
        MigratedEngineTest::TearDown();
    }
    void grant(const char* group, const char* code) {
        afdb::testing::insertRow(connection(), "AUTGRUPOP", {{"CDGRUPOPER", group}, {"IDAUTGRUPOP", code}});
    }
    Permissions read() {
        WorkspaceQueries q;
        return loadPermissions(q, world.buyer);
    }

    afdb::testing::MinimalWorld world;
    std::unique_ptr<platform::server::modules::testing::HostServerFixture> server;
};

TEST_P(PermissionsTest, EachCodeHeldNotHeldOrHeldByNoGroup) {
    struct Case {
        const char* code;
        const char* holder;  // group holding it: "01" the buyer's, "02" another, null none
        bool granted;
    };
    const Case cases[] = {
        {"ENAF", "01", true}, {"ENAF", "02", false}, {"ENAF", nullptr, false},
        {"CAAF", "01", true}, {"CAAF", "02", false}, {"CAAF", nullptr, false},
        {"ABAF", "01", true}, {"ABAF", "02", false}, {"ABAF", nullptr, false},
        {"EXAF", "01", true}, {"EXAF", "02", false}, {"EXAF", nullptr, true},
        {"ALAF", "01", true}, {"ALAF", "02", false}, {"ALAF", nullptr, true},
    };
    for (const Case& c : cases) {
        afdb::exec(connection(), "DELETE FROM AUTGRUPOP");
        if (c.holder) grant(c.holder, c.code);
        const Permissions p = read();
        const QString code = QString::fromLatin1(c.code);
        const bool got = code == "ENAF" ? p.ENAF : code == "CAAF" ? p.CAAF : code == "ABAF" ? p.ABAF
                       : code == "EXAF" ? p.EXAF : p.ALAF;
        EXPECT_EQ(got, c.granted) << c.code << " held by " << (c.holder ? c.holder : "no group");
    }
}

TEST_P(PermissionsTest, CodesDoNotLeakIntoEachOther) {
    grant("01", "CAAF");
    grant("02", "EXAF");
    const Permissions p = read();
    EXPECT_EQ(p, (Permissions{false, true, false, false, true}));
}

AFDB_INSTANTIATE_ON_ENGINES(PermissionsTest);

}  // namespace
}  // namespace afdesk
