// The tools of the bulk alteration: their states, confirm (the server's check,
// then the batch) and cancel.
#include "alt_af_screen.h"

#include "platform/kit/mask_edit.h"

#include "host/remote/check_result.h"
#include "host/services/consiste.h"
#include "host/services/dialog_service.h"
#include "host/services/progress.h"
#include "host/services/session.h"

namespace afbatch {

void TfrmAltAF::updateTools() {
    const bool filterFocused = (medFilial && medFilial->hasFocus()) || (medSubGrupo && medSubGrupo->hasFocus());
    const host::DatasetState state = cdsAF.state();
    const bool browse = !filterFocused && state == host::DatasetState::Browse;
    const bool pending = !filterFocused && (cdsAF.editing() || (cdsAF.active() && cdsAF.changeCount() > 0));
    setToolEnabled(Tool::Incluir, false);
    setToolEnabled(Tool::Excluir, false);
    setToolEnabled(Tool::Alterar, browse && !cdsAF.isEmpty());
    setToolEnabled(Tool::Procurar, browse && !cdsAF.isEmpty());
    setToolEnabled(Tool::Verificar, browse);
    setToolEnabled(Tool::Confirmar, pending);
    setToolEnabled(Tool::Cancelar, pending);
}

// Items are neither added nor removed here.
void TfrmAltAF::doInsert() { throw host::Abort(); }
void TfrmAltAF::doDelete() { throw host::Abort(); }

void TfrmAltAF::doConfirm() {
    kit::StandardGridScreen::doConfirm();
    cdsResultErros.emptyDataset();
    host::ProgressGuard progress(this, host::kAviTransfer, msg.Msg(QStringLiteral("Alterando_AF")));
    if (cdsAF.editing()) dtsPadrao.post();
    if (cdsAF.changeCount() == 0) return;

    const host::RemoteValue checked = host::CheckResultServ(
        netAltAF.call(host::names::altAF::GetVerifica, {host::RemoteValue::packet(cdsAF.data())}), true, 0);
    const host::RemoteValue::Array& answer = checked.array();
    if (answer.size() != 2) throw host::UserError(QStringLiteral("Resposta inesperada do servidor em GetVerifica."));
    if (!answer[1].toText().isEmpty()) host::MensErro(answer[1].toText());
    cdsResultErros.setData(answer[0].packetBytes());
    if (!cdsResultErros.isEmpty()) {
        host::progress().DeactiveShowAvi();
        host::dialogs().showError(msg.Msg(QStringLiteral("Incons_Item")), this);
        cdsAF.first();
        mostraErros();
        return;
    }

    bool updateRequests = false;
    if (cdsParaSupri.field(QStringLiteral("IDATUSOLILAF")).asString() == QLatin1String("S"))
        updateRequests = msg.ShowMsg(QStringLiteral("Atu_Sol"), host::MessageKind::Confirmation,
                                     host::QuestionButtons::YesNo) == host::kYes;
    std::vector<host::RemoteArg> args{host::RemoteValue::packet(cdsAF.delta()), updateRequests,
                                      msg.Msg(QStringLiteral("AFManual")), host::session().Operador()};
    for (const char* key : {"Inclusao", "Exclusao", "InclusaoAlteracao", "ExclusaoAlteracao", "AlteracaoBaixa",
                            "AlterBaixaAlter", "Para", "AlteracaoQuantidade", "AlterQuantAlter", "EmAberto", "BParcial",
                            "BTotal", "BManual", "AlterBaixaAF", "AlterBaixaAFAlter"})
        args.emplace_back(msg.Msg(QString::fromLatin1(key)));
    host::CheckResultServ(netAltAF.call(host::names::altAF::SetAF, std::move(args)), true, 0);

    cdsAF.mergeChangeLog();
    updateTools();
    // Said before the list is read again: the batch is written whatever the reload meets.
    host::progress().DeactiveShowAvi();
    msg.ShowMsg(QStringLiteral("AF_Gravada"), host::MessageKind::Information, host::QuestionButtons::Ok);
    carregaAF(false);
}

void TfrmAltAF::doCancel() {
    if (!cdsAF.active()) return;
    if (host::dialogs().ask(host::MessageKind::Confirmation, msgPad.Msg(QStringLiteral("Canc")),
                            host::QuestionButtons::YesNo, this) != host::kYes)
        return;
    if (cdsAF.editing()) {
        dtsPadrao.cancel();
    } else {
        cdsAF.cancelUpdates();
        cdsResultErros.emptyDataset();  // the check was of changes that no longer exist
        mostraErros();
    }
    updateTools();
}

}  // namespace afbatch
