#include "alt_af_fields.h"

namespace platform::server::modules::altaf {

namespace {

using host::FieldDef;

FieldDef str(const char* name, int size) { return FieldDef::string(QString::fromLatin1(name), size); }
FieldDef num(const char* name) { return FieldDef::floating(QString::fromLatin1(name)); }
FieldDef date(const char* name) { return FieldDef::dateTime(QString::fromLatin1(name)); }

}  // namespace

Fields paraSupri() { return {str("CDFILIAL", 4), str("CDGRUPPROD", 10), str("IDATUSOLILAF", 1)}; }

Fields itemList() {
    return {str("NMPRODUTO", 50),     date("DTPROGENTAF"),     str("CDARVPROD", 20),   str("IDTPIJURFORN", 1),
            str("NRINSJURFORN", 20),  str("NMFANTFORN", 40),   str("CDMARCA", 5),      str("NMMARCA", 20),
            num("QTPROGENTAF"),       str("NRAUTOFORN", 10),   str("CDFILDEST", 4),    str("CDFILLANC", 4),
            date("DTAUTOFORN"),       str("CDPRODUTO", 10),    str("CDFILCENTCMP", 4), str("IDBAIXITMAF", 1),
            num("QTEFETENTRAF"),      str("CDOPERADOR", 12),   str("DSINCONSAF", 2000), str("DSINCONSITAF", 2000)};
}

Fields resultErros() { return {str("CDCHAVE", 15), str("DSERROS", 10)}; }

}  // namespace platform::server::modules::altaf
