#include "cust_prod_module.h"

#include "platform/server/modules/common/packet_query.h"

#include "platform/server/call_context.h"

#include "host/remote/remote_names.h"

namespace platform::server::modules {

namespace {

Fields costTypeFields() {
    return {host::FieldDef::integer(QStringLiteral("NRTIPOCUSTO"), QStringLiteral("Número")),
            host::FieldDef::string(QStringLiteral("NMTIPOCUSTO"), 40, QStringLiteral("Tipo de Custo"))};
}

// The table's numbers give the order in which the types are offered.
host::RemoteValue getTipoCusto(CallContext& ctx) {
    return host::RemoteValue::packet(
        queryPacket(ctx.database(), costTypeFields(),
                    QStringLiteral("SELECT NRTIPOCUSTO, NMTIPOCUSTO FROM TIPOCUSTO ORDER BY NRTIPOCUSTO")));
}

}  // namespace

void registerCustProd(ModuleRegistry& registry) {
    registry.add(host::names::custProd::module)
        .method(host::names::custProd::GetTipoCusto, {}, ResultKind::Packet, getTipoCusto);
}

}  // namespace platform::server::modules
