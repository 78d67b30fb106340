#include "afdesk/core/workspace/operation_tools.h"

#include "afdesk/core/workspace/lanca_autof.h"
#include "afdesk/core/workspace/workspace_messages.h"
#include "afdesk/core/workspace/workspace_tabs.h"
#include "afdesk/core/workspace/workspace_tools.h"

#include "host/services/messages.h"
#include "platform/kit/guard.h"

#include <QtGui/QAction>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <functional>

namespace afdesk {

namespace {

struct ToolDef {
    const char* menuName;    // object name of the action (the menu item)
    const char* buttonName;  // object name of its tool button
    const char* caption;     // menu item, with its accelerator
    const char* hint;        // the button's hint
    const char* label;       // the button's text: short, so that every button shows on a 1366-pixel screen
};

// Menu item and button: one action, its button named apart.
QAction* addTool(LancaAutoF& w, QMenu* menu, const ToolDef& def) {
    auto* a = new QAction(QString::fromUtf8(def.caption), &w);
    a->setObjectName(QString::fromLatin1(def.menuName));
    a->setIconText(QString::fromUtf8(def.label));
    a->setToolTip(QString::fromUtf8(def.hint));
    if (menu) menu->addAction(a);
    w.tbrOperacoes->addAction(a);
    if (QWidget* b = w.tbrOperacoes->widgetForAction(a)) {
        b->setObjectName(QString::fromLatin1(def.buttonName));
        b->setFocusPolicy(Qt::NoFocus);  // a click leaves the focus (and the typed text) where it is
    }
    return a;
}

void onTrigger(LancaAutoF& w, QAction* a, std::function<void(LancaAutoF&)> work) {
    QObject::connect(a, &QAction::triggered, &w, [&w, work] { kit::guard(&w, [&] { work(w); }); });
}

// An operation of later work: its caption without the accelerator names it.
void laterWork(LancaAutoF& w, QAction* a) {
    const QString name = a->toolTip();
    onTrigger(w, a, [name](LancaAutoF& screen) { notAvailable(screen, name); });
}

void buildImportMenu(LancaAutoF& w) {
    w.mnuImportar = new QMenu(QStringLiteral("Importar &Solicitação de Compra"), &w);
    w.mnuImportar->setObjectName(QStringLiteral("mnuImportar"));
    w.mnuImpSoliCompras = w.mnuImportar->addAction(QStringLiteral("Importar &Solicitação de Compras"));
    w.mnuImpSoliCompras->setObjectName(QStringLiteral("mnuImpSoliCompras"));
    w.mnuImpSoliCompras->setToolTip(QStringLiteral("Importar Solicitação de Compras"));
    w.mnuImpProdForn = w.mnuImportar->addAction(QStringLiteral("Importar &Produto por Fornecedor"));
    w.mnuImpProdForn->setObjectName(QStringLiteral("mnuImpProdForn"));
    w.mnuImpProdForn->setToolTip(QStringLiteral("Importar Produto por Fornecedor"));

    w.mnuImpSoliCmp = w.mnuImportar->menuAction();
    w.mnuImpSoliCmp->setObjectName(QStringLiteral("mnuImpSoliCmp"));
    w.mnuImpSoliCmp->setIconText(QStringLiteral("Importar"));
    w.mnuImpSoliCmp->setToolTip(QStringLiteral("Importar"));
    w.mnuOpcoes->addMenu(w.mnuImportar);
    w.tbrOperacoes->addAction(w.mnuImpSoliCmp);
    if (auto* b = qobject_cast<QToolButton*>(w.tbrOperacoes->widgetForAction(w.mnuImpSoliCmp))) {
        b->setObjectName(QStringLiteral("sbtImpSoliCmp"));
        b->setFocusPolicy(Qt::NoFocus);
        b->setPopupMode(QToolButton::InstantPopup);
    }
    laterWork(w, w.mnuImpSoliCompras);
    laterWork(w, w.mnuImpProdForn);
}

}  // namespace

void buildSpecialTools(LancaAutoF& w) {
    w.mnuOpcoes = w.menuBar()->addMenu(QStringLiteral("&Opções"));
    w.mnuOpcoes->setObjectName(QStringLiteral("mnuOpcoes"));
    // The operations have a row of their own under the standard tools: on one
    // row, most of them went behind the toolbar's overflow button.
    w.tbrOperacoes = new QToolBar(QStringLiteral("Operações"), &w);
    w.tbrOperacoes->setObjectName(QStringLiteral("tbrOperacoes"));
    w.tbrOperacoes->setToolButtonStyle(Qt::ToolButtonTextOnly);
    w.tbrOperacoes->setMovable(false);
    w.addToolBarBreak(Qt::TopToolBarArea);
    w.addToolBar(Qt::TopToolBarArea, w.tbrOperacoes);
    QMenu* m = w.mnuOpcoes;

    w.mnuFiltrar = addTool(w, m, {"mnuFiltro", "sbtFiltro", "&Filtrar", "Filtrar", "Filtrar"});
    w.mnuFiltrar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    // Scoped to the workspace (every control in it), not to the menu that shows it.
    w.mnuFiltrar->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    w.addAction(w.mnuFiltrar);
    w.mnuFechaAF = addTool(w, m, {"mnuFechaAF", "sbtFechaAF", "Fecha&r AF", "Fechar AF", "Fechar AF"});
    w.mnuConsistir = addTool(w, m, {"mnuConsistir", "sbtConsistir", "C&onsistir", "Consistir", "Consistir"});
    w.mnuB_Total = addTool(w, m, {"mnuB_Total", "sbtB_Total", "&Baixar Totalmente", "Baixar Totalmente",
                                     "Baixar Total"});
    w.mnuB_TotSaida = addTool(w, m, {"mnuB_TotSaida", "sbtB_TotalSaid", "Baixar &Totalmente (Saída)",
                                     "Baixar Totalmente (Saída)", "Baixar Saída"});
    w.mnuCancelaAF = addTool(w, m, {"mnuCancelaAF", "sbtCancelaAF", "Cance&lar AF", "Cancelar AF", "Cancelar AF"});
    w.mnuEncerrarAF = addTool(w, m, {"mnuEncerrarAF", "sbtEncerrarAF", "&Encerrar AF", "Encerrar AF", "Encerrar AF"});
    w.mnuReAFAberto = addTool(w, m, {"mnuReAFAberto", "sbtRetAFAberto", "Retornar Sit&uação da AF para \"Em Aberto\"",
                                     "Retornar Situação da AF para \"Em Aberto\"", "Reabrir AF"});
    w.mnuRetAFExp = addTool(w, m, {"mnuRetAFExp", "sbtRetAFExp", "Retornar AF Expirada para \"Em Aberto\"",
                                   "Retornar AF Expirada para \"Em Aberto\"", "Reabrir Expirada"});
    w.mnuMudAutProd = addTool(w, m, {"mnuMudAutProd", "sbtMudAutProd", "&Mudança Automática de Produto",
                                     "Mudança Automática de Produto", "Mudança Autom."});
    w.mnuMudAutProd->setCheckable(true);
    w.mnuEnviaAFEmail = addTool(w, m, {"mnuEnviaAFEmail", "sbtEnviaAFEmail", "E&nviar AF via e-mail",
                                       "Enviar AF via e-mail", "Enviar e-mail"});
    buildImportMenu(w);
    w.mnuImportaSAC = addTool(w, m, {"mnuImportaSAC", "sbtImportaSAC", "I&mportação SAC", "Importação SAC", "Importação SAC"});
    w.mnuImportaSAC->setEnabled(false);
    w.sbtAtualizaMercadum = addTool(w, nullptr, {"actAtualizaMercadum", "sbtAtualizaMercadum", "Atualiza c/ Mercadum",
                                                 "Atualiza c/ Mercadum", "Mercadum"});
    w.sbtCopy = addTool(w, nullptr, {"actCopy", "sbtCopy", "Copiar Justificativa", "Copiar Justificativa",
                                          "Copiar Justif."});

    onTrigger(w, w.mnuFiltrar, runFilter);
    onTrigger(w, w.mnuImportaSAC, importaSAC);
    onTrigger(w, w.mnuMudAutProd, mudancaAutomatica);
    for (QAction* a : {w.mnuFechaAF, w.mnuConsistir, w.mnuB_Total, w.mnuB_TotSaida, w.mnuCancelaAF, w.mnuEncerrarAF,
                       w.mnuReAFAberto, w.mnuRetAFExp, w.mnuEnviaAFEmail, w.sbtAtualizaMercadum, w.sbtCopy})
        laterWork(w, a);

    // The manual receipt of one item sits on its inner tab.
    QWidget* baixa = w.innerPage(ProdutosTab::EntregaBaixa);
    w.btbBaixar = new QPushButton(QStringLiteral("Baixar"), baixa);
    w.btbBaixar->setObjectName(QStringLiteral("btbBaixar"));
    w.btbBaixar->setEnabled(false);
    baixa->layout()->addWidget(w.btbBaixar);
    QObject::connect(w.btbBaixar, &QPushButton::clicked, &w,
                     [&w] { kit::guard(&w, [&w] { notAvailable(w, QStringLiteral("Baixar")); }); });
}

void notAvailable(LancaAutoF&, const QString& operation) {
    QString name = operation;
    name.remove(QLatin1Char('&'));
    msgLancaAutoF().ShowMsg(QStringLiteral("Oper_NDisp"), host::MessageKind::Information, host::QuestionButtons::Ok,
                            {name});
}

}  // namespace afdesk
