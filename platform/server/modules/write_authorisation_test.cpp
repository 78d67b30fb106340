// Every write method the server registers is refused, with nothing written,
// to an operator of the branch's read-only group and to one lacking each right
// its rule names; a method that writes cannot be registered as a read.
#include "business_modules.h"
#include "common/afdb_database_provider.h"
#include "common/authorisation.h"

#include "platform/db/schema_catalog.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/server/call_context.h"
#include "platform/server/dispatcher.h"

#include "host/testing/qt_printers.h"

#include <QtCore/QCryptographicHash>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <gtest/gtest.h>

namespace platform::server::modules {
namespace {

using host::RemoteValue;

// Methods that change nothing although their names do not say "Get".
const QStringList kReadsNotNamedGet = {QStringLiteral("Cmp03900.rdmLancaAutoF.Carrega_PeriForn")};

// A value of each kind, as a hand-made client could send it.
RemoteValue sampleOf(ArgKind kind) {
    switch (kind) {
    case ArgKind::Text: return RemoteValue(QStringLiteral("0001"));
    case ArgKind::DateTime: return RemoteValue(host::DateTime{0});
    case ArgKind::Boolean: return RemoteValue(true);
    case ArgKind::Integer: return RemoteValue(qint64(1));
    case ArgKind::Float: return RemoteValue(1.0);
    case ArgKind::Packet: return RemoteValue();
    case ArgKind::Array: return RemoteValue(RemoteValue::Array{});
    case ArgKind::Variant: return RemoteValue();
    }
    return {};
}

struct WriteMethod {
    QString module;
    const MethodDef* method;
};

class WriteAuthorisationTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override {
        MigratedEngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        world = afdb::testing::seedMinimalWorld(connection());
        provider = std::make_unique<AfdbDatabaseProvider>(database());
        registerBusinessModules(registry);
        // A write that needs every generic right and really writes: the walks
        // below prove the refusal comes before any handler, whatever the
        // business modules declare today.
        registry.add(QStringLiteral("Teste.rdmProva"))
            .writeMethod(QStringLiteral("SetProva"), {}, ResultKind::Boolean,
                         WriteRule{.rights = {"ENAF", "CAAF", "ABAF", "EXAF", "ALAF"}, .writersOnly = true, .rowChecks = {}},
                         [](CallContext& c) {
                             afdb::exec(c.database(), "UPDATE AUTOFORNE SET IDAFPILOTO = 'S'");
                             return RemoteValue(true);
                         });
        dispatcher = std::make_unique<Dispatcher>(registry, sessions, provider.get());
        token = sessions.open({world.buyer, QStringLiteral("Comprador Um")});
    }

    std::vector<WriteMethod> writeMethods() const {
        std::vector<WriteMethod> out;
        for (const ServerModule* m : registry.modules())
            for (const MethodDef* d : m->methods())
                if (d->write) out.push_back({m->name(), d});
        return out;
    }

    host::RpcResponse callWithSamples(const WriteMethod& w) {
        host::RpcRequest r;
        r.module = w.module;
        r.method = w.method->name;
        r.session = token;
        for (size_t i = 0; i < w.method->args.size(); ++i) {
            r.args.push_back(sampleOf(w.method->args[i].kind));
            if (w.method->args[i].byRef) r.byRef.push_back(int(i));
        }
        return dispatcher->dispatch(r);
    }

    // Every row of every table, hashed: any write anywhere changes it.
    QByteArray fingerprint() {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString& table : afdb::tableNames(connection())) {
            QStringList rows;
            QSqlQuery q = afdb::exec(connection(), QStringLiteral("SELECT * FROM %1").arg(table));
            while (q.next()) {
                QStringList values;
                for (int c = 0; c < q.record().count(); ++c) values << q.value(c).toString();
                rows << values.join(QLatin1Char('\x1f'));
            }
            rows.sort();
            hash.addData(table.toUtf8());
            hash.addData(rows.join(QLatin1Char('\x1e')).toUtf8());
        }
        return hash.result();
    }

    afdb::testing::MinimalWorld world;
    std::unique_ptr<AfdbDatabaseProvider> provider;
    ModuleRegistry registry;
    SessionManager sessions;
    std::unique_ptr<Dispatcher> dispatcher;
    QString token;
};

TEST_P(WriteAuthorisationTest, EveryMethodThatIsNotARead) {
    int writes = 0;
    for (const ServerModule* m : registry.modules())
        for (const MethodDef* d : m->methods()) {
            const QString name = m->name() + QLatin1Char('.') + d->name;
            const bool read = d->name.startsWith(QLatin1String("Get")) || kReadsNotNamedGet.contains(name);
            EXPECT_EQ(d->write.has_value(), !read) << name.toStdString();
            if (d->write) {
                ++writes;
                for (const QString& code : d->write->rights)
                    EXPECT_NO_THROW(OperatorRights{}.holds(code)) << name.toStdString() << " " << code.toStdString();
            }
        }
    EXPECT_GT(writes, 1);  // a business method besides the probe
}

TEST_P(WriteAuthorisationTest, TheProbeWritesWhenTheOperatorHoldsEveryRight) {
    for (const char* code : {"CAAF", "ABAF"})
        afdb::exec(connection(), "INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('01', :C)", {{"C", code}});
    const QByteArray before = fingerprint();
    const host::RpcResponse r = callWithSamples({QStringLiteral("Teste.rdmProva"), registry.find(QStringLiteral("Teste.rdmProva"))->find(QStringLiteral("SetProva"))});
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_NE(fingerprint(), before);  // so an unchanged fingerprint above means nothing was written
}

TEST_P(WriteAuthorisationTest, TheReadOnlyGroupOfTheOperatorsBranchWritesNothing) {
    afdb::exec(connection(), "UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :OP",
               {{"F", world.branch}, {"OP", world.buyer}});
    afdb::exec(connection(), "UPDATE PARASUPRI SET CDGRUPOPER = '01' WHERE CDFILIAL = :F", {{"F", world.branch}});
    const QByteArray before = fingerprint();
    for (const WriteMethod& w : writeMethods()) {
        SCOPED_TRACE((w.module + QLatin1Char('.') + w.method->name).toStdString());
        const host::RpcResponse r = callWithSamples(w);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, readOnlyRefusal());
    }
    EXPECT_EQ(fingerprint(), before);
}

TEST_P(WriteAuthorisationTest, AnOperatorLackingARightTheRuleNamesWritesNothing) {
    // The buyer's group holds every right; another operator's group is there to hold one instead.
    for (const char* code : {"CAAF", "ABAF", "EXAF", "ALAF"})
        afdb::exec(connection(), "INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('01', :C)", {{"C", code}});
    afdb::exec(connection(), "INSERT INTO GRUPOPER (CDGRUPOPER, NMGRUPOPER) VALUES ('09', 'Outro')");
    afdb::exec(connection(), "INSERT INTO OPERGRUPOP (CDGRUPOPER, CDOPERADOR) VALUES ('09', :OP)",
               {{"OP", world.operatorCode}});
    auto moveRight = [&](const QString& code, const char* from, const char* to) {
        afdb::exec(connection(), "UPDATE AUTGRUPOP SET CDGRUPOPER = :T WHERE CDGRUPOPER = :F AND IDAUTGRUPOP = :C",
                   {{"T", to}, {"F", from}, {"C", code}});
    };
    int walked = 0;
    for (const WriteMethod& w : writeMethods())
        for (const QString& code : w.method->write->rights) {
            SCOPED_TRACE((w.module + QLatin1Char('.') + w.method->name + QLatin1Char(' ') + code).toStdString());
            moveRight(code, "01", "09");
            const QByteArray before = fingerprint();
            const host::RpcResponse r = callWithSamples(w);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, missingRightRefusal(code));
            EXPECT_EQ(fingerprint(), before);
            moveRight(code, "09", "01");
            ++walked;
        }
    EXPECT_GE(walked, 5);
}

TEST_P(WriteAuthorisationTest, RightsFollowTheGroupsAsTheScreensReadThem) {
    // The fixture's buyer is in group 01, which holds ENAF; no group holds EXAF or ALAF.
    OperatorRights buyer = operatorRights(connection(), world.buyer);
    EXPECT_TRUE(buyer.ENAF);
    EXPECT_FALSE(buyer.CAAF);
    EXPECT_FALSE(buyer.ABAF);
    EXPECT_TRUE(buyer.EXAF);
    EXPECT_TRUE(buyer.ALAF);
    EXPECT_FALSE(operatorRights(connection(), world.operatorCode).ENAF);

    afdb::exec(connection(), "INSERT INTO GRUPOPER (CDGRUPOPER, NMGRUPOPER) VALUES ('09', 'Outro')");
    afdb::exec(connection(), "INSERT INTO OPERGRUPOP (CDGRUPOPER, CDOPERADOR) VALUES ('09', :OP)",
               {{"OP", world.operatorCode}});
    afdb::exec(connection(), "INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('09', 'EXAF')");
    buyer = operatorRights(connection(), world.buyer);
    EXPECT_FALSE(buyer.EXAF);  // reserved to a group the buyer is not in
    EXPECT_TRUE(buyer.ALAF);
    EXPECT_TRUE(operatorRights(connection(), world.operatorCode).EXAF);

    EXPECT_FALSE(inReadOnlyGroup(connection(), world.buyer));  // no branch of their own
    afdb::exec(connection(), "UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :OP",
               {{"F", world.branch}, {"OP", world.buyer}});
    EXPECT_FALSE(inReadOnlyGroup(connection(), world.buyer));  // the branch names no group
    afdb::exec(connection(), "UPDATE PARASUPRI SET CDGRUPOPER = '09' WHERE CDFILIAL = :F", {{"F", world.branch}});
    EXPECT_FALSE(inReadOnlyGroup(connection(), world.buyer));  // a group the buyer is not in
    afdb::exec(connection(), "UPDATE PARASUPRI SET CDGRUPOPER = '01' WHERE CDFILIAL = :F", {{"F", world.branch}});
    EXPECT_TRUE(inReadOnlyGroup(connection(), world.buyer));
}

AFDB_INSTANTIATE_ON_ENGINES(WriteAuthorisationTest);

// A registry nobody gave an authoriser lets no write through.
TEST(WriteAuthorisation, AWriteWithoutAnAuthoriserIsRefused) {
    ModuleRegistry registry;
    bool ran = false;
    registry.add(QStringLiteral("M")).writeMethod(QStringLiteral("SetX"), {}, ResultKind::Boolean, WriteRule{},
                                                 [&](CallContext&) {
                                                     ran = true;
                                                     return RemoteValue(true);
                                                 });
    SessionManager sessions;
    Dispatcher dispatcher(registry, sessions, nullptr);
    host::RpcRequest r;
    r.module = QStringLiteral("M");
    r.method = QStringLiteral("SetX");
    r.session = sessions.open({QStringLiteral("OP"), QStringLiteral("Operador")});
    const host::RpcResponse response = dispatcher.dispatch(r);
    EXPECT_FALSE(response.ok);
    EXPECT_EQ(response.message, Dispatcher::internalError());
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace platform::server::modules
