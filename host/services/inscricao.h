#pragma once
// Brazilian registration numbers of suppliers and carriers: the person types,
// their edit masks, check-digit validation and the normalisation of what a
// user types.
//
// Person types (`IDTPIJURFORN`, `IDTPIJURTRAN`):
//   "F" CPF, natural person: 11 digits, mask 999.999.999-99
//   "J" CNPJ, legal entity: 14 characters, mask AA.AAA.AAA/AAAA-99. The first 12
//       may be letters (the alphanumeric CNPJ); the 2 check digits are digits.
//   "I" state registration: digits only, up to 14; its layout differs from state
//       to state, so the mask only limits it to digits.
//   "O" others (foreign and special registrations): free text, no mask.
// Numbers are stored without mask literals; CNPJ letters upper case.
#include <QtCore/QString>

namespace host {

inline const QString kPessoaFisica = QStringLiteral("F");
inline const QString kInscricaoEstadual = QStringLiteral("I");
inline const QString kPessoaJuridica = QStringLiteral("J");
inline const QString kPessoaOutros = QStringLiteral("O");

// Check digits. Mask literals (". / -" and blanks) are ignored; anything else
// that is not part of the number makes it invalid, as do numbers made of one
// repeated digit (000.000.000-00 passes the arithmetic but is no CPF).
bool CPFValido(const QString& number);
bool CNPJValido(const QString& number);

// The full valid number for a base: 9 digits -> 11-digit CPF, 12 characters ->
// 14-character CNPJ. Returns an empty text for a base of the wrong shape.
QString CompletaCPF(const QString& base9);
QString CompletaCNPJ(const QString& base12);

// Normalises a typed registration number in place and returns its person type:
//   - blanks around are dropped; empty text gives type "" and stays empty;
//   - without its mask literals, a valid CPF gives "F" and a valid CNPJ gives "J"
//     (stored without literals, CNPJ upper case);
//   - any other all-digit number gives "I", without literals;
//   - anything else gives "O" and keeps the text as typed.
// A mistyped CPF or CNPJ becomes "I" and then simply is not found by the lookup.
QString Ajusta_Inscricao(QString& number);

// Edit mask of a person type (see edit_mask.h); "O" and unknown types: no mask.
QString PictPess(const QString& type);

// A stored number as the grids show it: through its type's mask.
QString FormataInscricao(const QString& number, const QString& type);

}  // namespace host
