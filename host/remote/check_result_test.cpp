#include "check_result.h"

#include "host/data/data_packet.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

QByteArray emptyPacket() {
    Packet p;
    p.fields = {FieldDef::string("CDFILIAL", 4)};
    return encodePacket(p);
}

struct Row {
    const char* name;
    bool flag;
    int n;
    RemoteValue answer;
    bool accepted;
    RemoteValue payload;  // when accepted
};

}  // namespace

TEST(CheckResultServ, PayloadKindFollowsFlagAndN) {
    const RemoteValue packet = RemoteValue::packet(emptyPacket());
    const RemoteValue pair(RemoteValue::Array{packet, packet});
    const std::vector<Row> rows = {
        {"packet", true, 0, packet, true, packet},
        {"array of packets", true, 0, pair, true, pair},
        {"boolean answer", true, 0, RemoteValue(true), true, RemoteValue(true)},
        {"text where a packet is due", true, 0, RemoteValue("x"), false, {}},
        {"null where a packet is due", true, 0, RemoteValue(), false, {}},
        {"three flags", true, 3, RemoteValue("101"), true, RemoteValue("101")},
        {"three flags, all zero", true, 3, RemoteValue("000"), true, RemoteValue("000")},
        {"two flags", true, 3, RemoteValue("10"), false, {}},
        {"four flags", true, 3, RemoteValue("1010"), false, {}},
        {"flag other than 0/1", true, 3, RemoteValue("1S0"), false, {}},
        {"flags as a number", true, 3, RemoteValue(101), false, {}},
        {"operator code", true, 12, RemoteValue("COMPRADOR01"), true, RemoteValue("COMPRADOR01")},
        {"no operator code", true, 12, RemoteValue(), true, RemoteValue(QString())},
        {"operator code too long", true, 12, RemoteValue("1234567890123"), false, {}},
        {"operator code as packet", true, 12, packet, false, {}},
        {"text to report", true, 1, RemoteValue("AF reaberta com pendências."), true,
         RemoteValue("AF reaberta com pendências.")},
        {"nothing to report", true, 1, RemoteValue(QString()), true, RemoteValue(QString())},
        {"nothing to report as null", true, 1, RemoteValue(), true, RemoteValue(QString())},
        {"report as array", true, 1, pair, false, {}},
        {"code", false, 2, RemoteValue("C"), true, RemoteValue("C")},
        {"empty code", false, 2, RemoteValue(), true, RemoteValue(QString())},
        {"code as boolean", false, 2, RemoteValue(false), false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RemoteResult result = RemoteResult::success(row.answer);
        if (row.accepted) {
            EXPECT_TRUE(CheckResultServ(result, row.flag, row.n) == row.payload);
            continue;
        }
        try {
            CheckResultServ(result, row.flag, row.n);
            ADD_FAILURE() << "accepted";
        } catch (const DataError&) {
            ADD_FAILURE() << "a wrong answer is the server's fault, not a programming error";
        } catch (const UserError& e) {
            EXPECT_TRUE(
                e.message().startsWith(QStringLiteral("Resposta inesperada do servidor de aplicação: esperado ")))
                << e.message().toStdString();
        }
    }
}

TEST(CheckResultServ, FailureRaisesTheServerMessageForEveryCombination) {
    const RemoteResult failed = RemoteResult::failure(QStringLiteral("AF já encerrada."));
    for (auto [flag, n] : std::vector<std::pair<bool, int>>{{true, 0}, {true, 3}, {true, 12}, {true, 1}, {false, 2}}) {
        try {
            CheckResultServ(failed, flag, n);
            ADD_FAILURE() << flag << "," << n << " did not raise";
        } catch (const UserError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("AF já encerrada."));
        }
    }
    try {
        CheckResultServ(RemoteResult::failure(QString()), true, 0);
        ADD_FAILURE() << "did not raise";
    } catch (const UserError& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
}

TEST(CheckResultServ, UnknownCombinationIsAProgrammingError) {
    const RemoteResult ok = RemoteResult::success(RemoteValue("x"));
    EXPECT_THROW(CheckResultServ(ok, false, 0), DataError);
    EXPECT_THROW(CheckResultServ(ok, true, 2), DataError);
}

TEST(ResultText, RendersScalarsAndRaisesOnFailure) {
    EXPECT_EQ(resultText(RemoteResult::success(RemoteValue("linha1\r\nlinha2"))), QStringLiteral("linha1\r\nlinha2"));
    EXPECT_EQ(resultText(RemoteResult::success(RemoteValue())), QString());
    EXPECT_EQ(resultText(RemoteResult::success(RemoteValue(42))), QStringLiteral("42"));
    EXPECT_EQ(resultText(RemoteResult::success(RemoteValue(true))), QStringLiteral("True"));
    EXPECT_THROW(resultText(RemoteResult::success(RemoteValue::packet(emptyPacket()))), UserError);
    EXPECT_THROW(resultText(RemoteResult::failure(QStringLiteral("ERRO"))), UserError);
}
