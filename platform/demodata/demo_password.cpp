#include "demo_password.h"

#include <sodium.h>

#include <QtCore/QByteArray>

#include <stdexcept>

namespace afdemo {

namespace {

// What crypto_pwhash_str stores: a 32-byte hash after the 16-byte salt.
constexpr std::size_t kHashBytes = 32;

QByteArray base64(const unsigned char* data, std::size_t size) {
    const int variant = sodium_base64_VARIANT_ORIGINAL_NO_PADDING;
    QByteArray out(qsizetype(sodium_base64_ENCODED_LEN(size, variant)), '\0');
    sodium_bin2base64(out.data(), std::size_t(out.size()), data, size, variant);
    out.truncate(qsizetype(qstrlen(out.constData())));
    return out;
}

}  // namespace

QString demoPasswordHash(const QString& password, std::uint64_t seed) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not be initialised");
    const QByteArray utf8 = password.toUtf8();

    unsigned char salt[crypto_pwhash_SALTBYTES];
    const QByteArray saltInput = "afdemodata-senha:" + QByteArray::number(quint64(seed)) + ':' + utf8;
    crypto_generichash(salt, sizeof salt, reinterpret_cast<const unsigned char*>(saltInput.constData()),
                       std::size_t(saltInput.size()), nullptr, 0);

    unsigned char hash[kHashBytes];
    const unsigned long long ops = crypto_pwhash_OPSLIMIT_INTERACTIVE;
    const std::size_t mem = crypto_pwhash_MEMLIMIT_INTERACTIVE;
    if (crypto_pwhash(hash, sizeof hash, utf8.constData(), quint64(utf8.size()), salt, ops, mem,
                      crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("password hashing failed (out of memory)");

    // The PHC string libsodium writes and reads: memory in KiB, one lane.
    const QByteArray text = "$argon2id$v=19$m=" + QByteArray::number(quint64(mem / 1024)) +
                            ",t=" + QByteArray::number(ops) + ",p=1$" + base64(salt, sizeof salt) + '$' +
                            base64(hash, sizeof hash);
    return QString::fromLatin1(text);
}

}  // namespace afdemo
