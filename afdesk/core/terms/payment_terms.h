#pragma once
// The AF's payment terms (cdsPrazoPgtAF): the part of them the header's
// events need today. A new AF takes its supplier's terms and an AF not paid
// by form keeps no term rows.
#include "host/data/dataset.h"

#include <QtCore/QString>

namespace afdesk {

class WorkspaceSite;

class PaymentTerms {
public:
    explicit PaymentTerms(WorkspaceSite& site);

    // After the header's post: term rows belong to payment by form ("V") only;
    // each removal is a change the save sends.
    void keepOnlyForPaymentByForm(const QString& paymentKind);

    // The terms of a new AF: its supplier's default terms (GetPrazoAF), each
    // row keyed by the AF's destination branch, launching branch and number.
    void takeSupplierTerms(const QString& supplier, const host::Value& cdFilDest, const host::Value& cdFilLanc,
                           const host::Value& nrAutoForn);

    // The supplier's terms last read.
    host::Dataset& cdsPrazoPgFor() { return m_supplierTerms; }

private:
    WorkspaceSite& m_site;
    host::Dataset m_supplierTerms{QStringLiteral("cdsPrazoPgFor")};
};

}  // namespace afdesk
