#pragma once
// The header entry's shared state: its controls, lookups and the flags its
// handlers pass to each other. Private to the header's units.
#include "afdesk/core/header/header_check_order.h"
#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/header/header_queries.h"
#include "afdesk/core/workspace/workspace_site.h"

#include "host/data/dataset.h"
#include "host/services/messages.h"
#include "platform/kit/data_source.h"

#include <QtCore/QPointer>
#include <map>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kit {
class DBCheckBox;
class DBComboBox;
class DBDateEdit;
class DBEdit;
class DBText;
class TBtnPesquisa;
}  // namespace kit

namespace afdesk {


struct HeaderEntry::Impl {
    Impl(HeaderEntry& entry, WorkspaceSite& site);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    HeaderEntry& self;
    WorkspaceSite& w;
    HeaderQueries q;

    // Data sources of the lookup buttons' pick lists.
    kit::DataSource dtsFilial{&q.qryFilial.result()};
    kit::DataSource dtsPesqForn{&q.qryPesqForn.result()};
    kit::DataSource dtsPesqComp{&q.qryPesqComp.result()};
    kit::DataSource dtsPesqEmpresa{&q.qryPesqEmpresa.result()};
    kit::DataSource dtsPesqCobr{&q.qryPesqCobr.result()};
    kit::DataSource dtsTipoCtPagar{&q.qryTipoCtPagar.result()};
    kit::DataSource dtsPesqTransp{&q.qryPesqTransp.result()};

    // --- Controls ---------------------------------------------------------------------
    QWidget* form = nullptr;
    QLabel* lblFilDest = nullptr;
    kit::DBEdit* dbeCdFilDest = nullptr;
    kit::TBtnPesquisa* btnPesqFilDest = nullptr;
    kit::DBEdit* dbeNmFilDest = nullptr;
    QLabel* lblDtLanc = nullptr;
    kit::DBDateEdit* dbdDtLanc = nullptr;
    QLabel* lblDiaSemana = nullptr;
    QLabel* lblComp = nullptr;
    kit::DBEdit* dbeCDComp = nullptr;
    kit::TBtnPesquisa* btnPesqComp = nullptr;
    kit::DBEdit* dbeNmComp = nullptr;
    QLabel* lblForn = nullptr;
    kit::DBEdit* dbeNRINSJURForN = nullptr;
    kit::TBtnPesquisa* btnPesqForn = nullptr;
    kit::DBEdit* dbeNmForn = nullptr;
    QLabel* lblDestNF = nullptr;
    kit::DBComboBox* dcbEmitente = nullptr;
    kit::DBEdit* dbeCDEmpresa = nullptr;
    kit::TBtnPesquisa* btnEmitente = nullptr;
    kit::DBEdit* dbeNmEmpresa = nullptr;
    kit::DBEdit* dbeCDCob = nullptr;
    kit::TBtnPesquisa* btnCobranca = nullptr;
    kit::DBEdit* dbeNmCob = nullptr;
    kit::DBEdit* dbeCDTPCTPAGAR = nullptr;
    kit::TBtnPesquisa* btnTipoCtPagar = nullptr;
    kit::DBEdit* dbeDsTpCtPagar = nullptr;
    kit::DBEdit* dbeNRINSJURTRAN = nullptr;
    kit::TBtnPesquisa* btnTransp = nullptr;
    kit::DBEdit* dbeNmTransp = nullptr;
    kit::DBComboBox* dcbFrete = nullptr;
    QCheckBox* chbExtra = nullptr;
    kit::DBCheckBox* chbOL = nullptr;
    QCheckBox* chbAfPiloto = nullptr;

    // --- State --------------------------------------------------------------------------
    int busy = 0;                 // a check or a post is moving the focus: exit handlers wait
    bool branchAccepted = false;  // Vd_CdFilDest took the new AF's branch: it stays fixed
    bool cancelledInsert = false;
    // The logistic-operator choice can be made for the new AF's branch (GetParCentCmp).
    bool logisticChoiceOpen = true;
    int headerTag = 0;            // tag of cdsAutoForne: 99 once the post of a new AF began
    int listenerId = 0;           // on the header dataset, removed with the entry
    // The name a code box dropped when the user began typing over its code:
    // Esc gives the code back, and with it this name.
    std::map<const kit::DBEdit*, host::Value> namesBeforeTyping;
    QString buyerConfirmedBeforeTyping;  // IdSenhaComp when the buyer's code began to be typed over

    // Marks a check or event under way for its scope.
    class Busy {
    public:
        explicit Busy(Impl& d) : m_d(d) { ++m_d.busy; }
        ~Busy() { --m_d.busy; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        Impl& m_d;
    };

    // --- Helpers --------------------------------------------------------------------------
    host::Dataset& header() { return w.dataset(AfPart::Header); }
    const host::Dataset& header() const { return w.dataset(AfPart::Header); }
    host::Dataset& list() { return w.dataset(AfPart::List); }
    host::Field& field(const char* name) { return header().field(QString::fromLatin1(name)); }
    QString text(const char* name) { return field(name).asString().trimmed(); }
    // Writes a header field while the header is edited; a value already there is left alone.
    void set(const char* name, const host::Value& value);
    void set(const char* name, const QString& value) { set(name, host::Value(value)); }
    // The header shows a row (an AF, or a new one being inserted).
    bool hasRow() const { return header().active() && !header().isEmpty(); }
    bool inserting() const { return header().state() == host::DatasetState::Insert; }
    bool editing() const { return header().editing(); }
    bool onHeaderTab() const { return w.isActiveTab(WorkspaceTab::DadosAF); }

    // Typing over a code drops the name of the old one; Esc brings it back, leaving the box keeps the new one.
    void dropName(const kit::DBEdit* box, const char* name);
    void restoreName(const kit::DBEdit* box, const char* name);

    QString msg(const char* key) const;
    [[noreturn]] void fail(const char* key) const;  // MensErro of the message, abandoning the operation

    // The destination branch typed in the header.
    QString branchText() { return text("CDFILDEST"); }
    // The purchasing central typed in the filter dialog.
    QString central() const;
    // A parameter of the branch: cdsParamFilial (positioned on it) when it
    // carries the field, else the branch's row of cdsFilialDest.
    QString branchParam(const QString& branch, const QString& name);

    void showHeaderTab();
    void focus(QWidget* control);  // when it can take the focus
    QWidget* focused() const;      // the header control holding the focus, or null

    // Writes the typed text of an edit box to its field, so a check reads what the user sees.
    void flush(kit::DBEdit* edit);

    // --- Parts implemented by the units -----------------------------------------------
    void buildForm(QWidget* page);
    void connectHandlers();
    void connectLookups();
    void applyEmitterLook();
    void runCheck(HeaderCheck check);
    // The box of the header a control is, for the order of the post's checks.
    HeaderBox boxOf(const QWidget* focus) const;

    void beforeInsert();
    void afterInsert();
    void beforeEdit();
    void afterDelete();
    void beforePost();
    void afterPost();
    void beforeCancel();
    void afterCancel();
    void afterScroll();
    void ensureListRow();
    void newAfDefaults();
    void emitterDefaults(const QString& branch);
    void readSupplierTerms();
    void mirrorIntoList(bool newAf);
};

}  // namespace afdesk
