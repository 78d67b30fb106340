#pragma once
// The datasets of the bulk alteration screen: the item list `cdsAF` (only the
// brand and the quantity are editable), the server's check rows
// `cdsResultErros` and the supply parameters `cdsParaSupri`.
#include "host/data/dataset.h"

namespace afbatch {

void defineAF(host::Dataset& ds);           // cdsAF
void defineResultErros(host::Dataset& ds);  // cdsResultErros, indexed on CDCHAVE;DSERROS
void defineParaSupri(host::Dataset& ds);    // cdsParaSupri

// The key of a check row for an item: its product followed by its brand.
QString chaveErro(const QString& product, const QString& brand);

}  // namespace afbatch
