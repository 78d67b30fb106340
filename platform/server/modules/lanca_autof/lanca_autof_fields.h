#pragma once
// The packet layouts of "Cmp03900.rdmLancaAutoF": field order, types, sizes
// and labels exactly as the workspace's datasets declare them. Calculated
// fields (NMDEVO, TOTAL, CALCQTEFET, DiaSemana) never travel in packets. The
// loads of the AF's own tables take theirs from their layouts
// (lanca_autof_layouts.h), which also make the SELECTs' column lists.
#include "platform/server/modules/common/fields.h"

namespace platform::server::modules::fields {

// List and header level.
Fields servAutoForne();  // cdsServAutoForne
Fields filialDest();     // cdsFilialDest
Fields autoForne();      // cdsAutoForne
Fields paramFilial();    // cdsParamFilial
Fields paramGeral();     // cdsParamGeral
Fields auxParCmp();      // cdsAuxParCmp
Fields mudAutProd();     // cdsMudAutProd
Fields grupFili();       // cdsGrupFili
Fields filiAgrupFili();  // cdsFiliAgrupFili
Fields aprovSoliGer();   // cdsAprovSoliGer
Fields prazoPgFor();     // cdsPrazoPgFor: the supplier's default payment terms

// Item level.
Fields itemAutfProduto();  // cdsItemAutf_Produto
Fields itemAutF();         // cdsItemAutF
Fields impostoAF();        // cdsImpostoAF
Fields prazoPgtAF();       // cdsPrazoPgtAF
Fields dataEncargo();      // cdsDataEncargo
Fields encargo();          // cdsEncargo
Fields mensagensAF();      // cdsMensagensAF
Fields nfBaixa();          // cdsNFBaixa
Fields movOpAF();          // cdsMovOpAF

// The item entry's lookups.
Fields pesqMarca();  // GetPesqMarca: the product's brands

}  // namespace platform::server::modules::fields
