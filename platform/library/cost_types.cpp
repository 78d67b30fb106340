#include "cost_types.h"

#include "host/data/data_packet.h"
#include "host/data/errors.h"
#include "host/remote/check_result.h"
#include "host/remote/remote_connection.h"
#include "host/services/progress.h"

namespace platform::library {

namespace {

[[noreturn]] void unexpectedAnswer(const QString& detail) {
    throw host::UserError(
        QStringLiteral("Resposta inesperada do servidor de aplicação ao ler os tipos de custo: %1.").arg(detail));
}

int columnOf(const host::Packet& p, const char* name, host::FieldType type) {
    for (size_t i = 0; i < p.fields.size(); ++i)
        if (p.fields[i].name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            if (p.fields[i].type != type) unexpectedAnswer(QStringLiteral("%1 de tipo errado").arg(name));
            return int(i);
        }
    unexpectedAnswer(QStringLiteral("falta a coluna %1").arg(name));
}

}  // namespace

QStringList CostTypes::load(host::RemoteConnection& custos) {
    host::RemoteValue answer;
    {
        host::ProgressGuard busy(nullptr, host::kAviTransfer, QStringLiteral("Lendo os tipos de custo..."));
        answer = host::CheckResultServ(custos.call(host::names::custProd::GetTipoCusto), true, 0);
    }
    if (answer.kind() != host::RemoteKind::Packet) unexpectedAnswer(host::describe(answer));
    const host::Packet packet = host::decodePacket(answer.packetBytes());
    const int numberColumn = columnOf(packet, "NRTIPOCUSTO", host::FieldType::Integer);
    const int nameColumn = columnOf(packet, "NMTIPOCUSTO", host::FieldType::String);

    std::vector<Type> types;
    QStringList names;
    for (const host::PacketRow& row : packet.rows) {
        const qint64* number = std::get_if<qint64>(&row.values[size_t(numberColumn)]);
        if (!number) unexpectedAnswer(QStringLiteral("tipo de custo sem número"));
        const QString* name = std::get_if<QString>(&row.values[size_t(nameColumn)]);
        types.push_back({int(*number), name ? *name : QString()});
        names << types.back().name;
    }
    m_types = std::move(types);
    m_loaded = true;
    return names;
}

int CostTypes::number(int index) const {
    if (!m_loaded)
        throw host::DataError(QStringLiteral("NumeroTipoCusto: a lista de tipos de custo ainda não foi lida."));
    if (index == -1) {
        if (m_types.empty()) throw host::UserError(QStringLiteral("Não há tipo de custo cadastrado."));
        throw host::UserError(QStringLiteral("Tipo de custo deve ser informado."));
    }
    if (index < 0 || index >= int(m_types.size()))
        throw host::DataError(QStringLiteral("NumeroTipoCusto: índice %1 fora da lista de %2 tipos de custo.")
                                  .arg(index)
                                  .arg(m_types.size()));
    return m_types[size_t(index)].number;
}

}  // namespace platform::library
