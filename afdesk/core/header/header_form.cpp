// The controls of "Dados da AF", laid out as the buyer fills them: where the
// goods go and when, who buys from whom, who is invoiced, how it is charged
// and carried; the values the buyer only reads come first.
#include "afdesk/core/header/header_impl.h"

#include "afdesk/core/model/code_domains.h"

#include "platform/kit/db_check_box.h"
#include "platform/kit/db_combo_box.h"
#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/db_text.h"
#include "platform/kit/lookup_button.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLayout>
#include <tuple>

namespace afdesk {

namespace {

class FormBuilder {
public:
    FormBuilder(QWidget* form, kit::DataSource* source) : m_form(form), m_source(source), m_grid(new QGridLayout(form)) {
        m_grid->setColumnStretch(3, 1);
    }

    QLabel* label(const QString& caption, const QString& name = {}) {
        auto* l = new QLabel(caption, m_form);
        if (!name.isEmpty()) l->setObjectName(name);
        m_grid->addWidget(l, m_row, 0);
        return l;
    }
    template <typename Edit>
    Edit* edit(const char* field, const QString& name, int column = 1) {
        auto* e = new Edit(m_source, QString::fromLatin1(field), m_form);
        e->setObjectName(name);
        m_grid->addWidget(e, m_row, column);
        return e;
    }
    // A value shown beside a code, never typed.
    kit::DBEdit* shown(const char* field, int column = 3) {
        auto* e = edit<kit::DBEdit>(field, QStringLiteral("dbe") + QLatin1String(field), column);
        e->setControlReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        return e;
    }
    kit::TBtnPesquisa* button(const QString& name, kit::DBEdit* edit) {
        auto* b = new kit::TBtnPesquisa(m_form);
        b->setObjectName(name);
        b->setEdit(edit);
        b->setFocusPolicy(Qt::NoFocus);
        m_grid->addWidget(b, m_row, 2);
        return b;
    }
    kit::DBComboBox* combo(const char* field, const QString& name, const QStringList& captions,
                           const QStringList& codes) {
        auto* c = new kit::DBComboBox(m_form);
        c->setObjectName(name);
        c->bind(m_source, QString::fromLatin1(field));
        c->setItems(captions, codes);
        m_grid->addWidget(c, m_row, 1);
        return c;
    }
    // One row of a looked-up code: its caption, the code's box, the lookup
    // button beside it and the name the code brings.
    std::tuple<QLabel*, kit::DBEdit*, kit::TBtnPesquisa*, kit::DBEdit*> lookupRow(
        const QString& caption, const QString& labelName, const char* codeField, const QString& editName,
        const QString& buttonName, const char* nameField) {
        QLabel* l = label(caption, labelName);
        auto* code = edit<kit::DBEdit>(codeField, editName);
        kit::TBtnPesquisa* b = button(buttonName, code);
        kit::DBEdit* name = shown(nameField);
        nextRow();
        return {l, code, b, name};
    }
    void place(QWidget* w, int column, int span = 1) { m_grid->addWidget(w, m_row, column, 1, span); }
    void nextRow() { ++m_row; }
    void finish() { m_grid->setRowStretch(m_row + 1, 1); }

private:
    QWidget* m_form;
    kit::DataSource* m_source;
    QGridLayout* m_grid;
    int m_row = 0;
};

}  // namespace

void HeaderEntry::Impl::buildForm(QWidget* page) {
    form = new QWidget(page);
    form->setObjectName(QStringLiteral("pnlDadosAF"));
    FormBuilder b(form, &w.dataSource(AfPart::Header));

    b.label(QStringLiteral("Número"));
    b.shown("NRAUTOFORN", 1);
    b.nextRow();
    b.label(QStringLiteral("Filial Lançamento"));
    b.shown("CDFILLANC", 1);
    b.shown("NMFILIAL");
    b.nextRow();

    std::tie(lblFilDest, dbeCdFilDest, btnPesqFilDest, dbeNmFilDest) =
        b.lookupRow(QStringLiteral("Filial Destino"), QStringLiteral("lblFilDest"), "CDFILDEST",
                    QStringLiteral("dbeCdFilDest"), QStringLiteral("btnPesqFilDest"), "NMFILDEST");
    lblDtLanc = b.label(QStringLiteral("Data"), QStringLiteral("lblDtLanc"));
    dbdDtLanc = b.edit<kit::DBDateEdit>("DTAUTOFORN", QStringLiteral("dbdDtLanc"));
    lblDiaSemana = new QLabel(form);
    lblDiaSemana->setObjectName(QStringLiteral("lblDiaSemana"));
    b.place(lblDiaSemana, 3);
    b.nextRow();
    std::tie(lblComp, dbeCDComp, btnPesqComp, dbeNmComp) =
        b.lookupRow(QStringLiteral("Comprador"), QStringLiteral("lblComp"), "CDOPERADOR",
                    QStringLiteral("dbeCDComp"), QStringLiteral("btnPesqComp"), "NMOPERADOR");
    std::tie(lblForn, dbeNRINSJURForN, btnPesqForn, dbeNmForn) =
        b.lookupRow(QStringLiteral("Fornecedor"), QStringLiteral("lblForn"), "NRINSJURFORN",
                    QStringLiteral("dbeNRINSJURForN"), QStringLiteral("btnPesqForn"), "NMRAZSOCFORN");

    lblDestNF = b.label(QStringLiteral("Destinatário NF"), QStringLiteral("lblDestNF"));
    dcbEmitente = b.combo("IDTIPOEMITAF", QStringLiteral("dcbEmitente"), tipoEmitAFItems(),
                          {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    b.nextRow();
    std::tie(std::ignore, dbeCDEmpresa, btnEmitente, dbeNmEmpresa) =
        b.lookupRow(QStringLiteral("Empresa"), QStringLiteral("lblEmpresa"), "CDEMPRESA",
                    QStringLiteral("dbeCDEmpresa"), QStringLiteral("btnEmitente"), "NMEMPRESA");
    std::tie(std::ignore, dbeCDCob, btnCobranca, dbeNmCob) =
        b.lookupRow(QStringLiteral("Tipo de Cobrança"), QStringLiteral("lblCob"), "CDTIPCOB",
                    QStringLiteral("dbeCDCob"), QStringLiteral("btnCobranca"), "NMTIPOCOBR");
    std::tie(std::ignore, dbeCDTPCTPAGAR, btnTipoCtPagar, dbeDsTpCtPagar) =
        b.lookupRow(QStringLiteral("Tipo de Conta a Pagar"), QStringLiteral("lblTpCtPagar"), "CDTPCTPAGAR",
                    QStringLiteral("dbeCDTPCTPAGAR"), QStringLiteral("btnTipoCtPagar"), "DSTPCTPAGAR");
    std::tie(std::ignore, dbeNRINSJURTRAN, btnTransp, dbeNmTransp) =
        b.lookupRow(QStringLiteral("Transportadora"), QStringLiteral("lblTransp"), "NRINSJURTRAN",
                    QStringLiteral("dbeNRINSJURTRAN"), QStringLiteral("btnTransp"), "NMRAZSOCTRAN");
    b.label(QStringLiteral("Frete"), QStringLiteral("lblFrete"));
    const QStringList freight = tipoFretAFItems();
    QStringList freightCodes;
    for (const QString& caption : freight) freightCodes << tipoFretAFDomain().codeOf(caption).value_or(QString());
    dcbFrete = b.combo("IDTIPOFRETAF", QStringLiteral("dcbFrete"), freight, freightCodes);
    b.nextRow();

    auto* flags = new QWidget(form);
    auto* row = new QHBoxLayout(flags);
    row->setContentsMargins(0, 0, 0, 0);
    chbExtra = new QCheckBox(QStringLiteral("AF Extra"), flags);
    chbExtra->setObjectName(QStringLiteral("chbExtra"));
    chbOL = new kit::DBCheckBox(&w.dataSource(AfPart::Header), QStringLiteral("IDAFOPERLOG"),
                                QStringLiteral("Distribuição Através do Operador Logístico"), flags);
    chbOL->setObjectName(QStringLiteral("chbOL"));
    chbOL->setValues(QStringLiteral("2"), QStringLiteral("1"));
    chbAfPiloto = new QCheckBox(QStringLiteral("AF Piloto"), flags);
    chbAfPiloto->setObjectName(QStringLiteral("chbAfPiloto"));
    for (QWidget* box : {static_cast<QWidget*>(chbExtra), static_cast<QWidget*>(chbOL), static_cast<QWidget*>(chbAfPiloto)})
        row->addWidget(box);
    row->addStretch(1);
    b.place(flags, 1, 3);
    b.nextRow();

    b.label(QStringLiteral("Forma de Pagamento"));
    b.shown("CDFORMPGTO", 1);
    b.shown("NMFORMPGTO");
    b.nextRow();
    b.label(QStringLiteral("Total"));
    b.shown("VRTOTALAF", 1);
    b.nextRow();
    b.label(QStringLiteral("Sit. da Baixa"));
    auto* situacao = new kit::DBText(&w.dataSource(AfPart::Header), QStringLiteral("IDBAIXAAF"), form);
    situacao->setObjectName(QStringLiteral("dbtIDBAIXAAF"));
    b.place(situacao, 1);
    b.finish();
    page->layout()->addWidget(form);
}

}  // namespace afdesk
