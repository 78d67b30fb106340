// The filter panel: branch, sub-group and delivery period, and the item list they load.
#include "alt_af_screen.h"

#include "platform/kit/db_grid.h"
#include "platform/kit/guard.h"
#include "platform/kit/lookup_button.h"
#include "platform/kit/mask_edit.h"

#include "host/remote/check_result.h"
#include "host/services/consiste.h"
#include "host/services/progress.h"

#include <QtCore/QScopedValueRollback>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>

namespace afbatch {

namespace {

// The date the server reads as "no date" when every delivery date is asked for.
const host::DateTime kZeroDate = host::DateTime::fromDate(QDate(1899, 12, 30));

host::RemoteValue dateArg(const std::optional<QDate>& d) { return d ? host::DateTime::fromDate(*d) : kZeroDate; }

}  // namespace

void TfrmAltAF::wireFilter() {
    // Typing in a code box clears its name box; leaving it checks the code (not required).
    medFilial->onChange = [this] { edtNmFilial->clear(); };
    medFilial->onExit = [this] { vdFilial(false); };
    medSubGrupo->onChange = [this] { edtNmSubGrupo->clear(); };
    medSubGrupo->onExit = [this] { vdSubGrupo(false); };

    btnFilial->setDataSource(&dtsFilial);
    btnFilial->onBeforeLookup = [this](kit::TBtnPesquisa&) {
        entrarPainel();
        lookups.qryFilial.setParam(QStringLiteral("P_CDFILIAL"), QVariant());
        lookups.qryFilial.setParam(QStringLiteral("P_TCDFILIAL"), QStringLiteral("T"));
        lookups.qryFilial.open();
    };
    btnFilial->onAfterLookup = [this](kit::TBtnPesquisa&) {
        medFilial->setValue(lookups.qryFilial.field(QStringLiteral("CDFILIAL")).asString());
        edtNmFilial->setText(lookups.qryFilial.field(QStringLiteral("NMFILIAL")).asString());
    };
    btnSubGrupo->setDataSource(&dtsSubGrupo);
    btnSubGrupo->onBeforeLookup = [this](kit::TBtnPesquisa&) {
        entrarPainel();
        lookups.qrySubGrupo.setParam(QStringLiteral("P_CDGRUPPROD"), cdsParaSupri.field(QStringLiteral("CDGRUPPROD")).asString());
        lookups.qrySubGrupo.setParam(QStringLiteral("P_CDSUBGRPROD"), QVariant());
        lookups.qrySubGrupo.setParam(QStringLiteral("P_TCDSUBGRPROD"), QStringLiteral("T"));
        lookups.qrySubGrupo.open();
    };
    btnSubGrupo->onAfterLookup = [this](kit::TBtnPesquisa&) {
        medSubGrupo->setValue(lookups.qrySubGrupo.field(QStringLiteral("CDSUBGRPROD")).asString());
        edtNmSubGrupo->setText(lookups.qrySubGrupo.field(QStringLiteral("NMSUBGRPROD")).asString());
    };
}

bool TfrmAltAF::inPanel(const QWidget* w) const { return w && panFilial && (w == panFilial || panFilial->isAncestorOf(w)); }

void TfrmAltAF::focusMoved(QWidget* from, QWidget* to) {
    updateTools();
    if (m_keepingList) return;  // the question's own moves of the focus, and the way back to the list
    if (!to || !isAncestorOf(to)) return;  // a dialog, another window or another child screen: nobody left anything
    if (inPanel(to) && !inPanel(from)) {
        kit::guard(this, [this] { entrarPainel(); });
    } else if (inPanel(from) && !inPanel(to) && !m_leaving) {
        // After the box's own exit checks: a refused exit brings the focus back first.
        m_leaving = true;
        QTimer::singleShot(0, this, [this] {
            m_leaving = false;
            QWidget* now = QApplication::focusWidget();
            if (!now || !isAncestorOf(now) || inPanel(now)) return;
            kit::guard(this, [this] { sairPainel(); });
        });
    }
}

// Entering the panel discards the list and its pending changes, once the user agrees.
void TfrmAltAF::entrarPainel() {
    bool drop = true;
    {
        const QScopedValueRollback asking(m_keepingList, true);
        drop = mayDropPendingChanges();
    }
    if (!drop) {
        // Back to the list once the question has given the focus back to the box it came from.
        m_keepingList = true;
        QTimer::singleShot(0, this, [this] {
            standardGrid()->setFocus(Qt::OtherFocusReason);
            m_keepingList = false;
            updateTools();
        });
        throw host::Abort();
    }
    if (cdsAF.editing()) cdsAF.cancel();
    cdsAF.close();
    cdsResultErros.emptyDataset();
    lbxErros->clear();
    updateTools();
}

void TfrmAltAF::sairPainel() {
    auto at = [](QWidget* w, const std::function<void()>& check) {
        try {
            check();
        } catch (...) {
            w->setFocus(Qt::OtherFocusReason);
            throw;
        }
    };
    at(medFilial, [this] { vdFilial(true); });
    at(medSubGrupo, [this] { vdSubGrupo(true); });
    carregaAF();
}

void TfrmAltAF::vdFilial(bool required) {
    QString code = medFilial->value().trimmed();
    if (code.isEmpty()) {
        edtNmFilial->clear();
        if (required) throw host::UserError(msg.Msg(QStringLiteral("Filial_DINF")));
        return;
    }
    code = host::Ajusta(code, 4);
    if (medFilial->value() != code) medFilial->setValue(code);
    host::LookupQuery& q = lookups.qryFilial;
    q.setParam(QStringLiteral("P_CDFILIAL"), code);
    q.setParam(QStringLiteral("P_TCDFILIAL"), QVariant());
    q.open();
    if (q.field(QStringLiteral("IDCNTRRESC")).asString() == QLatin1String("S"))
        throw host::UserError(msg.Msg(QStringLiteral("Filial_RC")));
    if (q.isEmpty()) throw host::UserError(msg.Msg(QStringLiteral("Filial_NCAD")));
    edtNmFilial->setText(q.field(QStringLiteral("NMFILIAL")).asString());
}

void TfrmAltAF::vdSubGrupo(bool required) {
    QString code = medSubGrupo->value().trimmed();
    if (code.isEmpty()) {
        edtNmSubGrupo->clear();
        if (required) throw host::UserError(msg.Msg(QStringLiteral("SUBGRUPO_DINF")));
        return;
    }
    code = host::Ajusta(code, 10);
    if (medSubGrupo->value() != code) medSubGrupo->setValue(code);
    host::LookupQuery& q = lookups.qrySubGrupo;
    q.setParam(QStringLiteral("P_CDGRUPPROD"), cdsParaSupri.field(QStringLiteral("CDGRUPPROD")).asString());
    q.setParam(QStringLiteral("P_CDSUBGRPROD"), code);
    q.setParam(QStringLiteral("P_TCDSUBGRPROD"), QVariant());
    q.open();
    if (q.isEmpty()) throw host::UserError(msg.Msg(QStringLiteral("SUBGRUPO_NCAD")));
    edtNmSubGrupo->setText(q.field(QStringLiteral("NMSUBGRPROD")).asString());
}

void TfrmAltAF::carregaAF(bool sayWhenEmpty) {
    const std::optional<QDate> ini = depEntrIni->date(), fin = depEntrFin->date();
    if (ini.has_value() != fin.has_value()) {
        (ini ? static_cast<QWidget*>(depEntrFin) : depEntrIni)->setFocus(Qt::OtherFocusReason);
        host::MensErro(msg.Msg(QStringLiteral("Data_deve")));
    }
    const QString all = ini ? QString() : QStringLiteral("T");
    const QString branch = host::Ajusta(medFilial->value().trimmed(), 4);
    const QString subGroup = host::Ajusta(medSubGrupo->value().trimmed(), 10);
    {
        host::ProgressGuard progress(this, host::kAviTransfer);
        const host::RemoteValue answer = host::CheckResultServ(
            netAltAF.call(host::names::altAF::GetAF, {branch, cdsParaSupri.field(QStringLiteral("CDGRUPPROD")).asString(),
                                                    subGroup, dateArg(ini), dateArg(fin), all}),
            true, 0);
        cdsAF.setData(answer.packetBytes());
    }
    m_filial = branch;
    m_subGrupo = subGroup;
    cdsResultErros.emptyDataset();
    mostraErros();
    updateTools();
    if (sayWhenEmpty && cdsAF.isEmpty())
        msg.ShowMsg(QStringLiteral("Nenhum_Item"), host::MessageKind::Information, host::QuestionButtons::Ok);
}

void TfrmAltAF::doVerify() {
    if (!mayDropPendingChanges()) return;
    carregaAF();
}

}  // namespace afbatch
