#pragma once
// `Lib00210.SQL_Pesquisa_Produto` / `SQL_Pesquisa_ProdutoCache`: the product
// lookup of a destination branch.
#include <QtCore/QString>

namespace host {
class LookupQuery;
}

namespace platform::library {

// See BusinessLibrary::SQL_Pesquisa_Produto. Our host keeps no client-side
// product cache, so both variants read the database and list the same rows.
QString prepareProductLookup(const QString& branch, const QString& idBlPrComEst, host::LookupQuery& query,
                             bool orderByName);

}  // namespace platform::library
