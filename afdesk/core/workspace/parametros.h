#pragma once
// `Parametros`: the parameters of a destination branch typed in the header
// that the branch list does not hold yet, read from the server and added as a
// row of cdsFilialDest. A branch already listed only becomes current.
#include <QtCore/QString>

namespace afdesk {

class LancaAutoF;

// Throws the server's message when the branch's parameters cannot be read
// (cdsFilialDest is then unchanged), and UserError for a branch the server does not know.
void Parametros(LancaAutoF& w, const QString& branch);

}  // namespace afdesk
