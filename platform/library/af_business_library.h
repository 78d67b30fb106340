#pragma once
// The business library the shell installs: host::setBusinessLibrary(
// std::make_shared<platform::library::AfBusinessLibrary>()). Products are read
// over the host's database connection, cost types and password confirmation
// go to the application server, codes are checked against the session's
// pictures. One instance serves the whole session on the screens' thread.
#include "cost_types.h"

#include "host/library/business_library.h"

namespace platform::library {

class AfBusinessLibrary : public host::BusinessLibrary {
public:
    QVariantList Dados_Produto(const QString& cdArvProd) override;
    void Validacao_Produto(const QString& branch, const QString& cdArvProd, const QString& idBlPrComEst) override;
    QString SQL_Pesquisa_Produto(const QString& branch, const QString& idBlPrComEst, host::LookupQuery& query,
                                 bool orderByName) override;
    QString SQL_Pesquisa_ProdutoCache(const QString& branch, const QString& idBlPrComEst, host::LookupQuery& query,
                                      bool orderByName) override;
    QStringList ListaTipoCusto(host::RemoteConnection& custos) override;
    int NumeroTipoCusto(int index) const override;
    bool CriaConfSenha(const QString& operatorCode, const QString& caption, const QString& label) override;
    void ValidEx(host::Dataset* lookup, int pictureType, QString& text, const host::ValidExOptions& options) override;

private:
    CostTypes m_costTypes;
};

}  // namespace platform::library
