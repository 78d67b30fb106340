#include "afdesk/core/workspace/af_loading.h"

#include "afdesk/core/model/af_detail_grids.h"
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/model/dataset_packets.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/server_calls.h"
#include "afdesk/core/workspace/workspace_messages.h"

#include "host/services/progress.h"
#include "platform/kit/db_grid.h"

#include <algorithm>

namespace afdesk {

namespace {

QString textOf(const host::Dataset& ds, const char* field) {
    const host::Field* f = ds.active() && !ds.isEmpty() ? ds.findField(QString::fromLatin1(field)) : nullptr;
    return f ? f->asString().trimmed() : QString();
}

QString launchKeyOfList(const LancaAutoF& w) {
    return textOf(w.state().cdsServAutoForne, "CDFILLANC") + textOf(w.state().cdsServAutoForne, "NRAUTOFORN");
}

// One load of a part of the AF: the list row's key in its order, the packet into its dataset.
void load(LancaAutoF& w, AfPart part) {
    auto& ws = w.state();
    const AfKey key = AfKey::of(ws.cdsServAutoForne);
    host::Dataset& ds = w.dataset(part);
    loadFromServer(ds, ws.netLancaAutoF, QString::fromLatin1(afPart(part).loadMethod),
                   {key.cdFilDest, key.cdFilLanc, key.nrAutoForn});
    ws.loadedFor[&ds] = key.cdFilLanc + key.nrAutoForn;
}

void loadMessages(LancaAutoF& w) {
    auto& ws = w.state();
    ws.mensagensAf.takeNumberFrom(ws.cdsServAutoForne);
    ws.mensagensAf.cdFilLanc = textOf(ws.cdsServAutoForne, "CDFILLANC").toLongLong();
    load(w, AfPart::Messages);
}

bool messagesNeedLoading(LancaAutoF& w) {
    auto& ws = w.state();
    if (!ws.cdsMensagensAF.active()) return true;
    return ws.cdsMensagensAF.changeCount() == 0 && ws.mensagensAf.isDifferentFrom(ws.cdsServAutoForne);
}

class Loader {
public:
    Loader(LancaAutoF& w, bool force) : w(w), force(force) {}

    bool need(const host::Dataset& ds) const { return force || needsLoading(w, ds); }

    void header() {
        if (need(w.state().cdsAutoForne)) load(w, AfPart::Header);
    }

    void byTab() {
        const WorkspaceTab tab = w.activeTab();
        if (tab == WorkspaceTab::DadosAF || tab == WorkspaceTab::AF) {
            if (need(w.state().cdsAutoForne)) {
                const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_DadAF")));
                load(w, AfPart::Header);
            }
        }
        if ((tab == WorkspaceTab::Produtos || tab == WorkspaceTab::DadosAF) && need(w.state().cdsItemAutF)) products();
        if (tab == WorkspaceTab::Mensagem && (force || messagesNeedLoading(w))) {
            const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_MensAF")));
            loadMessages(w);
        }
        if (tab == WorkspaceTab::FormaPgto && need(w.state().cdsPrazoPgtAF)) paymentTerms();
        if (tab == WorkspaceTab::Encargo && need(w.state().cdsDataEncargo) && w.state().cdsEncargo.changeCount() == 0) charges();
        const bool justificativa = w.isTabVisible(WorkspaceTab::Justificativa);
        if (justificativa && (tab == WorkspaceTab::Justificativa || tab == WorkspaceTab::AF) && need(w.state().cdsMovOpAF))
            alterationLog();
    }

private:
    void products() {
        const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_Prods")));
        header();
        if (force || w.activeInnerTab() == ProdutosTab::Imposto) load(w, AfPart::Taxes);
        load(w, AfPart::ItemProducts);
        load(w, AfPart::Items);
        load(w, AfPart::Receipts);
        if (w.isTabVisible(WorkspaceTab::Justificativa)) {
            load(w, AfPart::Movements);
            w.state().cdsMovOpAFAux.close();
        }
        applyItemColumns(w);
    }

    void paymentTerms() {
        const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_FormPgto")));
        header();
        if (textOf(w.state().cdsAutoForne, "IDTPFORPGTAF") == QLatin1String("V")) load(w, AfPart::Terms);
    }

    void charges() {
        const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_Encargo")));
        header();
        load(w, AfPart::ChargeDates);
        load(w, AfPart::Charges);
    }

    void alterationLog() {
        const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_Dad")));
        load(w, AfPart::Header);
        load(w, AfPart::ItemProducts);
        load(w, AfPart::Items);
        load(w, AfPart::Receipts);
        load(w, AfPart::Taxes);
        load(w, AfPart::Movements);
        applyItemColumns(w);
    }

    LancaAutoF& w;
    bool force;
};

// The cache entry restored: its datasets now show the cached AF.
// Only what no longer shows the cached AF is restored: a dataset showing it
// already keeps its content, unsaved changes included.
void restoreFromCache(LancaAutoF& w) {
    auto& ws = w.state();
    const auto stale = [&w, &ws](const host::Dataset& ds) {
        if (&ds == &ws.cdsMensagensAF) return messagesNeedLoading(w);
        return needsLoading(w, ds);
    };
    const QString launch = launchKeyOfList(w);
    const std::vector<host::Dataset*> restored = ws.cache.restore(w.afDatasets(), stale);
    for (host::Dataset* ds : restored) ws.loadedFor[ds] = launch;
    if (std::find(restored.begin(), restored.end(), &ws.cdsMensagensAF) != restored.end()) {
        ws.mensagensAf.cdFilLanc = textOf(ws.cdsServAutoForne, "CDFILLANC").toLongLong();
        ws.mensagensAf.takeNumberFrom(ws.cdsServAutoForne);
    }
    applyItemColumns(w);
}

}  // namespace

bool needsLoading(LancaAutoF& w, const host::Dataset& ds) {
    auto& ws = w.state();
    if (!ds.active()) return true;
    if (ds.changeCount() > 0 || ds.editing()) return false;
    if (ds.isEmpty()) {
        const auto it = ws.loadedFor.find(&ds);
        return it == ws.loadedFor.end() || it->second != launchKeyOfList(w);
    }
    return isDifferentAF(ws.cdsServAutoForne, ds);
}

void GetData(LancaAutoF& w, bool force) {
    auto& ws = w.state();
    host::Dataset& list = ws.cdsServAutoForne;
    const bool browsed = list.state() == host::DatasetState::Browse;
    if (force || !browsed) {
        ws.cache.clear();
    } else if (!ws.cache.isNull() && !w.isActiveTab(WorkspaceTab::AF)) {
        if (ws.cache.key() != AfKey::of(list).cacheKey()) ws.cache.clear();
        else restoreFromCache(w);
    }
    // A new AF has nothing on the server yet; an empty list has no AF at all.
    if (!list.active() || list.isEmpty() || list.state() == host::DatasetState::Insert) return;
    if (!ws.cache.incomplete()) return;
    Loader(w, force).byTab();
    // "Filial Destino" and "AF" show no AF of their own: only the AF's tabs fill the cache.
    if (browsed && !w.isActiveTab(WorkspaceTab::AF) && !w.isActiveTab(WorkspaceTab::FilialDest))
        ws.cache.fill(AfKey::of(list).cacheKey(), w.afDatasets());
}

void loadHeaderIfNeeded(LancaAutoF& w) {
    const host::Dataset& list = w.state().cdsServAutoForne;
    if (!list.active() || list.isEmpty() || list.state() == host::DatasetState::Insert) return;
    if (!needsLoading(w, w.state().cdsAutoForne)) return;
    const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_DadAF")));
    load(w, AfPart::Header);
}

void loadTaxesForInnerTab(LancaAutoF& w) {
    const host::Dataset& list = w.state().cdsServAutoForne;
    if (!list.active() || list.isEmpty() || list.state() == host::DatasetState::Insert) return;
    if (w.activeInnerTab() != ProdutosTab::Imposto || !needsLoading(w, w.state().cdsImpostoAF)) return;
    const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_Prods")));
    load(w, AfPart::Taxes);
}

void closeAfDatasets(LancaAutoF& w) {
    for (host::Dataset* ds : w.afDatasets()) {
        ds->close();
        w.state().loadedFor.erase(ds);
    }
}

void applyItemColumns(LancaAutoF& w) {
    auto& ws = w.state();
    // The grids show the optional columns, and the search dialog offers their fields, by the same settings.
    const DetailColumnFlags flags{ws.flags.showVolumeColumn, ws.flags.logisticBranches, ws.flags.showPriceListColumn};
    const std::pair<kit::DBGrid*, host::Dataset*> grids[] = {{w.standardGrid(), &ws.cdsItemAutF},
                                                             {ws.dbgProdutos, &ws.cdsItemAutf_Produto}};
    for (const auto& [grid, dataset] : grids) {
        for (int i = 0; i < grid->columnCountConfigured(); ++i) {
            const QString& name = grid->column(i).fieldName;
            if (!isOptionalDetailColumn(name)) continue;
            const bool shown = detailColumnShown(name, flags);
            grid->setColumnVisible(i, shown);
            if (host::Field* f = dataset->findField(name)) f->setVisible(shown);
        }
    }
    auto mask = [](host::Dataset& ds, const char* field, const QString& m) {
        if (host::Field* f = ds.findField(QString::fromLatin1(field))) f->setEditMask(m);
    };
    mask(ws.cdsItemAutF, "CDARVPROD", ws.flags.productPicture);
    mask(ws.cdsItemAutf_Produto, "CDARVPROD", ws.flags.productPicture);
}

}  // namespace afdesk
