#pragma once
// The loads of "Cmp03900.rdmLancaAutoF" that read the AF's own tables: each
// packet field with the expression that reads it, the AF tables' columns
// taken from their descriptors (common/af_tables.h). The packets' field
// lists (lanca_autof_fields.h) come from here.
#include "platform/server/modules/common/packet_layout.h"

namespace platform::server::modules::layouts {

PacketLayout servAutoForne();    // FROM AUTOFORNE A JOIN FORNECEDOR F LEFT JOIN FILIAL K
PacketLayout autoForne();        // FROM AUTOFORNE A and its names (F, FL, FD, O, E, TC, T, FP, CP)
PacketLayout itemAutfProduto();  // FROM PRODUTO P
PacketLayout itemAutF();         // FROM ITEMAUTF I JOIN PRODUTO P, MARCA M and M2, OPERADOR O
PacketLayout impostoAF();        // FROM IMPITMAF X JOIN IMPOSTO IP, PRODUTO P
PacketLayout prazoPgtAF();       // FROM PRAZOPGTAF X
PacketLayout dataEncargo();      // FROM ITEMAUTF X
PacketLayout encargo();          // FROM ENCARGOAF X JOIN ENCARGO E
PacketLayout mensagensAF();      // FROM MENSAUTF X
PacketLayout nfBaixa();          // FROM BAIXAITAF B JOIN NOTAFISC NF, ITNOTAFISC IT
PacketLayout movOpAF();          // FROM MOVOPAF M and its names (P, MA, O); ITEM computed
PacketLayout pesqMarca();        // FROM PRODUTO P JOIN MARCPROD MP, MARCA M

}  // namespace platform::server::modules::layouts
