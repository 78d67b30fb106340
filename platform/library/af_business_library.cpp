#include "af_business_library.h"

#include "code_validation.h"
#include "password_confirmation.h"
#include "product_data.h"
#include "product_lookup.h"

namespace platform::library {

QVariantList AfBusinessLibrary::Dados_Produto(const QString& cdArvProd) { return productData(cdArvProd); }

void AfBusinessLibrary::Validacao_Produto(const QString& branch, const QString& cdArvProd,
                                          const QString& idBlPrComEst) {
    validateProduct(branch, cdArvProd, idBlPrComEst);
}

QString AfBusinessLibrary::SQL_Pesquisa_Produto(const QString& branch, const QString& idBlPrComEst,
                                                host::LookupQuery& query, bool orderByName) {
    return prepareProductLookup(branch, idBlPrComEst, query, orderByName);
}

QString AfBusinessLibrary::SQL_Pesquisa_ProdutoCache(const QString& branch, const QString& idBlPrComEst,
                                                     host::LookupQuery& query, bool orderByName) {
    return prepareProductLookup(branch, idBlPrComEst, query, orderByName);
}

QStringList AfBusinessLibrary::ListaTipoCusto(host::RemoteConnection& custos) { return m_costTypes.load(custos); }

int AfBusinessLibrary::NumeroTipoCusto(int index) const { return m_costTypes.number(index); }

bool AfBusinessLibrary::CriaConfSenha(const QString& operatorCode, const QString& caption, const QString& label) {
    return confirmPassword(operatorCode, caption, label);
}

void AfBusinessLibrary::ValidEx(host::Dataset* lookup, int pictureType, QString& text,
                                const host::ValidExOptions& options) {
    validateCode(lookup, pictureType, text, options);
}

}  // namespace platform::library
