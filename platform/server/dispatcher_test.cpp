#include "dispatcher.h"

#include "testing/test_server.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

using namespace platform::server;
using namespace platform::server::testing;
using host::RemoteValue;

TEST(Dispatcher, UnreadableBodiesAreFailuresFlaggedAsBadRequests) {
    TestServer server;
    for (const QByteArray& body : {QByteArray(), QByteArray("\xff\xff"), QByteArray(100, '\xa8')}) {
        bool bad = false;
        const host::RpcResponse r = host::decodeResponse(server.dispatcher.handle(body, &bad));
        EXPECT_TRUE(bad);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("Requisição inválida: "))) << r.message.toStdString();
    }
    host::RpcRequest ok{QString::fromLatin1(kEchoModule), QStringLiteral("QuemSou"), server.anaToken(), {}, {}};
    bool bad = true;
    const host::RpcResponse r = host::decodeResponse(server.dispatcher.handle(host::encodeRequest(ok), &bad));
    EXPECT_FALSE(bad);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
}

TEST(Dispatcher, ByReferenceValuesComeBackInArgumentOrder) {
    TestServer server;
    host::RpcRequest req{QString::fromLatin1(kEchoModule), QStringLiteral("Referencias"), server.anaToken(),
                         {RemoteValue("a"), RemoteValue(), RemoteValue(7), RemoteValue("b")}, {0, 1, 2}};
    const host::RpcResponse r = server.dispatcher.dispatch(req);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    ASSERT_EQ(r.byRef.size(), 3u);
    EXPECT_EQ(r.byRef[0].text(), QStringLiteral("A!"));
    EXPECT_TRUE(r.byRef[1].isNull());
    EXPECT_TRUE(r.byRef[2] == RemoteValue(RemoteValue::Array{RemoteValue(7), RemoteValue("b")}));
}
