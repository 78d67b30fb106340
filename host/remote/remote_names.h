#pragma once
// The names of the application server's modules and methods, shared by the
// client's calls and the server's registrations so the two cannot drift
// apart. The server matches names without regard to letter case, but these
// are the spellings both sides use.
//
//   host::RemoteConnection net(names::lancaAutoF::module);
//   net.call(names::lancaAutoF::GetParamGeral, {central});
#include <QtCore/QLatin1String>

namespace host::names {

// The built-in session module of every server.
namespace session {
inline constexpr QLatin1String module{"Sessao"};
inline constexpr QLatin1String Login{"Login"};
inline constexpr QLatin1String Logout{"Logout"};
inline constexpr QLatin1String ConfirmaSenha{"ConfirmaSenha"};
}  // namespace session

// The AF workspace: start-up parameters, the filter and AF list, the loads of one AF, the header's and the
// items' checks.
namespace lancaAutoF {
inline constexpr QLatin1String module{"Cmp03900.rdmLancaAutoF"};
// Filter and AF list.
inline constexpr QLatin1String GetParamFilial{"GetParamFilial"};
inline constexpr QLatin1String GetFilialDest{"GetFilialDest"};
inline constexpr QLatin1String GetServAutoForne{"GetServAutoForne"};
// The loads of one AF.
inline constexpr QLatin1String GetAutoForne{"GetAutoForne"};
inline constexpr QLatin1String GetItemAutf_Produto{"GetItemAutf_Produto"};
inline constexpr QLatin1String GetItemAutF{"GetItemAutF"};
inline constexpr QLatin1String GetImpostoAF{"GetImpostoAF"};
inline constexpr QLatin1String GetNFBaixa{"GetNFBaixa"};
inline constexpr QLatin1String GetMensagensAF{"GetMensagensAF"};
inline constexpr QLatin1String GetPrazoPgtAF{"GetPrazoPgtAF"};
inline constexpr QLatin1String GetDataEncargo{"GetDataEncargo"};
inline constexpr QLatin1String GetEncargo{"GetEncargo"};
inline constexpr QLatin1String GetMovOpAF{"GetMovOpAF"};
// Parameters read at start-up and by the filter's lookups.
inline constexpr QLatin1String GetParamGeral{"GetParamGeral"};
inline constexpr QLatin1String GetMudAutProd{"GetMudAutProd"};
inline constexpr QLatin1String GetAuxCmpSup{"GetAuxCmpSup"};
inline constexpr QLatin1String GetAgruFili{"GetAgruFili"};
inline constexpr QLatin1String GetFiliAgrupFili{"GetFiliAgrupFili"};
inline constexpr QLatin1String GetAprovSoliGer{"GetAprovSoliGer"};
// The header's checks and defaults of a new AF.
inline constexpr QLatin1String GetParCentCmp{"GetParCentCmp"};
inline constexpr QLatin1String GetPrazoAF{"GetPrazoAF"};
// The checks and lookups of an item's entry ("Produtos").
inline constexpr QLatin1String GetVer_ProdComp{"GetVer_ProdComp"};
inline constexpr QLatin1String Carrega_PeriForn{"Carrega_PeriForn"};
inline constexpr QLatin1String GetPesqMarca{"GetPesqMarca"};
}  // namespace lancaAutoF

// The bulk alteration of AF items.
namespace altAF {
inline constexpr QLatin1String module{"Cmp04000.rdmAltAF"};
inline constexpr QLatin1String GetParaSupri{"GetParaSupri"};
inline constexpr QLatin1String GetAF{"GetAF"};
inline constexpr QLatin1String GetVerifica{"GetVerifica"};
inline constexpr QLatin1String SetAF{"SetAF"};
}  // namespace altAF

// Product costs (the connection `netCustos`).
namespace custProd {
inline constexpr QLatin1String module{"cus.rdmCustProd"};
inline constexpr QLatin1String GetTipoCusto{"GetTipoCusto"};
}  // namespace custProd

}  // namespace host::names
