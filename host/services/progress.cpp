#include "host/services/progress.h"

#include "host/data/errors.h"

namespace host {
namespace {

std::shared_ptr<ProgressService>& installed() {
    static std::shared_ptr<ProgressService> service;
    return service;
}

}  // namespace

void ProgressService::ActiveShowAvi(QWidget* screen, int kind, const QString& text) {
    ProgressState state{screen, kind, text};
    if (m_current == state) return;
    showAnimation(state);
    m_current = std::move(state);
}

void ProgressService::DeactiveShowAvi() {
    if (!m_current) return;
    m_current.reset();  // first: even if drawing fails, nothing counts as shown any more
    hideAnimation();
}

ProgressService& progress() {
    ProgressService* service = installed().get();
    if (!service) throw DataError(QStringLiteral("Nenhum serviço de animação de progresso instalado."));
    return *service;
}

void setProgressService(std::shared_ptr<ProgressService> service) { installed() = std::move(service); }

ProgressGuard::ProgressGuard(QWidget* screen, int kind, const QString& text)
    : m_service(progress()), m_previous(m_service.current()) {
    m_service.ActiveShowAvi(screen, kind, text);
}

ProgressGuard::~ProgressGuard() {
    try {
        if (m_previous)
            m_service.ActiveShowAvi(m_previous->screen, m_previous->kind, m_previous->text);
        else
            m_service.DeactiveShowAvi();
    } catch (...) {
        // A failing animation must not turn an unwinding error into termination.
    }
}

}  // namespace host
