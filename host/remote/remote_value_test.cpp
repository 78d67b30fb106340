#include "remote_call.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace host;

TEST(RemoteValue, LiteralsTakeTheirNaturalKind) {
    EXPECT_EQ(RemoteValue("texto").kind(), RemoteKind::Text);  // never a boolean
    EXPECT_EQ(RemoteValue(7).kind(), RemoteKind::Integer);
    EXPECT_EQ(RemoteValue(qint64(7)).kind(), RemoteKind::Integer);
    EXPECT_EQ(RemoteValue(7.5).kind(), RemoteKind::Float);
    EXPECT_EQ(RemoteValue(false).kind(), RemoteKind::Boolean);
    EXPECT_EQ(RemoteValue(DateTime{}).kind(), RemoteKind::DateTime);
    EXPECT_EQ(RemoteValue(nullptr).kind(), RemoteKind::Null);
    EXPECT_EQ(RemoteValue::packet("x").kind(), RemoteKind::Packet);
    EXPECT_FALSE(RemoteValue("x") == RemoteValue::packet("x"));
}

TEST(RemoteValue, WrongKindReadsNameBothKinds) {
    try {
        RemoteValue(5).text();
        ADD_FAILURE() << "read";
    } catch (const DataError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Valor remoto: esperado texto, encontrado inteiro"));
    }
    EXPECT_THROW(RemoteValue("x").packetBytes(), DataError);
    EXPECT_THROW(RemoteValue().array(), DataError);
    EXPECT_EQ(RemoteValue(3).number(), 3.0);
    EXPECT_EQ(RemoteValue().toText(), QString());
    EXPECT_THROW(RemoteValue(1.5).toText(), DataError);
}

TEST(RemoteValue, FromDatasetValue) {
    EXPECT_TRUE(RemoteValue::fromValue(Value()).isNull());
    EXPECT_EQ(RemoteValue::fromValue(Value(QStringLiteral("0001"))).text(), QStringLiteral("0001"));
    EXPECT_EQ(RemoteValue::fromValue(Value(2.5)).number(), 2.5);
    EXPECT_EQ(RemoteValue::fromValue(Value(qint64(9))).integer(), 9);
    EXPECT_TRUE(RemoteValue::fromValue(Value(true)).boolean());
    EXPECT_EQ(RemoteValue::fromValue(Value(DateTime{42})).dateTime().msecs, 42);
}

TEST(RemoteArg, ByValueAndByReference) {
    QString s = QStringLiteral("a");
    const RemoteArg byValue = s;
    const RemoteArg reference = byRef(s);
    EXPECT_FALSE(byValue.isByRef());
    EXPECT_TRUE(reference.isByRef());
    EXPECT_EQ(reference.value().text(), QStringLiteral("a"));
    EXPECT_TRUE(reference.accepts(RemoteValue()));
    EXPECT_FALSE(reference.accepts(RemoteValue(1)));
    reference.assign(RemoteValue("b"));
    EXPECT_EQ(s, QStringLiteral("b"));
}
