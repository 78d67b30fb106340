// Every value type travels into the table, and back into the WHERE of the next
// save: a value the resolver binds differently from how it was stored would
// make the following save a false conflict.
#include "platform/server/resolver/delta_resolver.h"
#include "platform/server/resolver/query_packet.h"

#include "host/data/dataset.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/test_database.h"
#include "platform/db/transaction.h"

#include <gtest/gtest.h>

namespace afresolver {
namespace {

using host::FieldDef;
using host::Value;

class ResolverValueTypesTest : public afdb::testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped()) return;
        const bool pg = engine() == afdb::Engine::PostgreSQL;
        afdb::exec(connection(), QStringLiteral("CREATE TABLE VALORES (CDCHAVE VARCHAR(10) NOT NULL PRIMARY KEY, "
                                                "DSTEXTO VARCHAR(20), VRNUMERO %1, NRINTEIRO BIGINT, IDLOGICO BOOLEAN, "
                                                "DTMOMENTO %2)")
                                     .arg(pg ? "DOUBLE PRECISION" : "REAL", pg ? "TIMESTAMP(0)" : "TEXT"));
    }

    static std::vector<FieldDef> fields() {
        return {FieldDef::string("CDCHAVE", 10), FieldDef::string("DSTEXTO", 20), FieldDef::floating("VRNUMERO"),
                FieldDef::integer("NRINTEIRO"), FieldDef::boolean("IDLOGICO"), FieldDef::dateTime("DTMOMENTO")};
    }

    void reload(host::Dataset& ds) {
        ds.setData(selectPacket(connection(), "SELECT * FROM VALORES ORDER BY CDCHAVE", {}, fields()));
    }

    void save(host::Dataset& ds) {
        const host::Packet delta = host::decodePacket(ds.delta());
        afdb::transact(connection(), [&] { applyDelta(connection(), delta, TableMapping("VALORES", {"CDCHAVE"})); });
    }
};

TEST_P(ResolverValueTypesTest, ValuesRoundTripAndMatchOnTheNextSave) {
    struct Case {
        const char* field;
        Value first;
        Value second;
    };
    const std::vector<Case> cases = {
        {"DSTEXTO", QStringLiteral("Ação 'x' \"y\" ç"), QStringLiteral("outro")},
        {"VRNUMERO", 0.1 + 0.2, -1.5e-7},
        {"VRNUMERO", kStoredNumberLimit, 12345678.875},  // the largest a write may store
        {"NRINTEIRO", qint64(9007199254740993), qint64(-42)},  // 2^53 + 1: not representable as a double
        {"IDLOGICO", true, false},
        {"DTMOMENTO", host::DateTime::fromDate(QDate(1969, 12, 31), QTime(23, 59, 59)),
         host::DateTime::fromDate(QDate(2024, 2, 29), QTime(0, 0, 1))},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const QString key = QStringLiteral("K%1").arg(++n);
        host::Dataset ds;
        reload(ds);
        ds.append();
        ds.field("CDCHAVE").setAsString(key);
        ds.field(c.field).setValue(c.first);
        ds.post();
        save(ds);

        reload(ds);
        ASSERT_TRUE(ds.locate("CDCHAVE", key));
        EXPECT_EQ(ds.field(c.field).value(), c.first);
        // The stored value, read back, must match the stored row in the WHERE.
        for (const Value& next : {c.second, Value{}, c.first}) {
            ds.edit();
            ds.field(c.field).setValue(next);
            ds.post();
            save(ds);
            reload(ds);
            ASSERT_TRUE(ds.locate("CDCHAVE", key));
            EXPECT_EQ(ds.field(c.field).value(), next);
        }
        ds.deleteRecord();
        save(ds);
        EXPECT_EQ(afdb::scalar(connection(), "SELECT COUNT(*) FROM VALORES WHERE CDCHAVE = :K", {{"K", key}}).toInt(), 0);
    }
}

AFDB_INSTANTIATE_ON_ENGINES(ResolverValueTypesTest);

}  // namespace
}  // namespace afresolver
