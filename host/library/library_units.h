#pragma once
// The library's services under the unit names the screens call them by:
//
//   QVariantList p = host::Lib00210::Dados_Produto(cdArvProd);
//   host::Lib00210::Validacao_Produto(cdFilDest, cdArvProd, idBlPrComEst);
//   QString vazio = host::Lib00210::SQL_Pesquisa_Produto(cdFilDest, idBlPrComEst, qryPesqProduto, true);
//   QStringList tipos = host::Lib00500::ListaTipoCusto(netCustos);
//   int tipo = host::Lib00500::NumeroTipoCusto(cbbCusto->currentIndex());
//   if (!host::Lib00700::CriaConfSenha(cdComprador, "Confere Senha", "Comprador")) ...
//   host::Tabvalid::ValidEx(&qryProduto.result(), host::kPictProduto, texto);
//   if (host::Geral::ModuloAtiv() == host::Geral::kModuloCompras) ...
//
// Each forwards to the installed library (business_library.h), whose comments
// say what they do.
#include "host/library/business_library.h"
#include "host/library/geral.h"

namespace host {

namespace Lib00210 {
inline QVariantList Dados_Produto(const QString& cdArvProd) { return businessLibrary().Dados_Produto(cdArvProd); }
inline void Validacao_Produto(const QString& branch, const QString& cdArvProd, const QString& idBlPrComEst) {
    businessLibrary().Validacao_Produto(branch, cdArvProd, idBlPrComEst);
}
inline QString SQL_Pesquisa_Produto(const QString& branch, const QString& idBlPrComEst, LookupQuery& query,
                                    bool orderByName) {
    return businessLibrary().SQL_Pesquisa_Produto(branch, idBlPrComEst, query, orderByName);
}
inline QString SQL_Pesquisa_ProdutoCache(const QString& branch, const QString& idBlPrComEst, LookupQuery& query,
                                         bool orderByName) {
    return businessLibrary().SQL_Pesquisa_ProdutoCache(branch, idBlPrComEst, query, orderByName);
}
}  // namespace Lib00210

namespace Lib00500 {
inline QStringList ListaTipoCusto(RemoteConnection& custos) { return businessLibrary().ListaTipoCusto(custos); }
inline int NumeroTipoCusto(int index) { return businessLibrary().NumeroTipoCusto(index); }
}  // namespace Lib00500

namespace Lib00700 {
inline bool CriaConfSenha(const QString& operatorCode, const QString& caption, const QString& label) {
    return businessLibrary().CriaConfSenha(operatorCode, caption, label);
}
}  // namespace Lib00700

namespace Tabvalid {
inline void ValidEx(Dataset* lookup, int pictureType, QString& text, const ValidExOptions& options = {}) {
    businessLibrary().ValidEx(lookup, pictureType, text, options);
}
}  // namespace Tabvalid

}  // namespace host
