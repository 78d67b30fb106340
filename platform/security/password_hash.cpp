#include "password_hash.h"

#include <sodium.h>

#include <QtCore/QByteArray>
#include <stdexcept>

namespace platform::security {

namespace {

constexpr qsizetype kTagBase64Length = 43;

void ensureSodium() {
    // Thread-safe and idempotent: returns 1 once already initialised.
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not be initialised");
}

}  // namespace

QString hashPassword(const QString& password) {
    ensureSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), quint64(utf8.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("password hashing failed (out of memory)");
    return QString::fromLatin1(out);
}

bool verifyPassword(const QString& password, const QString& storedHash) {
    ensureSodium();
    const QByteArray hash = storedHash.toLatin1();
    // The stored form is a NUL-terminated string of at most STRBYTES - 1 characters.
    if (hash.isEmpty() || hash.size() >= qsizetype(crypto_pwhash_STRBYTES) || hash.contains('\0')) return false;
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(), quint64(utf8.size())) == 0;
}

bool needsRehash(const QString& storedHash) {
    ensureSodium();
    const QByteArray hash = storedHash.toLatin1();
    if (hash.isEmpty() || hash.size() >= qsizetype(crypto_pwhash_STRBYTES)) return true;
    // Ours always carry a 32-byte tag (43 base64 characters after the last '$');
    // a shorter or longer one is well-formed but not what we store today.
    if (hash.size() - hash.lastIndexOf('$') - 1 != kTagBase64Length) return true;
    return crypto_pwhash_str_needs_rehash(hash.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0;
}

}  // namespace platform::security
