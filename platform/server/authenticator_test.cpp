#include "authenticator.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "platform/security/password_hash.h"

#include <QtCore/QElapsedTimer>
#include <gtest/gtest.h>
#include <sodium.h>

#include <map>

using namespace platform::server;

namespace {

class MemoryStore : public CredentialStore {
public:
    std::map<QString, OperatorCredential> rows;
    int writes = 0;

    std::optional<OperatorCredential> find(const QString& code) override {
        const auto it = rows.find(code);
        if (it == rows.end()) return std::nullopt;
        return it->second;
    }
    void setPasswordHash(const QString& code, const QString& hash) override {
        rows.at(code).passwordHash = hash;
        ++writes;
    }
};

// A hash made with weaker limits than today's, as an older version would have stored.
QString weakHash(const char* password) {
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password, strlen(password), crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN) != 0)
        throw std::runtime_error("hash");
    return QString::fromLatin1(out);
}

qint64 refusalMillis(Authenticator& auth, const QString& op, const QString& password) {
    QElapsedTimer t;
    t.start();
    try {
        auth.login(op, password);
        ADD_FAILURE() << "accepted " << op.toStdString();
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Operador ou senha inválidos."));
    }
    return t.elapsed();
}

}  // namespace

TEST(Authenticator, RefusalsWaitTheFailureDelayWhateverTheCause) {
    MemoryStore store;
    store.rows[QStringLiteral("ANA")] = {QStringLiteral("ANA"), QStringLiteral("Ana"), weakHash("segredo")};
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(150), 2});
    EXPECT_GE(refusalMillis(auth, QStringLiteral("ANA"), QStringLiteral("errada")), 150);
    EXPECT_GE(refusalMillis(auth, QStringLiteral("NINGUEM"), QStringLiteral("segredo")), 150);
    EXPECT_GE(refusalMillis(auth, QString(), QStringLiteral("segredo")), 150);
    EXPECT_EQ(sessions.size(), 0);
}

// An operator no longer active is refused like any other failure, even with the right password.
TEST(Authenticator, AnInactiveOperatorIsRefused) {
    MemoryStore store;
    store.rows[QStringLiteral("ANA")] = {QStringLiteral("ANA"), QStringLiteral("Ana"), weakHash("segredo"), false};
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(50), 2});
    EXPECT_GE(refusalMillis(auth, QStringLiteral("ANA"), QStringLiteral("segredo")), 50);
    EXPECT_EQ(sessions.size(), 0);
    store.rows[QStringLiteral("ANA")].active = true;
    EXPECT_NO_THROW(auth.login(QStringLiteral("ANA"), QStringLiteral("segredo")));
    EXPECT_EQ(sessions.size(), 1);
}

TEST(Authenticator, LoginUpgradesAnOutdatedHash) {
    MemoryStore store;
    const QString old = weakHash("segredo");
    ASSERT_TRUE(platform::security::needsRehash(old));
    store.rows[QStringLiteral("ANA")] = {QStringLiteral("ANA"), QStringLiteral("Ana"), old};
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(0), 2});

    const host::RemoteValue result = auth.login(QStringLiteral("ANA"), QStringLiteral("segredo"));
    EXPECT_EQ(result.array()[1].text(), QStringLiteral("ANA"));
    EXPECT_EQ(sessions.size(), 1);
    EXPECT_EQ(store.writes, 1);
    const QString upgraded = store.rows[QStringLiteral("ANA")].passwordHash;
    EXPECT_FALSE(platform::security::needsRehash(upgraded));
    EXPECT_TRUE(platform::security::verifyPassword(QStringLiteral("segredo"), upgraded));

    auth.login(QStringLiteral("ANA"), QStringLiteral("segredo"));
    EXPECT_EQ(store.writes, 1);  // current hashes stay as they are
}
