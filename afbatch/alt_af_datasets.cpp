#include "alt_af_datasets.h"

#include "host/data/text_format.h"
#include "host/services/edit_mask.h"
#include "host/services/inscricao.h"

namespace afbatch {

namespace {

using host::FieldDef;

FieldDef shown(FieldDef f, const char* label) {
    f.displayLabel = QString::fromUtf8(label);
    f.readOnly = true;
    return f;
}
FieldDef str(const char* name, int size) { return FieldDef::string(QString::fromLatin1(name), size).asReadOnly().hidden(); }

// The supplier's registration number through the mask of its person type.
QString registrationText(const host::Field& f, bool) {
    const host::Field* type = f.dataset().findField(QStringLiteral("IDTPIJURFORN"));
    const QString mask = type ? host::PictPess(type->asString()) : QString();
    return mask.isEmpty() ? f.asString() : host::formatMaskText(mask, f.asString());
}

}  // namespace

void defineAF(host::Dataset& ds) {
    ds.addField(shown(FieldDef::string("NMPRODUTO", 50), "Nome Produto"));
    ds.addField(shown(FieldDef::dateTime("DTPROGENTAF"), "Data").withDisplayFormat("dd/mm/yyyy"));
    ds.addField(shown(FieldDef::string("CDARVPROD", 20), "Produto"));
    ds.addField(shown(FieldDef::string("IDTPIJURFORN", 1), "Tipo Fornecedor").hidden());
    ds.addField(shown(FieldDef::string("NRINSJURFORN", 20), "Fornecedor")).onGetText = registrationText;
    ds.addField(shown(FieldDef::string("NMFANTFORN", 40), "Nome Fantasia"));
    ds.addField(FieldDef::string("CDMARCA", 5, QStringLiteral("Marca")).withEditMask(QStringLiteral("99999;9; ")));
    ds.addField(shown(FieldDef::string("NMMARCA", 20), "Nome Marca"));
    ds.addField(FieldDef::floating("QTPROGENTAF", QStringLiteral("Quantidade"), QStringLiteral("###,##0.000"))
                    .asRequired()
                    .withAlignment(Qt::AlignRight));
    ds.addField(shown(FieldDef::string("NRAUTOFORN", 10), "Nº AF"));
    for (const char* key : {"CDFILDEST", "CDFILLANC"}) ds.addField(str(key, 4));
    ds.addField(FieldDef::dateTime("DTAUTOFORN").asReadOnly().hidden());
    ds.addField(str("CDPRODUTO", 10));
    ds.addField(str("CDFILCENTCMP", 4));
    ds.addField(str("IDBAIXITMAF", 1));
    ds.addField(FieldDef::floating("QTEFETENTRAF").asReadOnly().hidden());
    ds.addField(str("CDOPERADOR", 12));
    ds.addField(str("DSINCONSAF", 2000));
    ds.addField(str("DSINCONSITAF", 2000));
}

void defineResultErros(host::Dataset& ds) {
    ds.addField(FieldDef::string("CDCHAVE", 15));
    ds.addField(FieldDef::string("DSERROS", 10));
    ds.setIndexFieldNames(QStringLiteral("CDCHAVE;DSERROS"));
}

void defineParaSupri(host::Dataset& ds) {
    ds.addField(FieldDef::string("CDFILIAL", 4));
    ds.addField(FieldDef::string("CDGRUPPROD", 10));
    ds.addField(FieldDef::string("IDATUSOLILAF", 1));
}

QString chaveErro(const QString& product, const QString& brand) { return product + brand; }

}  // namespace afbatch
