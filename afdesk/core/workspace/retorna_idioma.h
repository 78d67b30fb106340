#pragma once
// `retornaIdioma`: the language of the files generated for suppliers, from the
// machine-wide value "IdiomaArq"; "POR" when it is empty or missing.
#include <QtCore/QString>

class QSettings;

namespace afdesk {

QString retornaIdioma();
QString retornaIdioma(const QSettings& machineSettings);

}  // namespace afdesk
