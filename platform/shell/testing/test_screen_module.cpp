// A deliverable for the shell's tests, built and loaded like afdesk: it links
// the host libraries only and opens its screen through the host services, so
// what it shows comes from the shell's own session.
#include "host/services/screen_host.h"
#include "host/services/session.h"

#include <QtCore/QVariantList>
#include <memory>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>

namespace {

QLabel* label(QWidget* screen, const QString& name, const QString& text) {
    auto* l = new QLabel(text, screen);
    l->setObjectName(name);
    screen->layout()->addWidget(l);
    return l;
}

std::unique_ptr<QWidget> createScreen(const QString& name, const QString& title) {
    auto screen = std::make_unique<QWidget>();
    screen->setObjectName(name);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->setWindowTitle(title);
    new QVBoxLayout(screen.get());
    host::Session& s = host::session();
    label(screen.get(), QStringLiteral("operador"), QStringLiteral("Operador: %1 - %2").arg(s.Operador(), s.NomeOperador()));
    label(screen.get(), QStringLiteral("filial"), QStringLiteral("Filial: %1 - %2").arg(s.FiliProc(), s.NomeFiliProc()));
    label(screen.get(), QStringLiteral("dataProc"), QStringLiteral("Data de processamento: %1")
                                                  .arg(s.DataProc(s.FiliProc()).toString(QStringLiteral("dd/MM/yyyy"))));
    return screen;
}

// The screen belongs to the host's window once shown.
void show(std::unique_ptr<QWidget> screen) {
    host::screenHost().showScreen(screen.get());
    (void)screen.release();
}

}  // namespace

extern "C" Q_DECL_EXPORT void IniProc() {
    show(createScreen(QStringLiteral("telaTeste"), QStringLiteral("Tela de teste do host")));
}

// Opened by LoadBPL: shows the parameters it received, one label each.
extern "C" Q_DECL_EXPORT void IniProcParams(const QVariantList* params) {
    auto screen = createScreen(QStringLiteral("telaTesteParametros"), QStringLiteral("Tela de teste com parâmetros"));
    for (qsizetype i = 0; i < params->size(); ++i)
        label(screen.get(), QStringLiteral("parametro%1").arg(i), params->at(i).toString());
    show(std::move(screen));
}
