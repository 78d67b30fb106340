#include "password_hash.h"

#include <gtest/gtest.h>

using namespace platform::security;

TEST(PasswordHash, VerifiesOnlyTheRightPassword) {
    const QString hash = hashPassword(QStringLiteral("Senha forte ç 123"));
    EXPECT_TRUE(hash.startsWith(QStringLiteral("$argon2id$"))) << hash.toStdString();
    EXPECT_TRUE(verifyPassword(QStringLiteral("Senha forte ç 123"), hash));
    EXPECT_FALSE(verifyPassword(QStringLiteral("Senha forte c 123"), hash));
    EXPECT_FALSE(verifyPassword(QString(), hash));
    EXPECT_FALSE(needsRehash(hash));
}

TEST(PasswordHash, SamePasswordGetsAFreshSalt) {
    EXPECT_NE(hashPassword(QStringLiteral("x")), hashPassword(QStringLiteral("x")));
}

TEST(PasswordHash, StoredValuesThatAreNotHashesNeverVerify) {
    const QString hash = hashPassword(QStringLiteral("abc"));
    for (const QString& stored : {QString(), QStringLiteral("abc"), hash.left(hash.size() - 4),
                                  QString(hash).replace(QStringLiteral("argon2id"), QStringLiteral("argon2xx")),
                                  hash + QString(200, QLatin1Char('A'))}) {
        EXPECT_FALSE(verifyPassword(QStringLiteral("abc"), stored)) << stored.toStdString();
        EXPECT_TRUE(needsRehash(stored)) << stored.toStdString();
    }
}
