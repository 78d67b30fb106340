#include "afdesk/core/workspace/retorna_idioma.h"

#include "platform/kit/idioma_arq.h"

namespace afdesk {

namespace {

QString orDefault(const QString& value) { return value.isEmpty() ? QStringLiteral("POR") : value; }

}  // namespace

QString retornaIdioma() { return orDefault(kit::idiomaArq()); }

QString retornaIdioma(const QSettings& machineSettings) { return orDefault(kit::idiomaArq(machineSettings)); }

}  // namespace afdesk
