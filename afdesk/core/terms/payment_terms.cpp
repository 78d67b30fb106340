#include "afdesk/core/terms/payment_terms.h"

#include "afdesk/core/workspace/server_calls.h"
#include "afdesk/core/workspace/workspace_messages.h"
#include "afdesk/core/workspace/workspace_site.h"

#include "host/remote/remote_names.h"
#include "host/services/progress.h"

namespace afdesk {

namespace {

// The payment terms of an AF, when no other unit defined them yet: the rows
// a new AF gets from its supplier's terms need the fields before any packet.
void ensureTermFields(host::Dataset& terms) {
    if (terms.active() || terms.fieldCount() > 0) return;
    terms.addField(host::FieldDef::string(QStringLiteral("CDFILDEST"), 4).hidden());
    terms.addField(host::FieldDef::string(QStringLiteral("CDFILLANC"), 4).hidden());
    terms.addField(host::FieldDef::string(QStringLiteral("NRAUTOFORN"), 10).hidden());
    terms.addField(host::FieldDef::floating(QStringLiteral("NRDIASPGTOAF"), QStringLiteral("Prazo(Dias)")));
    terms.addField(host::FieldDef::floating(QStringLiteral("VRPERCPGTOAF"), QStringLiteral("Percentual"),
                                            QStringLiteral("#0.00 %"))
                       .withEditFormat(QStringLiteral("#0.00")));
}

}  // namespace

PaymentTerms::PaymentTerms(WorkspaceSite& site) : m_site(site) {
    m_supplierTerms.addField(host::FieldDef::string(QStringLiteral("CDFORNECED"), 21).hidden());
    m_supplierTerms.addField(host::FieldDef::floating(QStringLiteral("NRDIASPGTOFO"), QStringLiteral("Prazo(Dias)")));
    m_supplierTerms.addField(host::FieldDef::floating(QStringLiteral("VRPERCPGTOFO"), QStringLiteral("Percentual")));
}

void PaymentTerms::keepOnlyForPaymentByForm(const QString& paymentKind) {
    host::Dataset& terms = m_site.dataset(AfPart::Terms);
    if (paymentKind == QLatin1String("V") || !terms.active()) return;
    while (!terms.isEmpty()) {
        terms.first();
        terms.deleteRecord();
    }
}

void PaymentTerms::takeSupplierTerms(const QString& supplier, const host::Value& cdFilDest,
                                     const host::Value& cdFilLanc, const host::Value& nrAutoForn) {
    {
        const host::ProgressGuard busy(m_site.dialogParent(), host::kAviTransfer,
                                       msgLancaAutoF().Msg(QStringLiteral("Get_PrazoAF")));
        loadFromServer(m_supplierTerms, m_site.server(), host::names::lancaAutoF::GetPrazoAF, {supplier});
    }
    host::Dataset& terms = m_site.dataset(AfPart::Terms);
    terms.close();
    ensureTermFields(terms);
    terms.createDataset();
    if (!m_supplierTerms.active()) return;
    for (m_supplierTerms.first(); !m_supplierTerms.eof(); m_supplierTerms.next()) {
        terms.append();
        terms.field(QStringLiteral("CDFILDEST")).setValue(cdFilDest);
        terms.field(QStringLiteral("CDFILLANC")).setValue(cdFilLanc);
        terms.field(QStringLiteral("NRAUTOFORN")).setValue(nrAutoForn);
        terms.field(QStringLiteral("NRDIASPGTOAF")).setValue(m_supplierTerms.field(QStringLiteral("NRDIASPGTOFO")).value());
        terms.field(QStringLiteral("VRPERCPGTOAF")).setValue(m_supplierTerms.field(QStringLiteral("VRPERCPGTOFO")).value());
        terms.post();
    }
}

}  // namespace afdesk
