#include "session_manager.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <gtest/gtest.h>

using namespace platform::server;
using Status = SessionManager::Status;

namespace {

struct ManualClock {
    std::chrono::steady_clock::time_point now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    SessionManager::Clock fn() {
        return [this] { return now; };
    }
};

}  // namespace

TEST(SessionManager, TokensAreLongRandomHex) {
    SessionManager sessions;
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString token = sessions.open({QStringLiteral("ANA"), QStringLiteral("Ana")});
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{64}$")).match(token).hasMatch())
            << token.toStdString();
        seen.insert(token);
    }
    EXPECT_EQ(seen.size(), 200);
}

TEST(SessionManager, LookupGivesTheOperatorAndTellsMissingUnknownAndExpiredApart) {
    ManualClock clock;
    SessionManager sessions(SessionOptions{std::chrono::minutes(10), 100}, clock.fn());
    const QString token = sessions.open({QStringLiteral("ANA"), QStringLiteral("Ana Souza")});

    SessionInfo info;
    EXPECT_EQ(sessions.touch(token, &info), Status::Valid);
    EXPECT_EQ(info.operatorCode, QStringLiteral("ANA"));
    EXPECT_EQ(info.operatorName, QStringLiteral("Ana Souza"));
    EXPECT_EQ(sessions.touch(QString(), nullptr), Status::Missing);
    EXPECT_EQ(sessions.touch(token.toUpper(), nullptr), Status::Unknown);
    EXPECT_EQ(sessions.touch(token.left(63), nullptr), Status::Unknown);

    clock.now += std::chrono::minutes(9);
    EXPECT_EQ(sessions.touch(token, nullptr), Status::Valid);  // restarts the idle time
    clock.now += std::chrono::minutes(9);
    EXPECT_EQ(sessions.touch(token, nullptr), Status::Valid);
    clock.now += std::chrono::minutes(10);
    EXPECT_EQ(sessions.touch(token, nullptr), Status::Expired);
    EXPECT_EQ(sessions.touch(token, nullptr), Status::Unknown);
    EXPECT_EQ(sessions.size(), 0);
}

TEST(SessionManager, CloseEndsOnlyThatSession) {
    SessionManager sessions;
    const QString a = sessions.open({QStringLiteral("ANA"), {}});
    const QString b = sessions.open({QStringLiteral("ANA"), {}});
    EXPECT_TRUE(sessions.close(a));
    EXPECT_FALSE(sessions.close(a));
    EXPECT_EQ(sessions.touch(a, nullptr), Status::Unknown);
    EXPECT_EQ(sessions.touch(b, nullptr), Status::Valid);
}

TEST(SessionManager, FullTableMakesRoomFromExpiredSessionsOrRefuses) {
    ManualClock clock;
    SessionManager sessions(SessionOptions{std::chrono::minutes(10), 2}, clock.fn());
    sessions.open({QStringLiteral("A"), {}});
    clock.now += std::chrono::minutes(5);
    const QString recent = sessions.open({QStringLiteral("B"), {}});
    EXPECT_THROW(sessions.open({QStringLiteral("C"), {}}), host::UserError);
    clock.now += std::chrono::minutes(6);  // the first has expired, the second not
    EXPECT_NO_THROW(sessions.open({QStringLiteral("C"), {}}));
    EXPECT_EQ(sessions.touch(recent, nullptr), Status::Valid);
    EXPECT_EQ(sessions.size(), 2);
}
