// The dialog's module-wide state and its creation function.
#include "filtro_af.h"

#include <QtCore/QPointer>

namespace afdesk {

namespace {

FilterModuleState g_state;
QPointer<FiltroAF> g_instance;

}  // namespace

FilterModuleState& filterState() { return g_state; }

void resetFilterState() {
    destroyFiltroAF();
    g_state = FilterModuleState{};
}

bool CriaFiltroAF(const FilterTargets& targets, QWidget* parent) {
    if (g_state.boFilCriado) return g_state.boModalResult;
    if (g_instance) g_instance->setTargets(targets);
    else g_instance = new FiltroAF(targets, parent);
    g_state.boFilCriado = true;
    g_instance->exec();
    g_state.boFilCriado = false;
    return g_state.boModalResult;
}

FiltroAF* filtroAF() { return g_instance.data(); }

void destroyFiltroAF() {
    delete g_instance.data();
    g_instance = nullptr;
    g_state.boFilCriado = false;
}

}  // namespace afdesk
