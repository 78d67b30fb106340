#include "filtro_af_impl.h"

#include "platform/kit/guard.h"
#include "platform/kit/list_lookups.h"

#include "host/services/session.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>

namespace afdesk {

namespace {

template <class W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QGroupBox* group(const QString& caption, const char* name) {
    return named(new QGroupBox(caption), name);
}

// "Todos"/"Lista" (or "Todas"/"Lista") side by side, the first checked.
void radioPair(QGroupBox* box, QRadioButton*& all, QRadioButton*& list, const QString& allCaption,
               const char* allName, const char* listName) {
    all = named(new QRadioButton(allCaption, box), allName);
    list = named(new QRadioButton(QStringLiteral("Lista"), box), listName);
    all->setChecked(true);
}

QLabel* listLabel(const char* name) {
    auto* label = named(new QLabel, name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The chosen codes as a user reads them.
QString listCaption(const QString& list) {
    const QStringList codes = kit::listCodes(list);
    return codes.isEmpty() ? QString() : codes.join(QStringLiteral(", "));
}

// The chosen suppliers by name: their 21-digit codes say nothing to a buyer.
// The names are read once with the supplier lookup and kept; a code no longer
// registered (or a lookup that fails) shows as it is.
QString supplierCaption(host::LookupQuery& q, QHash<QString, QString>& known, const QString& list) {
    const QStringList codes = kit::listCodes(list);
    if (codes.isEmpty()) return {};
    try {
        if (known.isEmpty()) {
            if (!q.active()) q.open();
            for (q.first(); !q.eof(); q.next())
                known.insert(q.field(QStringLiteral("CDFORNECED")).asString().trimmed(),
                             q.field(QStringLiteral("NMRAZSOCFORN")).asString().trimmed());
        }
    } catch (const std::exception&) {
        return listCaption(list);
    }
    QStringList names;
    for (const QString& code : codes) names << known.value(code.trimmed(), code);
    return names.join(QStringLiteral(", "));
}

}  // namespace

FiltroAF::FiltroAF(FilterTargets targets, QWidget* parent)
    : kit::StandardFilterScreen(QStringLiteral("CMP03901"), parent), d(std::make_unique<Impl>()) {
    d->targets = std::move(targets);
    setWindowTitle(QStringLiteral("Filtro Autorização de Fornecimento"));
    defineGrupFili(d->cdsGrupFili);
    defineFiliAgrupFili(d->cdsFiliAgrupFili);
    buildControls();
    connectCriteria();
    connectLookups();
    rememberControl(d->medAgrupFilial);
    rememberControl(d->edtNmAgrupFilial);

    filterState().boPrimVez = true;
    for (kit::DateBox* box : {d->depEmisIni, d->depEmisFim, d->depEntrIni, d->depEntrFim}) box->setDate(std::nullopt);
    d->grbAgrupFilial->setEnabled(!host::session().ModuFili());
    showLists();
}

FiltroAF::~FiltroAF() = default;

void FiltroAF::setTargets(FilterTargets targets) { d->targets = std::move(targets); }

QString FiltroAF::branchList() const { return d->branchList; }

QString FiltroAF::centralCode() const { return d->edtCdCentral->text(); }

void FiltroAF::buildControls() {
    auto* grid = new QGridLayout;
    contentLayout()->addLayout(grid);

    auto datePair = [&](const QString& caption, const char* name, kit::DateBox*& from, const char* fromName,
                        kit::DateBox*& to, const char* toName) {
        QGroupBox* box = group(caption, name);
        auto* l = new QGridLayout(box);
        from = named(new kit::DateBox(box), fromName);
        to = named(new kit::DateBox(box), toName);
        l->addWidget(new QLabel(QStringLiteral("Inicial")), 0, 0);
        l->addWidget(from, 1, 0);
        l->addWidget(new QLabel(QStringLiteral("Final")), 0, 1);
        l->addWidget(to, 1, 1);
        return box;
    };
    grid->addWidget(datePair(QStringLiteral("Data da AF"), "grbDataAF", d->depEmisIni, "depEmisIni", d->depEmisFim,
                             "depEmisFim"),
                    0, 0);
    grid->addWidget(datePair(QStringLiteral("Data de Entrega"), "grbDataEntrega", d->depEntrIni, "depEntrIni",
                             d->depEntrFim, "depEntrFim"),
                    0, 1);

    auto criterion = [&](const QString& caption, const char* name, QRadioButton*& all, const char* allName,
                         QRadioButton*& list, const char* listName, QToolButton*& search, const char* searchName,
                         QLabel*& shown, const char* shownName) {
        QGroupBox* box = group(caption, name);
        auto* l = new QGridLayout(box);
        radioPair(box, all, list, QStringLiteral("Todos"), allName, listName);
        search = named(new QToolButton(box), searchName);
        search->setText(QStringLiteral("..."));
        search->setToolTip(QStringLiteral("Pesquisar"));
        search->setFocusPolicy(Qt::NoFocus);
        search->setEnabled(false);
        shown = listLabel(shownName);
        l->addWidget(all, 0, 0);
        l->addWidget(list, 0, 1);
        l->addWidget(search, 0, 2);
        l->addWidget(shown, 1, 0, 1, 3);
        return box;
    };
    grid->addWidget(criterion(QStringLiteral("Fornecedor"), "grbFornecedor", d->rbtFornTodos, "rbtFornTodos",
                              d->rbtFornLista, "rbtFornLista", d->btnPesqForn, "btnPesqForn", d->lblListaForn,
                              "lblListaForn"),
                    1, 0);
    grid->addWidget(criterion(QStringLiteral("Comprador"), "grbComprador", d->rbtCompTodos, "rbtCompTodos",
                              d->rbtCompLista, "rbtCompLista", d->btnPesqComp, "btnPesqComp", d->lblListaComp,
                              "lblListaComp"),
                    1, 1);

    auto checks = [&](const QString& caption, const char* name,
                      std::initializer_list<std::tuple<QCheckBox**, const char*, QString>> boxes) {
        QGroupBox* box = group(caption, name);
        auto* l = new QGridLayout(box);
        int i = 0;
        for (const auto& [target, objectName, text] : boxes) {
            *target = named(new QCheckBox(text, box), objectName);
            (*target)->setChecked(true);
            l->addWidget(*target, i / 2, i % 2);
            ++i;
        }
        return box;
    };
    grid->addWidget(checks(QStringLiteral("Situação da AF"), "grbSituacao",
                           {{&d->chbBaixaManual, "chbBaixaManual", QStringLiteral("Baixa Manual")},
                            {&d->chbBaixaTotal, "chbBaixaTotal", QStringLiteral("Baixa Total")},
                            {&d->chbBaixaParcial, "chbBaixaParcial", QStringLiteral("Baixa Parcial")},
                            {&d->chbEmAberto, "chbEmAberto", QStringLiteral("em Aberto")},
                            {&d->chbEncerrada, "chbEncerrada", QStringLiteral("Encerrada")},
                            {&d->chbCancelada, "chbCancelada", QStringLiteral("Cancelada")}}),
                    2, 0, 2, 1);
    grid->addWidget(checks(QStringLiteral("Consistência da AF"), "grbConsistencia",
                           {{&d->chbConsistente, "chbConsistente", QStringLiteral("Consistente")},
                            {&d->chbInconsistente, "chbInconsistente", QStringLiteral("Inconsistente")}}),
                    2, 1);
    grid->addWidget(checks(QStringLiteral("Limite do Comprador"), "grbLimite",
                           {{&d->chbForaLimite, "chbForaLimite", QStringLiteral("Fora do Limite")},
                            {&d->chbDentroLimite, "chbDentroLimite", QStringLiteral("Dentro do Limite")}}),
                    3, 1);

    d->grbAgrupFilial = group(QStringLiteral("Agrupamento de Filial"), "grbAgrupFilial");
    {
        auto* l = new QHBoxLayout(d->grbAgrupFilial);
        d->medAgrupFilial = named(new kit::MaskEdit(d->grbAgrupFilial), "medAgrupFilial");
        d->medAgrupFilial->setMaxLength(10);
        d->btnAgrupFilial = named(new kit::TBtnPesquisa(d->grbAgrupFilial), "btnAgrupFilial");
        d->edtNmAgrupFilial = named(new QLineEdit(d->grbAgrupFilial), "edtNmAgrupFilial");
        d->edtNmAgrupFilial->setReadOnly(true);
        d->edtNmAgrupFilial->setFocusPolicy(Qt::NoFocus);
        l->addWidget(d->medAgrupFilial);
        l->addWidget(d->btnAgrupFilial);
        l->addWidget(d->edtNmAgrupFilial, 1);
    }
    grid->addWidget(d->grbAgrupFilial, 4, 0);

    d->grbFilialDest = group(QStringLiteral("Filial Destino"), "grbFilialDest");
    {
        auto* l = new QGridLayout(d->grbFilialDest);
        radioPair(d->grbFilialDest, d->rbtFilTodas, d->rbtFilLista, QStringLiteral("Todas"), "rbtFilTodas",
                  "rbtFilLista");
        d->btpFilial = named(new kit::TBtnPesquisa(d->grbFilialDest), "btpFilial");
        d->btpFilial->setEnabled(false);
        d->lblListaFilial = listLabel("lblListaFilial");
        l->addWidget(d->rbtFilTodas, 0, 0);
        l->addWidget(d->rbtFilLista, 0, 1);
        l->addWidget(d->btpFilial, 0, 2);
        l->addWidget(d->lblListaFilial, 1, 0, 1, 3);
    }
    grid->addWidget(d->grbFilialDest, 4, 1);

    d->grbCentral = group(QStringLiteral("Central de Compras"), "grbCentral");
    {
        auto* l = new QHBoxLayout(d->grbCentral);
        d->edtCdCentral = named(new QLineEdit(d->grbCentral), "edtCdCentral");
        d->edtNmCentral = named(new QLineEdit(d->grbCentral), "edtNmCentral");
        for (QLineEdit* e : {d->edtCdCentral, d->edtNmCentral}) e->setReadOnly(true);
        d->edtCdCentral->setMaximumWidth(60);
        l->addWidget(d->edtCdCentral);
        l->addWidget(d->edtNmCentral, 1);
    }
    d->grbCentral->setEnabled(false);
    grid->addWidget(d->grbCentral, 5, 0, 1, 2);
}

void FiltroAF::connectCriteria() {
    FilterModuleState& st = filterState();
    connect(d->rbtFornTodos, &QRadioButton::toggled, this, [this, &st](bool on) {
        if (!on) return;
        d->btnPesqForn->setEnabled(false);
        st.stPesqForn.clear();
        showLists();
    });
    connect(d->rbtFornLista, &QRadioButton::toggled, d->btnPesqForn, &QWidget::setEnabled);
    connect(d->rbtCompTodos, &QRadioButton::toggled, this, [this, &st](bool on) {
        if (!on) return;
        d->btnPesqComp->setEnabled(false);
        st.stPesqComp.clear();
        showLists();
    });
    connect(d->rbtCompLista, &QRadioButton::toggled, d->btnPesqComp, &QWidget::setEnabled);
    connect(d->rbtFilTodas, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        d->btpFilial->setEnabled(false);
        d->branchList.clear();
        showLists();
    });
    connect(d->rbtFilLista, &QRadioButton::toggled, d->btpFilial, &QWidget::setEnabled);
}

void FiltroAF::showLists() {
    d->lblListaForn->setText(supplierCaption(*d->qryPesqForn, d->supplierNames, filterState().stPesqForn));
    d->lblListaComp->setText(listCaption(filterState().stPesqComp));
    d->lblListaFilial->setText(listCaption(d->branchList));
}

void FiltroAF::showEvent(QShowEvent* event) {
    kit::StandardFilterScreen::showEvent(event);  // loads the options at the instance's first showing
    if (!filterState().boPrimVez) return;
    filterState().boPrimVez = false;
    kit::guard(this, [this] { firstActivation(); });
}

void FiltroAF::firstActivation() {
    host::Session& session = host::session();
    const bool branchMode = session.ModuFili();

    d->rbtFilTodas->setChecked(true);
    d->branchList.clear();
    d->grbFilialDest->setEnabled(!branchMode);
    d->grbAgrupFilial->setEnabled(!branchMode);
    if (branchMode) {
        // The session's branch only, and no grouping to widen it.
        d->rbtFilLista->setChecked(true);
        d->branchList = QStringLiteral("_") + session.FiliProc() + QStringLiteral("_");
        d->medAgrupFilial->setValue(QString());
        d->edtNmAgrupFilial->clear();
    }

    host::LookupQuery& central = *d->qryCentCmp;
    central.setParam(QStringLiteral("P_CDFILIAL"), session.FiliProc());
    central.open();
    d->edtCdCentral->setText(central.isEmpty() ? QString() : central.field(QStringLiteral("CDFILIAL")).asString());
    d->edtNmCentral->setText(central.isEmpty() ? QString()
                                               : central.field(QStringLiteral("NMFILIAL_CENTRAL")).asString());
    d->btpFilial->setEnabled(false);

    FilterCriteria c = d->criteria();
    restoreFrom(filterState().filtro, c);
    host::LookupQuery& buyer = *d->qryPesqComp;
    buyer.setParam(QStringLiteral("P_CDOPERADOR"), session.Operador());
    buyer.open();
    c.compLista = !buyer.isEmpty();
    c.compList = c.compLista ? QStringLiteral("_") + session.Operador() + QStringLiteral("_") : QString();
    d->apply(c);
    d->btpFilial->setEnabled(false);
    d->confirmed = snapshot();
    showLists();
}

void FiltroAF::saveOptions() {
    saveOption(QStringLiteral("stPesqForn"), filterState().stPesqForn);
    saveOption(QStringLiteral("stPesqComp"), filterState().stPesqComp);
    kit::StandardFilterScreen::saveOptions();
}

void FiltroAF::loadOptions() {
    kit::StandardFilterScreen::loadOptions();
    filterState().stPesqForn = loadOption(QStringLiteral("stPesqForn")).toString();
    filterState().stPesqComp = loadOption(QStringLiteral("stPesqComp")).toString();
    showLists();
}

void FiltroAF::doCancel() {
    kit::StandardFilterScreen::doCancel();
    filterState().boModalResult = false;
    // What the user changed and did not confirm must not reach the next reload of the list.
    if (d->confirmed) restore(*d->confirmed);
}

bool FiltroAF::onKeyPreview(QKeyEvent* event) {
    if (event->key() == Qt::Key_F9 && event->modifiers() == Qt::NoModifier) {
        QWidget* focused = focusWidget();
        if (focused == d->rbtFornLista && d->btnPesqForn->isEnabled()) {
            d->btnPesqForn->click();
            return true;
        }
        if (focused == d->rbtCompLista && d->btnPesqComp->isEnabled()) {
            d->btnPesqComp->click();
            return true;
        }
        if (focused == d->rbtFilLista && d->btpFilial->isEnabled()) {
            d->btpFilial->execute();
            return true;
        }
    }
    return kit::StandardFilterScreen::onKeyPreview(event);
}

}  // namespace afdesk
