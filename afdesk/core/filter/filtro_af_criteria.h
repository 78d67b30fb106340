#pragma once
// The filter's criteria as plain values: the argument texts the server reads,
// the checks a confirmation runs before anything is sent, and the saved-criteria
// record. Kept apart from the widgets so each rule is one function.
#include "filtro_af.h"

#include <QtCore/QDate>
#include <QtCore/QString>
#include <optional>

namespace afdesk {

// What the dialog's controls hold.
struct FilterCriteria {
    bool fornLista = false;
    QString fornList;
    bool compLista = false;
    QString compList;
    bool filLista = false;
    QString filList;
    QString grouping;
    QString central;
    std::optional<QDate> emisIni, emisFim, entrIni, entrFim;
    bool baixaParcial = true, baixaTotal = true, baixaManual = true, emAberto = true, encerrada = true,
         cancelada = true;
    bool inconsistente = true, consistente = true;
    bool foraLimite = true, dentroLimite = true;
    bool branchMode = false;
};

// The argument texts of the list calls.
FiltroAF::Arguments argumentsOf(const FilterCriteria& c);

// "1" "_2" "_3" "_4" "_5" for the checked receipt situations, in that order; "0" for none.
QString situationText(const FilterCriteria& c);
QString openFlag(const FilterCriteria& c);         // "X" / "Z"
QString limitFlag(const FilterCriteria& c);        // "T" / "S" / "N"; empty when neither
QString consistencyFlag(const FilterCriteria& c);  // "T" / "1" / "X"; empty when neither

// The control a failed check puts the focus on.
enum class CriteriaControl {
    FornLista,
    CompLista,
    FilLista,
    EmisIni,
    EmisFim,
    EntrIni,
    EntrFim,
    BaixaParcial,
    Inconsistente,
    ForaLimite,
};

struct CriteriaFailure {
    QString messageKey;  // of the dialog's message table
    CriteriaControl control;
    friend bool operator==(const CriteriaFailure&, const CriteriaFailure&) = default;
};

// The first failing check, in the dialog's order (date texts are checked by the
// date boxes themselves before this runs). `dialogShown`: the supplier list is
// only required while the user sees the dialog.
std::optional<CriteriaFailure> firstFailure(const FilterCriteria& c, bool dialogShown);

// The saved-criteria record of a confirmation, and back (the buyer criterion of
// the record is not restored: the caller resets it to the logged buyer).
TFILTRO filtroOf(const FilterCriteria& c);
void restoreFrom(const TFILTRO& f, FilterCriteria& c);

}  // namespace afdesk
