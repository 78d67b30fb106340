#include "host/services/session_state.h"

#include "host/data/errors.h"
#include "host/services/consiste.h"

namespace host {
namespace {

// `what` names the code with its article ("o operador", "a filial de processamento").
QString normalisedCode(const QString& code, int width, const QString& what) {
    const QString adjusted = Ajusta(code, width);
    if (adjusted.isEmpty()) throw DataError(QStringLiteral("Sessão sem código para %1.").arg(what));
    if (adjusted.size() > width)
        throw DataError(QStringLiteral("Sessão: o código \"%1\" para %2 tem mais de %3 caracteres.")
                            .arg(code, what).arg(width));
    return adjusted;
}

}  // namespace

SessionState::SessionState(LoginInfo login) : m_login(std::move(login)) {
    m_login.operador = normalisedCode(m_login.operador, 12, QStringLiteral("o operador"));
    m_login.filiProc = normalisedCode(m_login.filiProc, 4, QStringLiteral("a filial de processamento"));
    if (m_login.webPort < 0 || m_login.webPort > 65535)
        throw DataError(QStringLiteral("Sessão: porta do servidor de aplicação inválida (%1).").arg(m_login.webPort));
}

QDate SessionState::DataProc(const QString& branch) const {
    if (!m_dataProc) throw DataError(QStringLiteral("Sessão: nenhuma fonte da data de processamento configurada."));
    const QString code = Ajusta(branch, 4);
    if (code.isEmpty()) throw UserError(QStringLiteral("Filial não informada para obter a data de processamento."));
    const std::optional<QDate> date = m_dataProc(code);
    if (!date || !date->isValid())
        throw UserError(QStringLiteral("Data de processamento da filial %1 não encontrada.").arg(code));
    return *date;
}

QString SessionState::DBPict(int type) const {
    const auto it = m_login.pictures.constFind(type);
    if (it == m_login.pictures.constEnd())
        throw DataError(QStringLiteral("Sessão: picture do tipo %1 não configurada.").arg(type));
    return *it;
}

void SessionState::LoadBPL(const QString& screenCode, const QVariantList& params) {
    if (screenCode.trimmed().isEmpty()) throw DataError(QStringLiteral("LoadBPL: código de tela não informado."));
    if (!m_loadBpl)
        throw DataError(QStringLiteral("Sessão: abertura de telas não configurada; a tela %1 não pôde ser aberta.")
                            .arg(screenCode));
    m_loadBpl(screenCode, params);
}

void SessionState::AtualizaLocalCache(const QStringList& tables, const QStringList& keys, int mode,
                                      const QString& branch) {
    if (!m_refreshCache)
        throw DataError(QStringLiteral("Sessão: cache local não configurado; as tabelas %1 não foram atualizadas.")
                            .arg(tables.join(QStringLiteral(", "))));
    m_refreshCache(tables, keys, mode, branch);
}

void SessionState::setMsgEventForm(QObject* owner, MsgEventHandler handler) {
    m_hook = std::move(handler);
    m_hookOwnerId = m_hook ? owner : nullptr;
    m_hookOwner = m_hook ? owner : nullptr;
}

bool SessionState::clearMsgEventForm(const QObject* owner) {
    if (!m_hook || m_hookOwnerId != owner) return false;
    setMsgEventForm(nullptr, nullptr);
    return true;
}

const QObject* SessionState::msgEventFormOwner() const { return m_hook ? m_hookOwner.data() : nullptr; }

bool SessionState::dispatchMsgEvent(QObject* target, QEvent* event) {
    if (!m_hook) return false;
    if (m_hookOwnerId && !m_hookOwner) {  // its screen is gone: the hook would run on a dead object
        setMsgEventForm(nullptr, nullptr);
        return false;
    }
    // A copy, so the handler may replace or remove the hook while it runs.
    const MsgEventHandler hook = m_hook;
    return hook(target, event);
}

}  // namespace host
