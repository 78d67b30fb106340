// GetParCentCmp and GetPrazoAF through the dispatcher, and over HTTP with the
// client's own result check.
#include "lanca_autof_fields.h"
#include "platform/server/modules/testing/lanca_autof_test_support.h"


#include "host/data/errors.h"
#include "host/remote/check_result.h"
#include "host/remote/remote_connection.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::server::modules::testing {
namespace {

using afdb::testing::insertRow;
using host::RemoteValue;

// A branch added to the minimal world (central 0001, store 0002).
struct BranchRow {
    const char* code;
    const char* central;   // CDFILCENTCMP, "" for none
    const char* function;  // IDFUNCAOFILI, "" for none
    const char* logistic;  // CDFILIOPELOG, "" for none
    bool purchasing;       // has PARCMPSUP
    bool supply;           // has PARASUPRI
    const char* rescinded = "N";
};

QVariant orNull(const char* s) { return *s ? QVariant(QString::fromLatin1(s)) : QVariant(); }

class HeaderMethodsTest : public LancaAutoFTest {
protected:
    void addBranch(const BranchRow& b) {
        insertRow(connection(), "FILIAL",
                  {{"CDFILIAL", b.code},
                   {"NMFILIAL", QStringLiteral("Filial %1").arg(QString::fromLatin1(b.code))},
                   {"CDEMPRESA", world.company},
                   {"CDFILCENTCMP", orNull(b.central)},
                   {"IDFUNCAOFILI", orNull(b.function)},
                   {"CDFILIOPELOG", orNull(b.logistic)},
                   {"IDCNTRRESC", b.rescinded}});
        if (b.purchasing) insertRow(connection(), "PARCMPSUP", {{"CDFILIAL", b.code}, {"IDTIPEMITGER", "1"}});
        if (b.supply) insertRow(connection(), "PARASUPRI", {{"CDFILIAL", b.code}, {"IDVALDTAF", "D"}});
    }

    QString flagsOf(const QString& branch) {
        const host::RpcResponse r = call(QStringLiteral("GetParCentCmp"), {branch});
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.value.toText();
    }

    void addTerm(const QString& supplier, double days, double percent) {
        insertRow(connection(), "PRAZOPGFOR",
                  {{"CDFORNECED", supplier}, {"NRDIASPGTOFO", days}, {"VRPERCPGTOFO", percent}});
    }
};

TEST_P(HeaderMethodsTest, EachPositionTellsWhatTheBranchLacks) {
    // Operators first: the other branches point at them.
    const BranchRow branches[] = {
        {"0010", "0001", "O", "", true, true},         // a logistic operator
        {"0011", "0001", "O", "", true, true, "S"},    // an operator whose contract ended
        {"0020", "0001", "L", "0010", true, true},     // served by the operator: can do everything
        {"0021", "", "L", "0010", true, true},         // no central at all
        {"0022", "", "C", "0010", true, true},         // a central serves itself
        {"0023", "0001", "L", "0010", true, false},    // purchasing parameters only
        {"0024", "0001", "L", "0010", false, true},    // supply parameters only
        {"0025", "0001", "L", "", true, true},         // no operator serves it
        {"0026", "0001", "L", "0002", true, true},     // "served" by a store, not an operator
        {"0027", "0001", "L", "0011", true, true},     // served by the operator that closed
        {"0028", "", "", "", false, false},            // lacks everything
    };
    for (const BranchRow& b : branches) addBranch(b);
    afdb::exec(connection(), "UPDATE FILIAL SET CDFILIOPELOG = '0010' WHERE CDFILIAL = '0010'");

    const struct {
        const char* branch;
        const char* flags;
    } cases[] = {
        {"0020", "000"}, {"0021", "100"}, {"0022", "000"}, {"0023", "010"}, {"0024", "010"}, {"0025", "001"},
        {"0026", "001"}, {"0027", "001"}, {"0028", "111"},
        {"0010", "001"},  // an operator does not distribute to itself
        {"0001", "011"},  // named as the central of 0002: a central, without parameters of its own
        {"0002", "001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.branch);
        EXPECT_EQ(flagsOf(QString::fromLatin1(c.branch)), QString::fromLatin1(c.flags));
    }
}

TEST_P(HeaderMethodsTest, UnknownOrEmptyBranchIsAnError) {
    const host::RpcResponse unknown = call(QStringLiteral("GetParCentCmp"), {QStringLiteral("9999")});
    EXPECT_FALSE(unknown.ok);
    EXPECT_EQ(unknown.message, QStringLiteral("Filial 9999 não cadastrada."));
    for (const RemoteValue& empty : {RemoteValue(), RemoteValue(QString()), RemoteValue(QStringLiteral("    "))}) {
        const host::RpcResponse r = call(QStringLiteral("GetParCentCmp"), {empty});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QStringLiteral("Filial destino deve ser informada."));
    }
}

TEST_P(HeaderMethodsTest, SupplierTermsComeInDayOrder) {
    addTerm(kSupplier2, 60, 30);
    addTerm(kSupplier2, 28, 40);
    addTerm(kSupplier2, 90, 30);
    const host::Packet p = packetOf(QStringLiteral("GetPrazoAF"), {kSupplier2});
    const Fields expected = fields::prazoPgFor();
    ASSERT_EQ(p.fields.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(p.fields[i].name, expected[i].name);
        EXPECT_EQ(p.fields[i].type, expected[i].type);
    }
    EXPECT_EQ(column(p, "CDFORNECED"), QStringList(3, kSupplier2));
    ASSERT_EQ(p.rows.size(), 3u);
    const double days[] = {28, 60, 90};
    const double percents[] = {40, 30, 30};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(value(p, r, "NRDIASPGTOFO"), host::Value(days[r]));
        EXPECT_EQ(value(p, r, "VRPERCPGTOFO"), host::Value(percents[r]));
    }
    // The other supplier keeps its own single term.
    const host::Packet first = packetOf(QStringLiteral("GetPrazoAF"), {world.supplier});
    ASSERT_EQ(first.rows.size(), 1u);
    EXPECT_EQ(value(first, 0, "NRDIASPGTOFO"), host::Value(30.0));
}

TEST_P(HeaderMethodsTest, SupplierWithoutTermsGivesAnEmptyPacket) {
    for (const RemoteValue& supplier : {RemoteValue(kSupplier2), RemoteValue(QStringLiteral("999")), RemoteValue()}) {
        SCOPED_TRACE(supplier.toText().toStdString());
        const host::Packet p = packetOf(QStringLiteral("GetPrazoAF"), {supplier});
        EXPECT_EQ(p.fields.size(), fields::prazoPgFor().size());
        EXPECT_TRUE(p.rows.empty());
    }
}

TEST_P(HeaderMethodsTest, WrongArgumentsAreRefused) {
    const std::vector<std::vector<RemoteValue>> wrong = {
        {}, {world.branch, world.branch}, {1}, {true}, {2.5}};
    for (const char* method : {"GetParCentCmp", "GetPrazoAF"})
        for (size_t i = 0; i < wrong.size(); ++i) {
            SCOPED_TRACE(std::string(method) + " case " + std::to_string(i));
            const host::RpcResponse r = call(QString::fromLatin1(method), wrong[i]);
            EXPECT_FALSE(r.ok);
            EXPECT_FALSE(r.message.isEmpty());
        }
}

// The header's own path: HTTP transport, then CheckResultServ as the client
// reads each answer.
TEST_P(HeaderMethodsTest, OverHttpWithTheResultCheck) {
    addBranch({"0010", "0001", "O", "", true, true});
    afdb::exec(connection(), "UPDATE FILIAL SET CDFILIOPELOG = '0010' WHERE CDFILIAL = :F", {{"F", world.branch}});
    addTerm(world.supplier, 60, 50);
    afdb::exec(connection(), "UPDATE PRAZOPGFOR SET VRPERCPGTOFO = 50 WHERE NRDIASPGTOFO = 30");

    ModuleOverHttp server(*dispatcher, token);
    host::RemoteConnection& conn = server.connection();

    const RemoteValue flags = host::CheckResultServ(conn.call(QStringLiteral("GetParCentCmp"), {world.branch}), true, 3);
    EXPECT_EQ(flags.toText(), QStringLiteral("000"));
    EXPECT_EQ(host::CheckResultServ(conn.call(QStringLiteral("GetParCentCmp"), {world.central}), true, 3).toText(),
              QStringLiteral("011"));
    try {
        host::CheckResultServ(conn.call(QStringLiteral("GetParCentCmp"), {QStringLiteral("9999")}), true, 3);
        ADD_FAILURE() << "an unknown branch passed the result check";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Filial 9999 não cadastrada."));
    }

    const RemoteValue terms = host::CheckResultServ(conn.call(QStringLiteral("GetPrazoAF"), {world.supplier}), true, 0);
    server.stop();
    const host::Packet p = host::decodePacket(terms.packetBytes());
    ASSERT_EQ(p.rows.size(), 2u);
    EXPECT_EQ(value(p, 0, "NRDIASPGTOFO"), host::Value(30.0));
    EXPECT_EQ(value(p, 1, "NRDIASPGTOFO"), host::Value(60.0));
    EXPECT_EQ(value(p, 0, "VRPERCPGTOFO"), host::Value(50.0));
    EXPECT_EQ(value(p, 1, "VRPERCPGTOFO"), host::Value(50.0));
}

AFDB_INSTANTIATE_ON_ENGINES(HeaderMethodsTest);

}  // namespace
}  // namespace platform::server::modules::testing
