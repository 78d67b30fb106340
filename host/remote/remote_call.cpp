#include "remote_call.h"

namespace host {

RemoteArg byRef(QString& variable) { return RemoteArg(RemoteValue(variable), &variable); }
RemoteArg byRef(DateTime& variable) { return RemoteArg(RemoteValue(variable), &variable); }
RemoteArg byRef(RemoteValue& variable) { return RemoteArg(variable, &variable); }

bool RemoteArg::accepts(const RemoteValue& v) const {
    switch (m_target.index()) {
    case 1: return v.kind() == RemoteKind::Text || v.isNull();
    case 2: return v.kind() == RemoteKind::DateTime;
    case 3: return true;
    default: return false;
    }
}

void RemoteArg::assign(RemoteValue v) const {
    switch (m_target.index()) {
    case 1: *std::get<1>(m_target) = v.toText(); return;
    case 2: *std::get<2>(m_target) = v.dateTime(); return;
    case 3: *std::get<3>(m_target) = std::move(v); return;
    default: return;
    }
}

QString RemoteArg::targetKindName() const {
    switch (m_target.index()) {
    case 1: return remoteKindName(RemoteKind::Text);
    case 2: return remoteKindName(RemoteKind::DateTime);
    case 3: return QStringLiteral("variante");
    default: return QStringLiteral("valor");
    }
}

}  // namespace host
