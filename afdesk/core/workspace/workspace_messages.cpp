#include "afdesk/core/workspace/workspace_messages.h"

#include "afdesk/core/header/header_messages.h"

namespace afdesk {

const host::TMessages& msgLancaAutoF() {
    static const host::TMessages table(
        QStringLiteral("msgLancaAutoF"),
        QStringList{
            QStringLiteral("Get_DadAF|Recebendo dados da AF do servidor..."),
            QStringLiteral("Get_Prods|Recebendo produtos do servidor..."),
            QStringLiteral("Get_MensAF|Recebendo mensagem do servidor..."),
            QStringLiteral("Get_FormPgto|Recebendo forma de pagamento do servidor..."),
            QStringLiteral("Get_Encargo|Recebendo encargo do servidor..."),
            QStringLiteral("Get_Dad|Recebendo dados do servidor..."),
            QStringLiteral("Get_ParamGeral|Recebendo parâmetros do servidor..."),
            QStringLiteral("ImportaSAC_NDisp|Importação SAC não disponível nesta versão."),
            QStringLiteral("MudAutProd_NDisp|Mudança automática de produto não disponível nesta versão."),
            QStringLiteral("FilDest_NCad|Filial Destino não cadastrada."),
            QStringLiteral("Oper_NDisp|A operação \"%s\" ainda não está disponível nesta versão."),
            QStringLiteral("Gravar_NDisp|Gravar no servidor uma AF nova ou alterada ainda não está disponível nesta "
                           "versão. A AF continua em edição: os campos ainda habilitados podem ser alterados; para "
                           "descartá-la, cancele a operação."),
            QStringLiteral("AF_Pendente|A AF possui alterações que ainda não foram gravadas. Confirme ou cancele "
                           "a operação antes de continuar."),
        } + headerMessageLines());
    return table;
}

}  // namespace afdesk
