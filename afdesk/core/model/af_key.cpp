#include "af_key.h"

#include "host/data/dataset.h"
#include "host/services/consiste.h"

namespace afdesk {

namespace {

QString textOf(const host::Dataset& ds, const char* name) {
    const host::Field* f = ds.findField(QString::fromLatin1(name));
    return f ? f->asString().trimmed() : QString();
}

// CDFILLANC + NRAUTOFORN: what tells two AFs apart for the reload test.
QString launchKey(const host::Dataset& ds) { return textOf(ds, "CDFILLANC") + textOf(ds, "NRAUTOFORN"); }

}  // namespace

AfKey AfKey::of(const host::Dataset& ds) {
    return {textOf(ds, "CDFILDEST"), textOf(ds, "CDFILLANC"), textOf(ds, "NRAUTOFORN")};
}

bool isDifferentAF(const host::Dataset& list, const host::Dataset& dependent) {
    if (!dependent.findField(QStringLiteral("NRAUTOFORN"))) return false;
    return launchKey(list) != launchKey(dependent);
}

void MessagesAf::takeNumberFrom(const host::Dataset& list) {
    // A new AF has no number yet: it counts as 0.
    nrAutoForn = textOf(list, "NRAUTOFORN").toLongLong();
}

bool MessagesAf::isDifferentFrom(const host::Dataset& list) const {
    const QString kept = host::Ajusta(QString::number(cdFilLanc), 4) + host::Ajusta(QString::number(nrAutoForn), 10);
    return kept != launchKey(list);
}

}  // namespace afdesk
