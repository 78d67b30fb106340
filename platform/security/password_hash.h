#pragma once
// Operator passwords are stored only as Argon2id hashes in the self-describing
// text form ("$argon2id$v=19$m=...,t=...,p=...$salt$hash"), so the cost can be
// raised later and old hashes still verify.
#include <QtCore/QString>

namespace platform::security {

// Hashes with libsodium's interactive limits and a fresh random salt. Throws
// std::runtime_error when the hash cannot be computed (out of memory).
QString hashPassword(const QString& password);

// True when the password matches the stored hash; false for a wrong password
// and for anything that is not a hash this program can read.
bool verifyPassword(const QString& password, const QString& storedHash);

// True when the stored hash was made with other limits than today's and should
// be replaced at the next successful login.
bool needsRehash(const QString& storedHash);

}  // namespace platform::security
