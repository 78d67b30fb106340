// Creation, layout, the server connection and closing of the bulk alteration screen.
#include "alt_af_messages.h"
#include "alt_af_screen.h"

#include "platform/kit/db_grid.h"
#include "platform/kit/lookup_button.h"
#include "platform/kit/mask_edit.h"
#include "platform/kit/record_navigator.h"
#include "platform/kit/screen_keys.h"

#include "host/remote/check_result.h"
#include "host/remote/server_access.h"
#include "host/services/dialog_service.h"
#include "host/services/progress.h"
#include "host/services/session.h"

#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QVBoxLayout>

namespace afbatch {

namespace {

QLineEdit* nameBox(QWidget* parent, int width) {
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setMinimumWidth(width);
    return e;
}

}  // namespace

TfrmAltAF::TfrmAltAF(QWidget* parent)
    : kit::StandardGridScreen(QStringLiteral("CMP04000"), parent), msg(msgAltAF()), msgPad(msgPadrao()),
      netAltAF(host::names::altAF::module) {
    setWindowTitle(QStringLiteral("Alteração de AF"));
    defineAF(cdsAF);
    defineResultErros(cdsResultErros);
    defineParaSupri(cdsParaSupri);
    cdsResultErros.createDataset();
    cdsAF.field("CDARVPROD").setEditMask(host::session().DBPict(host::kPictProduto));
    setStandardSource(&dtsPadrao);
    buildFilterPanel();
    buildGrid();
    wireFilter();
    wireItems();
    // Enter moves on in the filter boxes as it does while an item is edited.
    keys().enterAsTab = [this, whileEditing = keys().enterAsTab] {
        return whileEditing() || inPanel(QApplication::focusWidget());
    };
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) { focusMoved(from, to); });
    connectServer();
    loadParaSupri();
    updateTools();
}

TfrmAltAF::~TfrmAltAF() {
    disconnect(m_focusWatch);
    setStandardSource(nullptr);
}

void TfrmAltAF::buildFilterPanel() {
    panFilial = new QWidget(this);
    panFilial->setObjectName(QStringLiteral("panFilial"));
    auto* row = new QHBoxLayout(panFilial);
    row->setContentsMargins(4, 4, 4, 4);

    medFilial = new kit::MaskEdit(QStringLiteral(">aaaa;0; "), panFilial);
    medFilial->setObjectName(QStringLiteral("medFilial"));
    edtNmFilial = nameBox(panFilial, 160);
    btnFilial = new kit::TBtnPesquisa(panFilial);
    btnFilial->setEdit(medFilial);
    btnFilial->setTitle(QStringLiteral("Filial|Não há filial cadastrada."));
    btnFilial->setColumns({{QStringLiteral("CDFILIAL"), QStringLiteral("Código ")}, {QStringLiteral("NMFILIAL"), QStringLiteral("Nome")}});
    btnFilial->setKeyField(QStringLiteral("CDFILIAL"));

    medSubGrupo = new kit::MaskEdit(QStringLiteral("9999999999;0; "), panFilial);
    medSubGrupo->setObjectName(QStringLiteral("medSubGrupo"));
    edtNmSubGrupo = nameBox(panFilial, 160);
    btnSubGrupo = new kit::TBtnPesquisa(panFilial);
    btnSubGrupo->setEdit(medSubGrupo);
    btnSubGrupo->setTitle(QStringLiteral("SubGrupo|Não há subgrupo cadastrado."));
    btnSubGrupo->setColumns(
        {{QStringLiteral("CDSUBGRPROD"), QStringLiteral("Código ")}, {QStringLiteral("NMSUBGRPROD"), QStringLiteral("Nome")}});
    btnSubGrupo->setKeyField(QStringLiteral("CDSUBGRPROD"));

    depEntrIni = new kit::DateBox(panFilial);
    depEntrIni->setObjectName(QStringLiteral("depEntrIni"));
    depEntrFin = new kit::DateBox(panFilial);
    depEntrFin->setObjectName(QStringLiteral("depEntrFin"));

    row->addWidget(new QLabel(QStringLiteral("Filial"), panFilial));
    row->addWidget(medFilial);
    row->addWidget(btnFilial);
    row->addWidget(edtNmFilial);
    row->addWidget(new QLabel(QStringLiteral("SubGrupo"), panFilial));
    row->addWidget(medSubGrupo);
    row->addWidget(btnSubGrupo);
    row->addWidget(edtNmSubGrupo);
    row->addWidget(new QLabel(QStringLiteral("Entrega"), panFilial));
    row->addWidget(depEntrIni);
    row->addWidget(new QLabel(QStringLiteral("à"), panFilial));
    row->addWidget(depEntrFin);
    row->addStretch();
    contentLayout()->insertWidget(0, panFilial);

    lbxErros = new QListWidget(this);
    lbxErros->setObjectName(QStringLiteral("lbxErros"));
    lbxErros->setFocusPolicy(Qt::NoFocus);
    lbxErros->setMaximumHeight(90);
    contentLayout()->addWidget(lbxErros);
}

void TfrmAltAF::buildGrid() {
    kit::DBGrid* grid = standardGrid();
    grid->setColumns({
        kit::GridColumn(QStringLiteral("DTPROGENTAF"), QStringLiteral("Data"), 80).asReadOnly(),
        kit::GridColumn(QStringLiteral("CDARVPROD"), QStringLiteral("Produto"), 220).asReadOnly(),
        kit::GridColumn(QStringLiteral("NRINSJURFORN"), QStringLiteral("Fornecedor"), 160).asReadOnly(),
        kit::GridColumn(QStringLiteral("CDMARCA"), QStringLiteral("Marca"), 140),
        kit::GridColumn(QStringLiteral("QTPROGENTAF"), QStringLiteral("Quantidade"), 90).titleRight(),
        kit::GridColumn(QStringLiteral("NRAUTOFORN"), QStringLiteral("Nº AF"), 90).asReadOnly(),
    });
    kit::GridOptions options;
    options.allowInsert = false;
    options.allowDelete = false;
    grid->setOptions(options);
    navigator()->setDisplayField(QStringLiteral("NMPRODUTO"));
}

// A failed connection does not raise: the first call reports it.
void TfrmAltAF::connectServer() {
    host::bindToServer(netAltAF);
    try {
        netAltAF.open();
    } catch (const std::exception&) {
    }
}

void TfrmAltAF::loadParaSupri() {
    lookups.qryCentCmp.setParam(QStringLiteral("P_CDFILIAL"), host::session().FiliProc());
    lookups.qryCentCmp.open();
    const QString central = lookups.qryCentCmp.isEmpty() ? host::session().FiliProc()
                                                         : lookups.qryCentCmp.field(QStringLiteral("CDFILIAL")).asString();
    host::ProgressGuard progress(this, host::kAviTransfer);
    const host::RemoteValue answer = host::CheckResultServ(netAltAF.call(host::names::altAF::GetParaSupri, {central}), true, 0);
    cdsParaSupri.setData(answer.packetBytes());
}

bool TfrmAltAF::mayDropPendingChanges() {
    const bool pending = cdsAF.active() && (cdsAF.editing() || cdsAF.changeCount() > 0);
    return !pending || host::dialogs().ask(host::MessageKind::Confirmation, msgPad.Msg(QStringLiteral("Canc")),
                                           host::QuestionButtons::YesNo, this) == host::kYes;
}

bool TfrmAltAF::queryClose() { return mayDropPendingChanges(); }

void TfrmAltAF::showEvent(QShowEvent* event) {
    kit::StandardGridScreen::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    // Once the host's window has taken the screen in: its frame relinks the focus
    // chain (Tab from the last date would reach the frame, not the list) and gives
    // the focus to the grid when it activates. The way in is the first filter box.
    QTimer::singleShot(0, this, [this] {
        setTabOrder(depEntrFin, standardGrid());
        medFilial->setFocus(Qt::OtherFocusReason);
    });
}

// The standard close asks queryClose(); the connection goes only when the screen does.
void TfrmAltAF::closeEvent(QCloseEvent* event) {
    kit::StandardGridScreen::closeEvent(event);
    if (!event->isAccepted()) return;
    for (int tries = 0; netAltAF.isOpen() && tries < 10; ++tries) netAltAF.close();
}

}  // namespace afbatch
