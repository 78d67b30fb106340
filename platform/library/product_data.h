#pragma once
// `Lib00210.Dados_Produto` and `Lib00210.Validacao_Produto`, read over the
// host's database connection (hostDatabase()).
#include <QtCore/QString>
#include <QtCore/QVariantList>

namespace platform::library {

// A typed tree code in its stored form under the product picture (DBPict 0);
// a text that is not a code of the picture is only trimmed, so it is looked up
// as typed and simply not found.
QString storedTreeCode(const QString& typed);

// See BusinessLibrary::Dados_Produto.
QVariantList productData(const QString& cdArvProd);
// See BusinessLibrary::Validacao_Produto.
void validateProduct(const QString& branch, const QString& cdArvProd, const QString& idBlPrComEst);

}  // namespace platform::library
