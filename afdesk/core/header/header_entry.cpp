#include "afdesk/core/header/header_entry.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/header/header_impl.h"
#include "afdesk/core/tools/state_changes.h"
#include "afdesk/core/workspace/workspace_messages.h"

#include "host/data/errors.h"
#include "host/services/consiste.h"
#include "platform/kit/db_check_box.h"
#include "platform/kit/db_combo_box.h"
#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/lookup_button.h"

#include <QtCore/QSignalBlocker>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>

namespace afdesk {

namespace {

QString textOf(const host::Value& v) {
    if (const QString* s = std::get_if<QString>(&v)) return s->trimmed();
    return {};
}

QString listText(const host::Dataset& list, const char* name) {
    const host::Field* f = list.active() && !list.isEmpty() ? list.findField(QString::fromLatin1(name)) : nullptr;
    return f ? f->asString().trimmed() : QString();
}

}  // namespace

HeaderEntry::Impl::Impl(HeaderEntry& entry, WorkspaceSite& site) : self(entry), w(site) {}

HeaderEntry::Impl::~Impl() {
    if (listenerId) header().removeListener(listenerId);
}

void HeaderEntry::Impl::set(const char* name, const host::Value& value) {
    if (!editing()) return;
    host::Field& f = field(name);
    if (f.value() == value) return;
    f.setValue(value);
}

void HeaderEntry::Impl::dropName(const kit::DBEdit* box, const char* name) {
    if (!editing()) return;
    namesBeforeTyping.try_emplace(box, field(name).value());  // the first drop of a typing keeps the name shown
    set(name, host::Value{});
}

void HeaderEntry::Impl::restoreName(const kit::DBEdit* box, const char* name) {
    const auto kept = namesBeforeTyping.find(box);
    if (kept == namesBeforeTyping.end()) return;
    set(name, kept->second);
    namesBeforeTyping.erase(kept);
}

QString HeaderEntry::Impl::msg(const char* key) const { return msgLancaAutoF().Msg(QString::fromLatin1(key)); }

void HeaderEntry::Impl::fail(const char* key) const {
    host::MensErro(msg(key));
    throw host::Abort();  // MensErro abandons already; the compiler is told so
}

QString HeaderEntry::Impl::central() const {
    const FiltroAF* filter = filtroAF();
    return filter ? filter->centralCode().trimmed() : QString();
}

QString HeaderEntry::Impl::branchParam(const QString& branch, const QString& name) {
    host::Dataset& params = w.branchParameters();
    if (params.active() && params.findField(name) && params.locate(QStringLiteral("CDFILIAL"), branch))
        return params.field(name).asString().trimmed();
    // The branch list carries the parameters the session's branch packet lacks;
    // read without moving it (its row change has reactions of its own).
    const host::Dataset& branches = w.branches();
    const host::Field* key = branches.active() ? branches.findField(QStringLiteral("CDFILIAL")) : nullptr;
    const host::Field* value = branches.active() ? branches.findField(name) : nullptr;
    if (!key || !value) return {};
    for (int row = 0; row < branches.recordCount(); ++row)
        if (textOf(branches.valueAt(row, key->index())) == branch) return textOf(branches.valueAt(row, value->index()));
    return {};
}

void HeaderEntry::Impl::showHeaderTab() {
    if (!onHeaderTab()) w.selectTab(WorkspaceTab::DadosAF, false);
}

void HeaderEntry::Impl::focus(QWidget* control) {
    if (control && control->isEnabled() && control->isVisible()) control->setFocus(Qt::OtherFocusReason);
}

QWidget* HeaderEntry::Impl::focused() const {
    QWidget* f = QApplication::focusWidget();
    return f && form->isAncestorOf(f) ? f : nullptr;
}

void HeaderEntry::Impl::flush(kit::DBEdit* edit) {
    if (edit->isModified()) edit->commit();
}

// --- HeaderEntry ---------------------------------------------------------------------------

HeaderEntry::HeaderEntry(WorkspaceSite& w, QWidget* page) : d(std::make_unique<Impl>(*this, w)) {
    d->buildForm(page);
    d->connectHandlers();
    d->connectLookups();
}

HeaderEntry::~HeaderEntry() = default;

void HeaderEntry::bindEvents() {
    host::Dataset& h = d->header();
    h.beforeInsert.add([this](host::Dataset&) { d->beforeInsert(); });
    h.afterInsert.add([this](host::Dataset&) { d->afterInsert(); });
    h.beforeEdit.add([this](host::Dataset&) { d->beforeEdit(); });
    h.afterDelete.add([this](host::Dataset&) { d->afterDelete(); });
    h.beforePost.add([this](host::Dataset&) { d->beforePost(); });
    h.afterPost.add([this](host::Dataset&) { d->afterPost(); });
    h.beforeCancel.add([this](host::Dataset&) { d->beforeCancel(); });
    h.afterCancel.add([this](host::Dataset&) { d->afterCancel(); });
    h.afterScroll.add([this](host::Dataset&) { d->afterScroll(); });
}

void HeaderEntry::enableEntryControls() {
    applyEntryControls(headerStateChange(d->w.snapshot(Source::Header)));
}

void HeaderEntry::applyEntryControls(const HeaderStateDecisions& r) {
    auto enable = [](std::initializer_list<QWidget*> controls, bool on) {
        for (QWidget* c : controls) c->setEnabled(on);
    };
    enable({d->lblComp, d->dbeCDComp, d->btnPesqComp}, r.comprador);
    enable({d->lblForn, d->dbeNRINSJURForN, d->btnPesqForn}, r.fornecedor);
    enable({d->lblDtLanc, d->dbdDtLanc}, r.dataLancamento);
    // A branch accepted for the new AF stays: its items depend on it.
    enable({d->lblFilDest, d->dbeCdFilDest, d->btnPesqFilDest}, r.filialDestino && !d->branchAccepted);
    enable({d->lblDestNF, d->dcbEmitente}, r.destinatarioNF);
    enable({d->dbeCDEmpresa, d->btnEmitente}, r.empresa);
}

Emitente HeaderEntry::emitente() const {
    switch (d->dcbEmitente->currentIndex()) {
    case 0: return Emitente::EmpresaFilial;
    case 1: return Emitente::EmpresaInformada;
    case 2: return Emitente::ClientePrincipal;
    default: return Emitente::Nothing;
    }
}

void HeaderEntry::syncCheckBoxes() {
    const host::Dataset& list = d->list();
    auto sync = [&](QCheckBox* box, const char* field) {
        if (d->onHeaderTab() && box->hasFocus()) d->focus(d->dbeCDCob);
        const QSignalBlocker quiet(box);
        box->setChecked(listText(list, field) == QLatin1String("S"));
    };
    sync(d->chbExtra, "IDAUTOFORNEX");       // Controla_chb_rbt
    sync(d->chbAfPiloto, "IDAFPILOTO");      // Controla_chbAfPiloto_rbt
}

HeaderQueries& HeaderEntry::queries() { return d->q; }


int HeaderEntry::headerTag() const { return d->headerTag; }

bool HeaderEntry::insertCancelled() const { return d->cancelledInsert; }

}  // namespace afdesk
