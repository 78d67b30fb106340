#include "alt_af_messages.h"

namespace afbatch {

host::TMessages msgAltAF() {
    return host::TMessages(
        QStringLiteral("msgAltAF"),
        {
            QStringLiteral("Data_deve|Operação bloqueada. As duas datas devem ser preenchidas."),
            QStringLiteral("Filial_DINF|Filial deve ser informada."),
            QStringLiteral("Filial_RC|Filial com contrato rescindido."),
            QStringLiteral("Filial_NCAD|Filial não cadastrada"),
            QStringLiteral("SUBGRUPO_DINF|SubGrupo deve ser informado."),
            QStringLiteral("SUBGRUPO_NCAD|SubGrupo não cadastrado para o grupo de produtos parametrizado para o "
                           "Suprimentos."),
            QStringLiteral("Marca_NCAD|Marca não cadastrada."),
            QStringLiteral("Marca_DINF|Marca deve ser informada."),
            QStringLiteral("Oper_Bloq_Marc|Operação bloqueada. Item da AF está com baixa parcial e por isso sua marca "
                           "não pode ser alterada."),
            QStringLiteral("Qtde_AF|Operação bloqueada. Quantidade do item da AF deve ser igual ou maior que 0."),
            QStringLiteral("Oper_Bloq_Qtde|Operação bloqueada. Item da AF está com baixa parcial e por isso a "
                           "quantidade não pode ser zerada. "),
            QStringLiteral("Marc_Prod|Marca não cadastrada para o produto."),
            QStringLiteral("Qualif_Marc_Prod|Marca não qualificada para o produto."),
            QStringLiteral("Alterando_AF|Alterando AF(s) no servidor..."),
            QStringLiteral("Incons_Item|Existem inconsistências nos itens da(s) AF(s)."),
            QStringLiteral("Atu_Sol|Deseja atualizar as solicitações de compras?"),
            QStringLiteral("Nenhum_Item|Nenhum item de AF em aberto foi encontrado para a filial, o subgrupo e o "
                           "período informados."),
            QStringLiteral("AF_Gravada|As alterações foram gravadas no servidor."),
            QStringLiteral("AFManual|AF Manual"),
            QStringLiteral("Inclusao|Inclusão"),
            QStringLiteral("Exclusao|Exclusão"),
            QStringLiteral("InclusaoAlteracao|Alteração de AF-Inclusão de Item"),
            QStringLiteral("ExclusaoAlteracao|Alteração de AF-Exclusão de Item"),
            QStringLiteral("AlteracaoBaixa|Alteração da Baixa do Item"),
            QStringLiteral("AlterBaixaAlter|Alteração de AF-Alter. da Baixa"),
            QStringLiteral("Para|para"),
            QStringLiteral("AlteracaoQuantidade|Alteração da Quantidade"),
            QStringLiteral("AlterQuantAlter|Alteração de AF-Alter. da Quant."),
            QStringLiteral("EmAberto|Em Aberto"),
            QStringLiteral("BParcial|Baixa Parcial"),
            QStringLiteral("BTotal|Baixa Total"),
            QStringLiteral("BManual|Baixa Manual"),
            QStringLiteral("AlterBaixaAF|Alteração da Baixa da AF"),
            QStringLiteral("AlterBaixaAFAlter|Alteração de AF-Alter. da Baixa"),
        });
}

host::TMessages msgPadrao() {
    return host::TMessages(QStringLiteral("msgPadrao"),
                           {QStringLiteral("Excl|Confirma exclusão?"), QStringLiteral("Canc|Cancelar operação?"),
                            QStringLiteral("Sim|Sim"), QStringLiteral("Nao|Não")});
}

}  // namespace afbatch
