#include "afdesk/core/header/header_messages.h"

namespace afdesk {

QStringList headerMessageLines() {
    return {
        // Destination branch and date.
        QStringLiteral("FilialVazia|Filial destino deve ser informada."),
        QStringLiteral("FILIAL_INVALID|Filial não cadastrada."),
        QStringLiteral("FilCentCmp_Inf|Filial não possui central de compras."),
        QStringLiteral("FilParCmpSup_Inf|Filial não possui parametrização de compras e suprimentos."),
        QStringLiteral("Dt_Lanc_Deve|Data de lançamento deve ser informada."),
        QStringLiteral("DTPROC|Data de lançamento deve ser igual a data de processamento."),
        QStringLiteral("DTPROC_MES|Mês de lançamento deve ser menor ou igual o mês de processamento."),
        // Buyer and the operator's rights over it.
        QStringLiteral("CDCOMP_Vazio|Comprador deve ser informado."),
        QStringLiteral("CDCOMP_N_EXISTE|Comprador não cadastrado."),
        QStringLiteral("Oper_N_Relac|Operador não relacionado ao comprador."),
        QStringLiteral("Oper_Relac_I_Aut|Operador não autorizado a incluir AF's deste comprador."),
        QStringLiteral("Conf_senh_Comp|Confere Senha"),
        QStringLiteral("stLbl_Comp|Comprador"),
        QStringLiteral("OPER_AF_N_COMP|Operador logado não é um comprador e o comprador da AF não está cadastrado como "
                       "um comprador."),
        QStringLiteral("Oper_N_Relac_Comp|Operador logado não está relacionado ao comprador da AF."),
        QStringLiteral("Oper_Relac_N_Aut|Operador não autorizado a realizar alterações sobre AF's deste comprador."),
        // Supplier.
        QStringLiteral("FORN_NI|Fornecedor deve ser informado."),
        QStringLiteral("CDFORN_N_EXISTE|Fornecedor não cadastrado."),
        QStringLiteral("Forn_Inativ|Fornecedor está inativo."),
        QStringLiteral("Qualif_Forn|Fornecedor não qualificado ou com qualificação vencida."),
        // Emitter, charge, payable and carrier.
        QStringLiteral("Emitente_Obrig_Inform_Emp|Empresa deve ser informada."),
        QStringLiteral("CDEMP_N_EXISTE|Não há empresa relacionada para a Filial."),
        QStringLiteral("CLIENFILIAL_NCAD|Não há cliente principal cadastrado para a filial informada."),
        QStringLiteral("CDCOB_N_EXISTE|Tipo de cobrança não cadastrado."),
        QStringLiteral("TPCTPAGAR_N_EXISTE|Tipo de conta a pagar não cadastrado."),
        QStringLiteral("CDTRANSP_N_EXISTE|Transportadora não cadastrada para a filial informada."),
        // Lookup buttons: title and the text of an empty list.
        QStringLiteral("Pesq_FilDest|Filial Destino"),
        QStringLiteral("Pesq_FilDest_Vazia|Não há filial cadastrada para a central de compras."),
        QStringLiteral("Pesq_Forn|Fornecedor"),
        QStringLiteral("Pesq_Forn_Vazia|Não há fornecedor cadastrado."),
        QStringLiteral("Pesq_Comp|Comprador"),
        QStringLiteral("Pesq_Comp_Vazia|Não há comprador cadastrado."),
        QStringLiteral("Pesq_Emp|Empresa"),
        QStringLiteral("Pesq_Emp_Vazia|Não há empresa relacionada para a filial."),
        QStringLiteral("Pesq_Cob|Tipo de Cobrança"),
        QStringLiteral("Pesq_Cob_Vazia|Não há tipo de cobrança cadastrado."),
        QStringLiteral("Pesq_TpCtPagar|Tipo de Conta a Pagar"),
        QStringLiteral("Pesq_TpCtPagar_Vazia|Não há tipo de conta a pagar cadastrado."),
        QStringLiteral("Pesq_Transp|Transportadora Utilizada"),
        QStringLiteral("Pesq_Transp_Vazia|Não há transportadora cadastrada para a filial."),
        // Progress texts of the header's remote calls.
        QStringLiteral("Get_ParCentCmp|Verificando a central de compras da filial..."),
        QStringLiteral("Get_PrazoAF|Recebendo prazos de pagamento do fornecedor..."),
    };
}

}  // namespace afdesk
