#pragma once
// "Alteração de AF" (CMP04000): the items of open AFs of one destination
// branch, product sub-group of the supplies group and delivery period, whose
// brand and quantity the buyer changes across many AFs; "Confirmar" has the
// server check every pending change and then writes them in one batch.
//
// Layout: the filter panel `panFilial` above the standard grid, the list box
// of the current item's errors `lbxErros` below it.
#include "alt_af_datasets.h"
#include "alt_af_lookups.h"

#include "platform/kit/data_source.h"
#include "platform/kit/standard_grid_screen.h"

#include "host/remote/remote_connection.h"
#include "host/services/messages.h"

class QLineEdit;
class QListWidget;
class QWidget;

namespace kit {
class DateBox;
struct GridCell;
class MaskEdit;
class TBtnPesquisa;
}  // namespace kit

namespace afbatch {

class TfrmAltAF : public kit::StandardGridScreen {
public:
    // Connects to the server and reads the supply parameters of the
    // processing branch's purchasing branch; throws what those steps throw.
    explicit TfrmAltAF(QWidget* parent = nullptr);
    ~TfrmAltAF() override;

    // Datasets before their data sources.
    host::Dataset cdsAF{QStringLiteral("cdsAF")};
    host::Dataset cdsResultErros{QStringLiteral("cdsResultErros")};
    host::Dataset cdsParaSupri{QStringLiteral("cdsParaSupri")};
    kit::DataSource dtsPadrao{&cdsAF};
    AltAfLookups lookups;
    kit::DataSource dtsFilial{&lookups.qryFilial.result()};
    kit::DataSource dtsSubGrupo{&lookups.qrySubGrupo.result()};
    host::TMessages msg;
    host::TMessages msgPad;
    host::RemoteConnection netAltAF;

    QWidget* panFilial = nullptr;
    kit::MaskEdit* medFilial = nullptr;
    QLineEdit* edtNmFilial = nullptr;
    kit::TBtnPesquisa* btnFilial = nullptr;
    kit::MaskEdit* medSubGrupo = nullptr;
    QLineEdit* edtNmSubGrupo = nullptr;
    kit::TBtnPesquisa* btnSubGrupo = nullptr;
    kit::DateBox* depEntrIni = nullptr;
    kit::DateBox* depEntrFin = nullptr;
    QListWidget* lbxErros = nullptr;

    // Leaving the filter panel: validates branch and sub-group (required),
    // the period, and loads the list.
    void sairPainel();
    // The brand lookup (button or the brand column's ellipsis).
    void pesquisaMarca();
    // The list box's lines for the current item.
    QStringList errosDoItem() const;

    void updateTools() override;

protected:
    void doInsert() override;
    void doDelete() override;
    void doVerify() override;
    void doConfirm() override;
    void doCancel() override;
    // Pending changes are not dropped by closing without asking.
    bool queryClose() override;
    void closeEvent(QCloseEvent* event) override;
    // The first showing: the screen opens on its first filter box.
    void showEvent(QShowEvent* event) override;

private:
    void buildFilterPanel();
    void buildGrid();
    void connectServer();
    void loadParaSupri();
    void wireFilter();
    void wireItems();

    // Filter.
    void entrarPainel();
    void focusMoved(QWidget* from, QWidget* to);
    // Changes not yet confirmed are dropped only after "Cancelar operação?";
    // true when there are none or the user lets them go.
    bool mayDropPendingChanges();
    bool inPanel(const QWidget* w) const;
    void vdFilial(bool required);
    void vdSubGrupo(bool required);
    // Period check and GetAF with the current filter; an empty list is said
    // unless the caller says something itself (after a save).
    void carregaAF(bool sayWhenEmpty = true);

    // Items.
    void vdMarca(bool required);
    void antesDeGravar();
    void mostraErros();
    void desenhaCelula(kit::GridCell& cell) const;

    QString m_filial;     // the branch the list was loaded for
    QString m_subGrupo;
    bool m_leaving = false;
    bool m_shown = false;
    bool m_keepingList = false;  // the user kept the list: the focus goes back to it, entering nothing
    QMetaObject::Connection m_focusWatch;  // cut before the widgets go: closing moves the focus
};

}  // namespace afbatch
