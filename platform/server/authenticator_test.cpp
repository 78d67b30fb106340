#include "authenticator.h"
#include "testing/gate.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "platform/security/password_hash.h"

#include <QtCore/QElapsedTimer>
#include <gtest/gtest.h>
#include <sodium.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

using namespace platform::server;

namespace {

class MemoryStore : public CredentialStore {
public:
    std::map<QString, OperatorCredential> rows;
    int writes = 0;
    std::atomic<int> finds{0};

    std::optional<OperatorCredential> find(const QString& code) override {
        ++finds;
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

// A store whose lookups wait at a gate while it is closed: a login held
// there keeps its verification slot.
class GatedStore : public MemoryStore {
public:
    std::optional<OperatorCredential> find(const QString& code) override {
        gate.pass();
        return MemoryStore::find(code);
    }
    platform::server::testing::Gate gate;
};

ThrottleLimits strict(int freeFailures, int lockoutAfter) {
    ThrottleLimits l;
    l.freeFailures = freeFailures;
    l.lockoutAfter = lockoutAfter;
    return l;
}

ThrottleLimits lenient() { return strict(1000, 1000); }

// The message of a login, or "ok".
QString loginOutcome(Authenticator& auth, const char* op, const char* password, const QString& address = {}) {
    try {
        auth.login(QString::fromLatin1(op), QString::fromLatin1(password), AttemptOrigin{address, {}, {}});
        return QStringLiteral("ok");
    } catch (const host::UserError& e) {
        return e.message();
    }
}

void addOperators(MemoryStore& store) {
    store.rows[QStringLiteral("ANA")] = {QStringLiteral("ANA"), QStringLiteral("Ana"), weakHash("segredo")};
    store.rows[QStringLiteral("BETO")] = {QStringLiteral("BETO"), QStringLiteral("Beto"), weakHash("outra")};
}

const QString kInvalid = QStringLiteral("Operador ou senha inválidos.");
const QString kTooMany = QStringLiteral("Muitas tentativas de acesso sem sucesso. Tente novamente em alguns minutos.");
const QString kBusy = QStringLiteral("Servidor ocupado. Tente novamente em instantes.");

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

// A locked operator is refused before its password is looked at, and whether
// it exists changes nothing in what a guesser sees.
TEST(Authenticator, ALockedOperatorIsRefusedUncheckedKnownOrNot) {
    MemoryStore store;
    addOperators(store);
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(0), 2, strict(1, 3), lenient()});
    const QStringList expected = {kInvalid, kInvalid, kInvalid, kTooMany, kTooMany};
    for (const char* op : {"ANA", "NINGUEM"}) {
        QStringList seen;
        for (int i = 0; i < 5; ++i) seen << loginOutcome(auth, op, "errada");
        EXPECT_EQ(seen, expected) << op;
    }
    const int finds = store.finds;
    EXPECT_EQ(loginOutcome(auth, "ANA", "segredo"), kTooMany);  // even the right password
    EXPECT_EQ(loginOutcome(auth, " ana ", "segredo"), kTooMany);  // however it is spelt
    EXPECT_EQ(store.finds, finds);
    EXPECT_EQ(sessions.size(), 0);
    EXPECT_EQ(loginOutcome(auth, "BETO", "outra"), QStringLiteral("ok"));  // others are not touched
}

TEST(Authenticator, ASuccessEndsTheOperatorsStreak) {
    MemoryStore store;
    addOperators(store);
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(0), 2, strict(1, 3), lenient()});
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(loginOutcome(auth, "ANA", "errada"), kInvalid);
        EXPECT_EQ(loginOutcome(auth, "ANA", "errada"), kInvalid);
        EXPECT_EQ(loginOutcome(auth, "ANA", "segredo"), QStringLiteral("ok")) << round;
    }
}

TEST(Authenticator, AnAddressWithTooManyFailuresIsRefusedWhateverTheOperator) {
    MemoryStore store;
    addOperators(store);
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(0), 2, lenient(), strict(1, 4)});
    const QString guesser = QStringLiteral("10.0.0.1");
    for (const char* op : {"X1", "X2", "X3", "X4"}) EXPECT_EQ(loginOutcome(auth, op, "x", guesser), kInvalid);
    EXPECT_EQ(loginOutcome(auth, "ANA", "segredo", guesser), kTooMany);
    EXPECT_EQ(loginOutcome(auth, "ANA", "segredo", QStringLiteral("10.0.0.2")), QStringLiteral("ok"));
    // In process there is no address to count.
    for (const char* op : {"Y1", "Y2", "Y3", "Y4", "Y5"}) EXPECT_EQ(loginOutcome(auth, op, "x"), kInvalid);
}

// With every slot taken a login is answered at once, not queued; an attempt
// from a key with failures may not take the last slot, which stays for a
// clean login.
TEST(Authenticator, NoFreeSlotAnswersBusyAndTheLastSlotIsKeptForCleanAttempts) {
    GatedStore store;
    addOperators(store);
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(0), 2, lenient(), lenient()});
    const QString suspect = QStringLiteral("10.0.0.9");
    ASSERT_EQ(loginOutcome(auth, "BETO", "errada", suspect), kInvalid);

    store.gate.setOpen(false);
    QString held;
    std::thread first([&] { held = loginOutcome(auth, "BETO", "outra", suspect); });
    store.gate.waitUntilHeld(1);
    EXPECT_EQ(loginOutcome(auth, "X", "x", suspect), kBusy);  // one slot left: not for a suspect
    QString clean;
    std::thread second([&] { clean = loginOutcome(auth, "ANA", "segredo", QStringLiteral("10.0.0.10")); });
    store.gate.waitUntilHeld(2);
    EXPECT_EQ(loginOutcome(auth, "ANA", "segredo", QStringLiteral("10.0.0.11")), kBusy);  // none left
    store.gate.setOpen(true);
    first.join();
    second.join();
    EXPECT_EQ(held, QStringLiteral("ok"));
    EXPECT_EQ(clean, QStringLiteral("ok"));
    EXPECT_EQ(loginOutcome(auth, "ANA", "segredo", QStringLiteral("10.0.0.11")), QStringLiteral("ok"));
}

TEST(Authenticator, PasswordConfirmationsAreCountedPerSession) {
    MemoryStore store;
    addOperators(store);
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(0), 2, strict(1, 3), lenient()});
    const AttemptOrigin first{{}, QStringLiteral("token-1"), {}};
    const AttemptOrigin second{{}, QStringLiteral("token-2"), {}};
    for (const char* op : {"X1", "X2", "X3"})
        EXPECT_FALSE(auth.confirmPassword(QString::fromLatin1(op), QStringLiteral("x"), QStringLiteral("ANA"), first));
    try {
        auth.confirmPassword(QStringLiteral("BETO"), QStringLiteral("outra"), QStringLiteral("ANA"), first);
        ADD_FAILURE() << "confirmed from a locked session";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), kTooMany);
    }
    EXPECT_TRUE(auth.confirmPassword(QStringLiteral("BETO"), QStringLiteral("outra"), QStringLiteral("ANA"), second));
}

// The refusal's delay goes to whoever can hold the answer, and the call
// itself returns without waiting.
TEST(Authenticator, TheRefusalDelayIsHandedToTheTransportWhenItCanHoldTheAnswer) {
    MemoryStore store;
    addOperators(store);
    SessionManager sessions;
    Authenticator auth(store, sessions, AuthOptions{std::chrono::milliseconds(60'000), 2});
    std::chrono::steady_clock::time_point held{};
    const auto before = std::chrono::steady_clock::now();
    EXPECT_THROW(auth.login(QStringLiteral("ANA"), QStringLiteral("errada"),
                            AttemptOrigin{QStringLiteral("10.0.0.3"), {}, [&](auto t) { held = t; }}),
                 host::UserError);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(30));
    EXPECT_GE(held - before, std::chrono::seconds(60));
}
