// The filter's rules on plain values: argument texts, the order of the checks
// and the saved-criteria record.
#include "filtro_af_criteria.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <functional>

namespace afdesk {
namespace {

using Change = std::function<void(FilterCriteria&)>;

FilterCriteria with(const Change& change) {
    FilterCriteria c;
    change(c);
    return c;
}

void onlySituations(FilterCriteria& c, bool parcial, bool total, bool manual, bool aberto, bool encerrada,
                    bool cancelada) {
    c.baixaParcial = parcial;
    c.baixaTotal = total;
    c.baixaManual = manual;
    c.emAberto = aberto;
    c.encerrada = encerrada;
    c.cancelada = cancelada;
}

struct SituationCase {
    const char* name;
    Change change;
    const char* situations;
    const char* open;
};

TEST(FilterArguments, SituationTextAndOpenFlag) {
    const SituationCase cases[] = {
        {"all", [](FilterCriteria&) {}, "1_2_3_4_5", "X"},
        {"only em Aberto", [](FilterCriteria& c) { onlySituations(c, false, false, false, true, false, false); }, "0",
         "X"},
        {"Baixa Total + Cancelada",
         [](FilterCriteria& c) { onlySituations(c, false, true, false, false, false, true); }, "_2_5", "Z"},
        {"only Baixa Parcial", [](FilterCriteria& c) { onlySituations(c, true, false, false, false, false, false); },
         "1", "Z"},
        {"Manual + Encerrada + em Aberto",
         [](FilterCriteria& c) { onlySituations(c, false, false, true, true, true, false); }, "_3_4", "X"},
        {"none", [](FilterCriteria& c) { onlySituations(c, false, false, false, false, false, false); }, "0", "Z"},
    };
    for (const SituationCase& k : cases) {
        const FiltroAF::Arguments a = argumentsOf(with(k.change));
        EXPECT_EQ(a.situations, QString::fromLatin1(k.situations)) << k.name;
        EXPECT_EQ(a.openFlag, QString::fromLatin1(k.open)) << k.name;
    }
}

struct FlagCase {
    bool first, second;
    const char* consistency;  // first = Inconsistente, second = Consistente
    const char* limit;        // first = Fora do Limite, second = Dentro do Limite
};

TEST(FilterArguments, ConsistencyAndLimitFlags) {
    const FlagCase cases[] = {{true, true, "T", "T"}, {true, false, "1", "S"}, {false, true, "X", "N"}};
    for (const FlagCase& k : cases) {
        const FiltroAF::Arguments a = argumentsOf(with([&](FilterCriteria& c) {
            c.inconsistente = c.foraLimite = k.first;
            c.consistente = c.dentroLimite = k.second;
        }));
        EXPECT_EQ(a.consistency, QString::fromLatin1(k.consistency)) << k.first << k.second;
        EXPECT_EQ(a.limit, QString::fromLatin1(k.limit)) << k.first << k.second;
    }
}

TEST(FilterArguments, ListsAndAllFlags) {
    FiltroAF::Arguments a = argumentsOf(with([](FilterCriteria& c) {
        c.fornList = QStringLiteral("_S1_");  // left over: "Todos" wins
        c.compLista = true;
        c.compList = QStringLiteral("_C1_C2_");
        c.filLista = false;
    }));
    EXPECT_EQ(a.suppliers, QStringLiteral("T"));
    EXPECT_EQ(a.buyers, QStringLiteral("_C1_C2_"));
    EXPECT_EQ(a.branchList, QString());
    EXPECT_EQ(a.allBranches, QStringLiteral("T"));

    a = argumentsOf(with([](FilterCriteria& c) {
        c.fornLista = true;
        c.fornList = QStringLiteral("_S1_");
        c.filLista = true;
        c.filList = QStringLiteral("_0001_0002_");
        c.grouping = QStringLiteral("G1");
        c.central = QStringLiteral("0001");
        c.branchMode = true;
    }));
    EXPECT_EQ(a.suppliers, QStringLiteral("_S1_"));
    EXPECT_EQ(a.buyers, QStringLiteral("T"));
    EXPECT_EQ(a.branchList, QStringLiteral("_0001_0002_"));
    EXPECT_EQ(a.allBranches, QString());
    EXPECT_EQ(a.grouping, QStringLiteral("G1"));
    EXPECT_EQ(a.central, QStringLiteral("0001"));
    EXPECT_TRUE(a.branchMode);
}

TEST(FilterArguments, EmptyDateFlagsPerPair) {
    const QDate d1(2024, 3, 1), d2(2024, 3, 31);
    FiltroAF::Arguments a = argumentsOf(FilterCriteria{});
    EXPECT_EQ(a.afDatesEmpty, QStringLiteral("T"));
    EXPECT_EQ(a.deliveryDatesEmpty, QStringLiteral("T"));
    EXPECT_FALSE(a.afFrom.isValid());

    a = argumentsOf(with([&](FilterCriteria& c) {
        c.emisIni = d1;
        c.emisFim = d2;
    }));
    EXPECT_EQ(a.afDatesEmpty, QString());
    EXPECT_EQ(a.deliveryDatesEmpty, QStringLiteral("T"));
    EXPECT_EQ(a.afFrom, d1);
    EXPECT_EQ(a.afTo, d2);

    // One box filled is no empty pair (the check refuses it before anything is sent).
    a = argumentsOf(with([&](FilterCriteria& c) { c.entrFim = d2; }));
    EXPECT_EQ(a.deliveryDatesEmpty, QString());
    EXPECT_EQ(a.deliveryTo, d2);
}

struct CheckCase {
    const char* name;
    Change change;
    const char* key;  // null: passes
    CriteriaControl control;
};

TEST(FilterChecks, FirstFailureInOrder) {
    using C = CriteriaControl;
    const QDate early(2024, 3, 1), late(2024, 3, 31);
    auto noSituation = [](FilterCriteria& c) { onlySituations(c, false, false, false, false, false, false); };
    const CheckCase cases[] = {
        {"defaults", [](FilterCriteria&) {}, nullptr, C::FornLista},
        {"supplier list empty", [](FilterCriteria& c) { c.fornLista = true; }, "CDFORN_Vazio", C::FornLista},
        {"buyer list empty", [](FilterCriteria& c) { c.compLista = true; }, "CDCOMP_Vazio", C::CompLista},
        {"branch list empty", [](FilterCriteria& c) { c.filLista = true; }, "FilDest_N_Inf", C::FilLista},
        {"AF start missing", [&](FilterCriteria& c) { c.emisFim = late; }, "Dtini_Af_vazia", C::EmisIni},
        {"AF end missing", [&](FilterCriteria& c) { c.emisIni = early; }, "Dtfin_Af_vazia", C::EmisFim},
        {"AF dates inverted",
         [&](FilterCriteria& c) {
             c.emisIni = late;
             c.emisFim = early;
         },
         "DtIniFinAF_Inv", C::EmisIni},
        {"AF dates equal",
         [&](FilterCriteria& c) {
             c.emisIni = early;
             c.emisFim = early;
         },
         nullptr, C::FornLista},
        {"delivery start missing", [&](FilterCriteria& c) { c.entrFim = late; }, "Dtini_Entr_vazia", C::EntrIni},
        {"delivery end missing", [&](FilterCriteria& c) { c.entrIni = early; }, "Dtfin_Entr_vazia", C::EntrFim},
        {"delivery dates inverted",
         [&](FilterCriteria& c) {
             c.entrIni = late;
             c.entrFim = early;
         },
         "DtIniFinEntr_Inv", C::EntrIni},
        {"no situation", noSituation, "Situa_AF_Vazia", C::BaixaParcial},
        {"only em Aberto is a situation",
         [](FilterCriteria& c) { onlySituations(c, false, false, false, true, false, false); }, nullptr, C::FornLista},
        {"no consistency",
         [](FilterCriteria& c) { c.consistente = c.inconsistente = false; }, "Cons_Vazia", C::Inconsistente},
        {"no limit", [](FilterCriteria& c) { c.foraLimite = c.dentroLimite = false; }, "LimComp_Vazio",
         C::ForaLimite},
        // Several faults: the first in the dialog's order wins.
        {"buyer before dates",
         [&](FilterCriteria& c) {
             c.compLista = true;
             c.emisIni = early;
             noSituation(c);
         },
         "CDCOMP_Vazio", C::CompLista},
        {"AF dates before delivery dates",
         [&](FilterCriteria& c) {
             c.entrIni = early;
             c.emisFim = late;
         },
         "Dtini_Af_vazia", C::EmisIni},
        {"situation before consistency and limit",
         [&](FilterCriteria& c) {
             noSituation(c);
             c.consistente = c.inconsistente = c.foraLimite = c.dentroLimite = false;
         },
         "Situa_AF_Vazia", C::BaixaParcial},
    };
    for (const CheckCase& k : cases) {
        const auto failure = firstFailure(with(k.change), true);
        if (!k.key) {
            EXPECT_FALSE(failure.has_value()) << k.name << ": " << failure->messageKey.toStdString();
            continue;
        }
        ASSERT_TRUE(failure.has_value()) << k.name;
        EXPECT_EQ(failure->messageKey, QString::fromLatin1(k.key)) << k.name;
        EXPECT_EQ(failure->control, k.control) << k.name;
    }
}

TEST(FilterChecks, SupplierListOnlyRequiredWhileShown) {
    const FilterCriteria c = with([](FilterCriteria& x) { x.fornLista = true; });
    EXPECT_FALSE(firstFailure(c, false).has_value());
    EXPECT_TRUE(firstFailure(c, true).has_value());
    // The other lists are required either way.
    EXPECT_TRUE(firstFailure(with([](FilterCriteria& x) { x.filLista = true; }), false).has_value());
}

TEST(FilterRecord, NeverWrittenMeansEveryBoxChecked) {
    FilterCriteria c = with([](FilterCriteria& x) {
        onlySituations(x, false, false, false, false, false, false);
        x.consistente = x.inconsistente = x.foraLimite = x.dentroLimite = false;
        x.emisIni = QDate(2024, 1, 1);
    });
    restoreFrom(TFILTRO{}, c);
    EXPECT_TRUE(c.baixaParcial && c.baixaTotal && c.baixaManual && c.emAberto && c.encerrada && c.cancelada);
    EXPECT_TRUE(c.inconsistente && c.consistente && c.foraLimite && c.dentroLimite);
    EXPECT_FALSE(c.emisIni.has_value());
    EXPECT_FALSE(c.fornLista);
    EXPECT_EQ(c.fornList, QString());
}

TEST(FilterRecord, FlagsAreStoredInvertedAndComeBack) {
    const FilterCriteria confirmed = with([](FilterCriteria& x) {
        x.fornLista = true;
        x.fornList = QStringLiteral("_S1_");
        x.compLista = true;
        x.compList = QStringLiteral("_C9_");
        x.emisIni = QDate(2024, 3, 1);
        x.emisFim = QDate(2024, 3, 31);
        x.entrFim = QDate(2024, 4, 30);
        onlySituations(x, true, false, true, false, false, true);
        x.consistente = false;
        x.dentroLimite = false;
    });
    const TFILTRO f = filtroOf(confirmed);
    EXPECT_FALSE(f.semBaixaParcial);
    EXPECT_TRUE(f.semBaixaTotal);
    EXPECT_FALSE(f.semBaixaManual);
    EXPECT_TRUE(f.semEmAberto);
    EXPECT_TRUE(f.semEncerrada);
    EXPECT_FALSE(f.semCancelada);
    EXPECT_TRUE(f.semConsistente);
    EXPECT_FALSE(f.semInconsistente);
    EXPECT_TRUE(f.semDentroLimite);
    EXPECT_FALSE(f.semForaLimite);
    EXPECT_EQ(f.compList, QStringLiteral("_C9_"));
    EXPECT_FALSE(f.entrIni.isValid());

    FilterCriteria back;
    restoreFrom(f, back);
    EXPECT_TRUE(back.fornLista);
    EXPECT_EQ(back.fornList, QStringLiteral("_S1_"));
    EXPECT_EQ(back.emisIni, confirmed.emisIni);
    EXPECT_EQ(back.emisFim, confirmed.emisFim);
    EXPECT_FALSE(back.entrIni.has_value());
    EXPECT_EQ(back.entrFim, confirmed.entrFim);
    EXPECT_EQ(argumentsOf(back).situations, argumentsOf(confirmed).situations);
    EXPECT_EQ(argumentsOf(back).openFlag, QStringLiteral("Z"));
    EXPECT_EQ(argumentsOf(back).consistency, QStringLiteral("1"));
    EXPECT_EQ(argumentsOf(back).limit, QStringLiteral("S"));
    // The buyer criterion is the caller's: it is reset to the logged buyer.
    EXPECT_FALSE(back.compLista);
    EXPECT_EQ(back.compList, QString());
}

}  // namespace
}  // namespace afdesk
