#pragma once
// Argon2id hashes for the demo logins, in the same self-describing form and with
// the same limits as platform::security::hashPassword, so they verify at login
// and are not flagged for rehashing. The salt is derived from the password and
// the demo seed instead of drawn at random: the demo passwords are published in
// docs/demo-data.md anyway, and a derived salt keeps the demo database identical
// from run to run. Never use this for a real operator's password.
#include <QtCore/QString>

#include <cstdint>

namespace afdemo {

QString demoPasswordHash(const QString& password, std::uint64_t seed);

}  // namespace afdemo
