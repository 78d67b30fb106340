#pragma once
// The filter dialog's insides: its controls, lookups, datasets and message
// table. Private to the dialog's sources.
#include "filtro_af.h"
#include "filtro_af_criteria.h"
#include "filtro_af_lookups.h"
#include "filtro_af_messages.h"

#include "platform/kit/data_source.h"
#include "platform/kit/lookup_button.h"
#include "platform/kit/mask_edit.h"

#include "host/data/dataset.h"

#include <QtCore/QHash>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>
#include <optional>

namespace afdesk {

// The criteria of the last successful confirmation, so that a cancel gives them back.
struct FiltroAF::Snapshot {
    FilterCriteria criteria;
    QString groupingName;
};

struct FiltroAF::Impl {
    FilterTargets targets;
    host::TMessages msg = filtroAFMessages();

    std::unique_ptr<host::LookupQuery> qryPesqForn = makeQryPesqForn();
    std::unique_ptr<host::LookupQuery> qryPesqComp = makeQryPesqComp();
    std::unique_ptr<host::LookupQuery> qryCentCmp = makeQryCentCmp();
    std::unique_ptr<host::LookupQuery> qryFilial = makeQryFilial();
    host::Dataset cdsGrupFili{QStringLiteral("cdsGrupFili")};
    host::Dataset cdsFiliAgrupFili{QStringLiteral("cdsFiliAgrupFili")};
    kit::DataSource dtsPesqForn{&qryPesqForn->result()};
    kit::DataSource dtsPesqComp{&qryPesqComp->result()};
    kit::DataSource dtsFilial{&qryFilial->result()};
    kit::DataSource dtsGrupFili{&cdsGrupFili};
    kit::DataSource dtsFiliAgrupFili{&cdsFiliAgrupFili};

    kit::DateBox *depEmisIni = nullptr, *depEmisFim = nullptr, *depEntrIni = nullptr, *depEntrFim = nullptr;
    QRadioButton *rbtFornTodos = nullptr, *rbtFornLista = nullptr;
    QRadioButton *rbtCompTodos = nullptr, *rbtCompLista = nullptr;
    QRadioButton *rbtFilTodas = nullptr, *rbtFilLista = nullptr;
    QToolButton *btnPesqForn = nullptr, *btnPesqComp = nullptr;
    QLabel *lblListaForn = nullptr, *lblListaComp = nullptr, *lblListaFilial = nullptr;
    QCheckBox *chbBaixaManual = nullptr, *chbBaixaTotal = nullptr, *chbBaixaParcial = nullptr,
              *chbEmAberto = nullptr, *chbEncerrada = nullptr, *chbCancelada = nullptr;
    QCheckBox *chbConsistente = nullptr, *chbInconsistente = nullptr;
    QCheckBox *chbForaLimite = nullptr, *chbDentroLimite = nullptr;
    QGroupBox *grbAgrupFilial = nullptr, *grbFilialDest = nullptr, *grbCentral = nullptr;
    kit::MaskEdit* medAgrupFilial = nullptr;
    kit::TBtnPesquisa* btnAgrupFilial = nullptr;
    QLineEdit* edtNmAgrupFilial = nullptr;
    kit::TBtnPesquisa* btpFilial = nullptr;
    QLineEdit *edtCdCentral = nullptr, *edtNmCentral = nullptr;

    QString branchList;

    QHash<QString, QString> supplierNames;  // code → name, read with the supplier lookup
    bool groupingPending = false;  // typed since it was last looked up
    std::optional<Snapshot> confirmed;

    FilterCriteria criteria() const;
    void apply(const FilterCriteria& c);
    QWidget* control(CriteriaControl c) const;
};

}  // namespace afdesk
