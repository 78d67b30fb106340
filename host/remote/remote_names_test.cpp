// The names the client and the server share travel on the wire: a spelling
// changed here would stop this program talking to servers and clients already
// installed.
#include "remote_names.h"

#include <gtest/gtest.h>

namespace {

TEST(RemoteNames, SpellingsOnTheWire) {
    namespace n = host::names;
    struct Row {
        QLatin1String name;
        const char* wire;
    };
    const std::vector<Row> rows = {
        {n::session::module, "Sessao"},
        {n::session::Login, "Login"},
        {n::session::Logout, "Logout"},
        {n::session::ConfirmaSenha, "ConfirmaSenha"},
        {n::lancaAutoF::module, "Cmp03900.rdmLancaAutoF"},
        {n::lancaAutoF::GetParamFilial, "GetParamFilial"},
        {n::lancaAutoF::GetFilialDest, "GetFilialDest"},
        {n::lancaAutoF::GetServAutoForne, "GetServAutoForne"},
        {n::lancaAutoF::GetAutoForne, "GetAutoForne"},
        {n::lancaAutoF::GetItemAutf_Produto, "GetItemAutf_Produto"},
        {n::lancaAutoF::GetItemAutF, "GetItemAutF"},
        {n::lancaAutoF::GetImpostoAF, "GetImpostoAF"},
        {n::lancaAutoF::GetNFBaixa, "GetNFBaixa"},
        {n::lancaAutoF::GetMensagensAF, "GetMensagensAF"},
        {n::lancaAutoF::GetPrazoPgtAF, "GetPrazoPgtAF"},
        {n::lancaAutoF::GetDataEncargo, "GetDataEncargo"},
        {n::lancaAutoF::GetEncargo, "GetEncargo"},
        {n::lancaAutoF::GetMovOpAF, "GetMovOpAF"},
        {n::lancaAutoF::GetParamGeral, "GetParamGeral"},
        {n::lancaAutoF::GetMudAutProd, "GetMudAutProd"},
        {n::lancaAutoF::GetAuxCmpSup, "GetAuxCmpSup"},
        {n::lancaAutoF::GetAgruFili, "GetAgruFili"},
        {n::lancaAutoF::GetFiliAgrupFili, "GetFiliAgrupFili"},
        {n::lancaAutoF::GetAprovSoliGer, "GetAprovSoliGer"},
        {n::lancaAutoF::GetParCentCmp, "GetParCentCmp"},
        {n::lancaAutoF::GetPrazoAF, "GetPrazoAF"},
        {n::lancaAutoF::GetVer_ProdComp, "GetVer_ProdComp"},
        {n::lancaAutoF::Carrega_PeriForn, "Carrega_PeriForn"},
        {n::lancaAutoF::GetPesqMarca, "GetPesqMarca"},
        {n::altAF::module, "Cmp04000.rdmAltAF"},
        {n::altAF::GetParaSupri, "GetParaSupri"},
        {n::altAF::GetAF, "GetAF"},
        {n::altAF::GetVerifica, "GetVerifica"},
        {n::altAF::SetAF, "SetAF"},
        {n::custProd::module, "cus.rdmCustProd"},
        {n::custProd::GetTipoCusto, "GetTipoCusto"},
    };
    for (const Row& row : rows) EXPECT_EQ(QString(row.name), QString::fromLatin1(row.wire));
}

}  // namespace
