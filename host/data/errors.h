#pragma once
// The two exception kinds that abandon a user's operation. Handlers throw them;
// every Qt entry point catches them before they reach the event loop.
#include <QtCore/QString>
#include <exception>
#include <string>

namespace host {

// Abandons the current operation silently (no message is shown).
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "operation aborted"; }
};

// Abandons the current operation; the message is shown to the user as an error.
class UserError : public std::exception {
public:
    explicit UserError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString& message() const noexcept { return m_message; }
    // Technical detail for the log (a statement, a driver code); never shown to a user.
    virtual QString detail() const { return {}; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// A misuse of the data API by code (unknown field, wrong state). Also a UserError,
// so an entry point still shows it instead of crashing, but tests can tell it apart.
class DataError : public UserError {
public:
    using UserError::UserError;
};

}  // namespace host
