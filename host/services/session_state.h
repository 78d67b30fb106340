#pragma once
// The session the shell fills at login. Identity, branch and server address are
// fixed for the session's life; the business date and the services that reach
// back into the shell are answered by callbacks the shell sets, so the date
// always comes from the database and never from the clock.
#include "host/services/session.h"

#include <QtCore/QMap>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <optional>

namespace host {

struct LoginInfo {
    QString operador;      // brought to 12 characters (`Ajusta`)
    QString nomeOperador;
    QString filiProc;      // brought to 4 characters (`Ajusta`)
    QString nomeFiliProc;
    bool moduFili = false;
    QString webUrl;        // empty when the server runs in process
    int webPort = 0;
    QString reportDir;
    QMap<int, QString> pictures;  // `DBPict` masks by picture type
};

class SessionState : public Session {
public:
    // Branch -> business date; nullopt when the branch has none.
    using DataProcProvider = std::function<std::optional<QDate>(const QString& branch)>;
    using LoadBplHandler = std::function<void(const QString& screenCode, const QVariantList& params)>;
    using CacheRefresher = std::function<void(const QStringList& tables, const QStringList& keys, int mode,
                                              const QString& branch)>;

    // Normalises the codes; refuses (DataError) an empty or oversized operator or
    // branch code and a port outside 0..65535.
    explicit SessionState(LoginInfo login);

    void setDataProcProvider(DataProcProvider provider) { m_dataProc = std::move(provider); }
    void setLoadBplHandler(LoadBplHandler handler) { m_loadBpl = std::move(handler); }
    void setCacheRefresher(CacheRefresher refresher) { m_refreshCache = std::move(refresher); }
    const LoginInfo& login() const { return m_login; }

    QString Operador() const override { return m_login.operador; }
    QString NomeOperador() const override { return m_login.nomeOperador; }
    QString FiliProc() const override { return m_login.filiProc; }
    QString NomeFiliProc() const override { return m_login.nomeFiliProc; }
    QDate DataProc(const QString& branch) const override;
    bool ModuFili() const override { return m_login.moduFili; }
    QString WebURL() const override { return m_login.webUrl; }
    int WebPort() const override { return m_login.webPort; }
    QString DBPict(int type) const override;
    QString ReportDir() const override { return m_login.reportDir; }

    void LoadBPL(const QString& screenCode, const QVariantList& params) override;
    void AtualizaLocalCache(const QStringList& tables, const QStringList& keys, int mode,
                            const QString& branch) override;

    void setMsgEventForm(QObject* owner, MsgEventHandler handler) override;
    bool clearMsgEventForm(const QObject* owner) override;
    const QObject* msgEventFormOwner() const override;
    bool dispatchMsgEvent(QObject* target, QEvent* event) override;

private:
    LoginInfo m_login;
    DataProcProvider m_dataProc;
    LoadBplHandler m_loadBpl;
    CacheRefresher m_refreshCache;

    MsgEventHandler m_hook;
    const QObject* m_hookOwnerId = nullptr;  // identity, still comparable after the owner died
    QPointer<QObject> m_hookOwner;           // becomes null when the owner is destroyed
};

}  // namespace host
