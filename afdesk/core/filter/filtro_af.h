#pragma once
// The AF filter dialog "CMP03901" ("Filtro Autorização de Fornecimento"): the
// criteria a buyer states before the workspace lists any AF, the remote calls
// that fill the workspace's branch and AF lists, and the criteria kept for the
// next opening.
//
// The dialog is created once per workspace, shown modally any number of
// times (hidden in between) and destroyed with the workspace; the module-wide
// state below outlives both while the library is loaded.
#include "platform/kit/standard_filter_screen.h"

#include <QtCore/QDate>
#include <QtCore/QString>
#include <functional>
#include <memory>

class QKeyEvent;
class QShowEvent;

namespace host {
class Dataset;
class RemoteConnection;
}  // namespace host

namespace afdesk {

// The saved-criteria record, written at each confirmation. Check-box flags are
// stored inverted (true = unchecked) so that a never-written record means
// every box checked.
struct TFILTRO {
    bool fornLista = false;
    QString fornList;
    bool compLista = false;
    QString compList;
    QDate emisIni, emisFim, entrIni, entrFim;  // null: never confirmed / empty
    bool semBaixaParcial = false, semBaixaManual = false, semBaixaTotal = false, semEmAberto = false,
         semEncerrada = false, semCancelada = false, semInconsistente = false, semConsistente = false,
         semForaLimite = false, semDentroLimite = false;
};

// Module-wide state of the dialog.
struct FilterModuleState {
    bool boModalResult = false;  // last showing ended with confirmation
    bool boPrimVez = false;      // from creation of an instance until its first activation
    bool boFilCriado = false;    // while the dialog is being shown
    QString stPesqForn;          // supplier list text ("_a_b_")
    QString stPesqComp;          // buyer list text
    TFILTRO filtro;
};
FilterModuleState& filterState();
// Back to a freshly loaded library (tests).
void resetFilterState();

// What a confirmation fills. Pointers are the workspace's; they outlive the dialog.
struct FilterTargets {
    host::Dataset* cdsParamFilial = nullptr;
    host::Dataset* cdsFilialDest = nullptr;
    host::Dataset* cdsServAutoForne = nullptr;
    host::Dataset* cdsControleFilial = nullptr;
    host::RemoteConnection* netLancaAutoF = nullptr;
    // CDFILDEST of the workspace's header (cdsAutoForne); empty when none.
    std::function<QString()> headerCdFilDest;
    // Repaints the workspace once the lists are in.
    std::function<void()> repaintWorkspace;
};

// Who asked for a confirmation.
enum class ConfirmOrigin {
    Reload,        // the workspace, without a sender: only the AF list is read again
    User,          // the confirm button: branches and list
    HeaderBranch,  // the header's destination-branch box: as User, then its branch becomes current
};

class FiltroAF : public kit::StandardFilterScreen {
public:
    explicit FiltroAF(FilterTargets targets, QWidget* parent = nullptr);
    ~FiltroAF() override;

    // Validates, writes TFILTRO, calls the server and fills the targets. A
    // failed validation throws host::UserError after moving the focus to the
    // offending control; a failed remote call throws the server's message.
    // Reload neither checks nor writes TFILTRO: it reads the list of the current
    // cdsFilialDest row with the criteria in the dialog, which are always the
    // confirmed ones (a cancel gives the controls back their confirmed state).
    void sbtConfirmaClick(ConfirmOrigin origin);

    // The "Central de Compras" code shown in the dialog (edtCdCentral).
    QString centralCode() const;

    // Argument texts of the last confirmation, as sent to the server.
    struct Arguments {
        QString grouping, branchList, allBranches, buyers, suppliers, consistency, limit, situations, openFlag,
            afDatesEmpty, deliveryDatesEmpty, central;
        QDate afFrom, afTo, deliveryFrom, deliveryTo;
        bool branchMode = false;
    };
    Arguments arguments() const;  // computed from the controls as they stand now

    // The confirmation fills the workspace passed here from now on.
    void setTargets(FilterTargets targets);
    // The destination-branch list text ("_0001_0002_"; empty with "Todas").
    QString branchList() const;

    void saveOptions() override;  // adds "stPesqForn" and "stPesqComp"
    void loadOptions() override;

protected:
    void doConfirm() override;  // sbtConfirmaClick(ConfirmOrigin::User)
    void doCancel() override;
    bool onKeyPreview(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Impl;
    struct Snapshot;

    void buildControls();
    void connectCriteria();
    void connectLookups();
    void firstActivation();
    void searchSuppliers();
    void searchBuyers();
    void beforeBranchLookup();
    void loadGroupings();
    void checkGrouping();
    void validate();
    void callServer(ConfirmOrigin origin, const Arguments& a);
    Snapshot snapshot() const;
    void restore(const Snapshot& s);
    void showLists();

    std::unique_ptr<Impl> d;
};

// Shows the dialog modally, creating it on the first call (the same instance
// serves every later call); does nothing while it is already shown. Returns
// boModalResult.
bool CriaFiltroAF(const FilterTargets& targets, QWidget* parent);
// The instance, or null before the first call and after destroyFiltroAF.
FiltroAF* filtroAF();
// Destroys the instance (the workspace's close).
void destroyFiltroAF();

}  // namespace afdesk
