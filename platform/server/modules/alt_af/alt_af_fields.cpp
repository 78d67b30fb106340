#include "alt_af_fields.h"

#include "platform/server/modules/common/af_tables.h"
#include "platform/server/modules/common/field_shorthands.h"

namespace platform::server::modules::altaf {

using namespace fieldDefs;

Fields paraSupri() { return {str("CDFILIAL", 4), str("CDGRUPPROD", 10), str("IDATUSOLILAF", 1)}; }

PacketLayout itemListLayout() {
    const TableDescriptor& i = tables::itemAutF();
    const TableDescriptor& a = tables::autoForne();
    return {expression("P.NMPRODUTO", str("NMPRODUTO", 50)),
            column(i, "I", "DTPROGENTAF"),
            expression("P.CDARVPROD", str("CDARVPROD", 20)),
            expression("F.IDTPIJURFORN", str("IDTPIJURFORN", 1)),
            expression("F.NRINSJURFORN", str("NRINSJURFORN", 20)),
            expression("F.NMFANTFORN", str("NMFANTFORN", 40)),
            column(i, "I", "CDMARCA"),
            expression("M.NMMARCA", str("NMMARCA", 20)),
            column(i, "I", "QTPROGENTAF"),
            column(i, "I", "NRAUTOFORN"),
            column(i, "I", "CDFILDEST"),
            column(i, "I", "CDFILLANC"),
            column(a, "A", "DTAUTOFORN"),
            column(i, "I", "CDPRODUTO"),
            expression("CAST(COALESCE(FL.CDFILCENTCMP, FL.CDFILIAL) AS VARCHAR(4))", str("CDFILCENTCMP", 4)),
            column(i, "I", "IDBAIXITMAF"),
            column(i, "I", "QTEFETENTRAF"),
            column(a, "A", "CDOPERADOR"),
            column(a, "A", "DSINCONSAF"),
            column(i, "I", "DSINCONSITAF")};
}

Fields itemList() { return itemListLayout().fields(); }

Fields resultErros() { return {str("CDCHAVE", 15), str("DSERROS", 10)}; }

QStringList itemDeltaColumns() {
    return tables::itemAutF().keyColumns() + QStringList{QStringLiteral("QTPROGENTAF")};
}

}  // namespace platform::server::modules::altaf
