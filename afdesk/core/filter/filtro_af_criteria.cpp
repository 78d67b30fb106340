#include "filtro_af_criteria.h"

namespace afdesk {

namespace {

const QString kTodos = QStringLiteral("T");

QDate orNull(const std::optional<QDate>& d) { return d ? *d : QDate(); }
std::optional<QDate> fromNull(const QDate& d) { return d.isValid() ? std::optional<QDate>(d) : std::nullopt; }

// "T" when both boxes of a date pair are empty: the server then ignores the pair.
QString emptyPairFlag(const std::optional<QDate>& from, const std::optional<QDate>& to) {
    return !from && !to ? kTodos : QString();
}

// The checks of one date pair: start missing, end missing, end before start.
std::optional<CriteriaFailure> datePairFailure(const std::optional<QDate>& from, const std::optional<QDate>& to,
                                               CriteriaControl fromControl, CriteriaControl toControl,
                                               const char* fromMissing, const char* toMissing,
                                               const char* inverted) {
    if (!from && to) return CriteriaFailure{QString::fromLatin1(fromMissing), fromControl};
    if (from && !to) return CriteriaFailure{QString::fromLatin1(toMissing), toControl};
    if (from && to && *to < *from) return CriteriaFailure{QString::fromLatin1(inverted), fromControl};
    return std::nullopt;
}

}  // namespace

QString situationText(const FilterCriteria& c) {
    QString text;
    if (c.baixaParcial) text += QStringLiteral("1");
    if (c.baixaTotal) text += QStringLiteral("_2");
    if (c.baixaManual) text += QStringLiteral("_3");
    if (c.encerrada) text += QStringLiteral("_4");
    if (c.cancelada) text += QStringLiteral("_5");
    return text.isEmpty() ? QStringLiteral("0") : text;
}

QString openFlag(const FilterCriteria& c) { return c.emAberto ? QStringLiteral("X") : QStringLiteral("Z"); }

QString limitFlag(const FilterCriteria& c) {
    if (c.foraLimite && c.dentroLimite) return kTodos;
    if (c.foraLimite) return QStringLiteral("S");
    if (c.dentroLimite) return QStringLiteral("N");
    return {};
}

QString consistencyFlag(const FilterCriteria& c) {
    if (c.inconsistente && c.consistente) return kTodos;
    if (c.inconsistente) return QStringLiteral("1");
    if (c.consistente) return QStringLiteral("X");
    return {};
}

FiltroAF::Arguments argumentsOf(const FilterCriteria& c) {
    FiltroAF::Arguments a;
    a.grouping = c.grouping;
    a.branchList = c.filLista ? c.filList : QString();
    a.allBranches = c.filLista ? QString() : kTodos;
    a.buyers = c.compLista ? c.compList : kTodos;
    a.suppliers = c.fornLista ? c.fornList : kTodos;
    a.consistency = consistencyFlag(c);
    a.limit = limitFlag(c);
    a.situations = situationText(c);
    a.openFlag = openFlag(c);
    a.afDatesEmpty = emptyPairFlag(c.emisIni, c.emisFim);
    a.deliveryDatesEmpty = emptyPairFlag(c.entrIni, c.entrFim);
    a.central = c.central;
    a.afFrom = orNull(c.emisIni);
    a.afTo = orNull(c.emisFim);
    a.deliveryFrom = orNull(c.entrIni);
    a.deliveryTo = orNull(c.entrFim);
    a.branchMode = c.branchMode;
    return a;
}

std::optional<CriteriaFailure> firstFailure(const FilterCriteria& c, bool dialogShown) {
    using C = CriteriaControl;
    if (dialogShown && c.fornLista && c.fornList.isEmpty()) return CriteriaFailure{QStringLiteral("CDFORN_Vazio"), C::FornLista};
    if (c.compLista && c.compList.isEmpty()) return CriteriaFailure{QStringLiteral("CDCOMP_Vazio"), C::CompLista};
    if (c.filLista && c.filList.isEmpty()) return CriteriaFailure{QStringLiteral("FilDest_N_Inf"), C::FilLista};
    if (auto f = datePairFailure(c.emisIni, c.emisFim, C::EmisIni, C::EmisFim, "Dtini_Af_vazia", "Dtfin_Af_vazia",
                                 "DtIniFinAF_Inv"))
        return f;
    if (auto f = datePairFailure(c.entrIni, c.entrFim, C::EntrIni, C::EntrFim, "Dtini_Entr_vazia",
                                 "Dtfin_Entr_vazia", "DtIniFinEntr_Inv"))
        return f;
    if (!c.baixaParcial && !c.baixaTotal && !c.baixaManual && !c.emAberto && !c.encerrada && !c.cancelada)
        return CriteriaFailure{QStringLiteral("Situa_AF_Vazia"), C::BaixaParcial};
    if (!c.inconsistente && !c.consistente) return CriteriaFailure{QStringLiteral("Cons_Vazia"), C::Inconsistente};
    if (!c.foraLimite && !c.dentroLimite) return CriteriaFailure{QStringLiteral("LimComp_Vazio"), C::ForaLimite};
    return std::nullopt;
}

TFILTRO filtroOf(const FilterCriteria& c) {
    TFILTRO f;
    f.fornLista = c.fornLista;
    f.fornList = c.fornList;
    f.compLista = c.compLista;
    f.compList = c.compList;
    f.emisIni = orNull(c.emisIni);
    f.emisFim = orNull(c.emisFim);
    f.entrIni = orNull(c.entrIni);
    f.entrFim = orNull(c.entrFim);
    // Inverted, so that a record never written means every box checked.
    f.semBaixaParcial = !c.baixaParcial;
    f.semBaixaManual = !c.baixaManual;
    f.semBaixaTotal = !c.baixaTotal;
    f.semEmAberto = !c.emAberto;
    f.semEncerrada = !c.encerrada;
    f.semCancelada = !c.cancelada;
    f.semInconsistente = !c.inconsistente;
    f.semConsistente = !c.consistente;
    f.semForaLimite = !c.foraLimite;
    f.semDentroLimite = !c.dentroLimite;
    return f;
}

void restoreFrom(const TFILTRO& f, FilterCriteria& c) {
    c.fornLista = f.fornLista;
    c.fornList = f.fornLista ? f.fornList : QString();
    c.emisIni = fromNull(f.emisIni);
    c.emisFim = fromNull(f.emisFim);
    c.entrIni = fromNull(f.entrIni);
    c.entrFim = fromNull(f.entrFim);
    c.baixaParcial = !f.semBaixaParcial;
    c.baixaManual = !f.semBaixaManual;
    c.baixaTotal = !f.semBaixaTotal;
    c.emAberto = !f.semEmAberto;
    c.encerrada = !f.semEncerrada;
    c.cancelada = !f.semCancelada;
    c.inconsistente = !f.semInconsistente;
    c.consistente = !f.semConsistente;
    c.foraLimite = !f.semForaLimite;
    c.dentroLimite = !f.semDentroLimite;
}

}  // namespace afdesk
