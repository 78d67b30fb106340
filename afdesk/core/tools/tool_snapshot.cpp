#include "afdesk/core/tools/tool_snapshot.h"

#include "host/data/field.h"

#include <utility>

namespace afdesk {

namespace {

constexpr std::pair<Source, AfPart> kSourceParts[] = {
    {Source::List, AfPart::List},          {Source::Header, AfPart::Header},
    {Source::Items, AfPart::Items},        {Source::ItemProducts, AfPart::ItemProducts},
    {Source::Taxes, AfPart::Taxes},        {Source::Messages, AfPart::Messages},
    {Source::Terms, AfPart::Terms},        {Source::ChargeDates, AfPart::ChargeDates},
    {Source::Charges, AfPart::Charges},    {Source::Movements, AfPart::Movements},
};

}  // namespace

std::optional<AfPart> partOf(Source source) {
    for (const auto& [s, part] : kSourceParts)
        if (s == source) return part;
    return std::nullopt;
}

std::optional<Source> sourceOf(AfPart part) {
    for (const auto& [source, p] : kSourceParts)
        if (p == part) return source;
    return std::nullopt;
}

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
