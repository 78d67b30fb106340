#include "filtro_af_messages.h"

namespace afdesk {

host::TMessages filtroAFMessages() {
    return host::TMessages(QStringLiteral("msgFiltroAF"),
                           {
                               QStringLiteral("Get_Data|Recebendo AF's do servidor... "),
                               QStringLiteral("N_Forn_Cad|Não há fornecedor cadastrado."),
                               QStringLiteral("N_Comp_Cad|Não há comprador cadastrado."),
                               QStringLiteral("Titulo_Fornecedor|Fornecedor"),
                               QStringLiteral("Titulo_Comprador|Comprador"),
                               QStringLiteral("FilialDest|Filial Destino"),
                               QStringLiteral("AgrupFili_NCAD|Agrupamento de filial não cadastrado."),
                               QStringLiteral("CDFORN_Vazio|Fornecedor deve ser informado."),
                               QStringLiteral("CDCOMP_Vazio|Comprador deve ser informado."),
                               QStringLiteral("FilDest_N_Inf|Filial Destino deve ser informada."),
                               QStringLiteral("Dtini_Af_vazia|Data inicial da AF deve ser informada."),
                               QStringLiteral("Dtfin_Af_vazia|Data final da AF deve ser informada."),
                               QStringLiteral(
                                   "DtIniFinAF_Inv|Data inicial da AF deve ser menor ou igual a data final da AF."),
                               QStringLiteral("Dtini_Entr_vazia|Data de entrega inicial deve ser informada."),
                               QStringLiteral("Dtfin_Entr_vazia|Data de entrega final deve ser informada."),
                               QStringLiteral("DtIniFinEntr_Inv|Data de entrega inicial deve ser menor ou igual a "
                                              "data de entrega final."),
                               QStringLiteral("Situa_AF_Vazia|Situação da AF deve ser informada."),
                               QStringLiteral("Cons_Vazia|Consistência da AF deve ser informada."),
                               QStringLiteral("LimComp_Vazio|Limite do comprador deve ser informado."),
                           });
}

}  // namespace afdesk
