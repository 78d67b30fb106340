#include "afdesk/core/tools/tool_snapshot.h"

#include "host/data/field.h"

namespace afdesk {

DatasetView viewOf(const host::Dataset& dataset) {
    return DatasetView{dataset.state(), !dataset.active() || dataset.isEmpty()};
}

namespace {

QString fieldText(const host::Dataset& list, const char* name) {
    const host::Field* field = list.findField(QLatin1String(name));
    return field ? field->asString() : QString();
}

}  // namespace

AfRowCodes rowCodesOf(const host::Dataset& list) {
    AfRowCodes row;
    if (!list.active() || list.isEmpty()) return row;
    row.IDBAIXAAF = fieldText(list, "IDBAIXAAF");
    row.IDBAIXAFSAI = fieldText(list, "IDBAIXAFSAI");
    row.CDFILDESTCON = fieldText(list, "CDFILDESTCON");
    row.IDITMSEPARADO = fieldText(list, "IDITMSEPARADO");
    row.IDAFEXPIRADA = fieldText(list, "IDAFEXPIRADA");
    row.IDTIPOLANCAF = fieldText(list, "IDTIPOLANCAF");
    row.IDAFPRODWEB = fieldText(list, "IDAFPRODWEB");
    row.IDAFOPERLOG = fieldText(list, "IDAFOPERLOG");
    row.IDSITUATUAAF = fieldText(list, "IDSITUATUAAF");
    row.IDAFFORALIM = fieldText(list, "IDAFFORALIM");
    row.CDGERENTE = fieldText(list, "CDGERENTE");
    return row;
}

}  // namespace afdesk
