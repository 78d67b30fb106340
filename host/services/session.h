#pragma once
// The logged-in session as the screens see it: who works, in which branch, on
// which business date, where the application server is, plus the few session
// services that reach back into the shell (opening another screen, refreshing
// the local cache) and the application-wide message hook.
#include <QtCore/QDate>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariantList>
#include <functional>
#include <memory>

class QEvent;
class QObject;

namespace host {

// Picture type of the product tree code (`DBPict(0)`).
constexpr int kPictProduto = 0;

// Called by the host for every keyboard/window event of the application.
// Returns true when it consumed the event (the host then drops it).
using MsgEventHandler = std::function<bool(QObject* target, QEvent* event)>;

class Session {
public:
    virtual ~Session() = default;

    // Operator code, always 12 characters in the host's code convention (`Ajusta`).
    virtual QString Operador() const = 0;
    virtual QString NomeOperador() const = 0;
    // Working branch, always 4 characters.
    virtual QString FiliProc() const = 0;
    virtual QString NomeFiliProc() const = 0;
    // Business date of a branch, read from the database, never from the clock.
    // Throws UserError when the branch has none.
    virtual QDate DataProc(const QString& branch) const = 0;
    // True when the session works on its one branch only.
    virtual bool ModuFili() const = 0;
    virtual QString WebURL() const = 0;
    virtual int WebPort() const = 0;
    // Edit mask (classic mask syntax, see edit_mask.h) of a coded field type.
    // Throws DataError for a type the session does not know.
    virtual QString DBPict(int type) const = 0;
    virtual QString ReportDir() const = 0;

    // Opens another host screen by its code ("CMP06000") with positional parameters.
    virtual void LoadBPL(const QString& screenCode, const QVariantList& params) = 0;
    // Refreshes the host's local copy of the named tables. `keys` narrows the
    // refresh to those key values (empty: every row), `mode` 0 reloads only what
    // changed since the last refresh and 1 reloads everything, `branch` narrows it
    // to one branch's rows (empty: all branches).
    virtual void AtualizaLocalCache(const QStringList& tables, const QStringList& keys, int mode,
                                    const QString& branch) = 0;

    // `MsgEventForm`: one handler at a time. Installing replaces whatever was
    // there; clearing by owner removes it only when that owner installed it, so a
    // screen cannot remove another's hook. A hook whose owner was destroyed is
    // never called again.
    virtual void setMsgEventForm(QObject* owner, MsgEventHandler handler) = 0;
    virtual bool clearMsgEventForm(const QObject* owner) = 0;
    virtual const QObject* msgEventFormOwner() const = 0;
    // The host's side: passes one event to the installed hook, if any.
    virtual bool dispatchMsgEvent(QObject* target, QEvent* event) = 0;
};

// The session in use; the shell installs it at login, tests install a test session.
// Throws DataError when none is installed.
Session& session();
void setSession(std::shared_ptr<Session> session);

}  // namespace host
