#include "afdesk/core/workspace/operation_tools.h"

#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/workspace_messages.h"
#include "afdesk/core/workspace/workspace_tools.h"

#include "host/services/messages.h"
#include "platform/kit/guard.h"

#include <QtGui/QAction>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace afdesk {

namespace {

QString utf8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

// The button a tool shows on the operations' row: named apart, never taking the focus
// (a click leaves the focus, and the text typed in it, where it is).
QToolButton* placeButton(LancaAutoF& w, QAction* a, const WorkspaceToolDef& def) {
    w.state().tbrOperacoes->addAction(a);
    auto* b = qobject_cast<QToolButton*>(w.state().tbrOperacoes->widgetForAction(a));
    if (b) {
        b->setObjectName(QString::fromLatin1(def.button));
        b->setFocusPolicy(Qt::NoFocus);
    }
    return b;
}

QAction* describe(QAction* a, const WorkspaceToolDef& def) {
    a->setObjectName(QString::fromLatin1(def.action));
    if (def.label) a->setIconText(utf8(def.label));
    a->setToolTip(utf8(def.hint));
    a->setCheckable(def.checkable);
    return a;
}

// "Importar &Solicitação de Compra": a menu of its own, shown as the button "Importar".
QAction* buildImportMenu(LancaAutoF& w, const WorkspaceToolDef& def) {
    auto& ws = w.state();
    ws.mnuImportar = new QMenu(utf8(def.caption), &w);
    ws.mnuImportar->setObjectName(QStringLiteral("mnuImportar"));
    for (const WorkspaceToolDef& item : workspaceTools()) {
        if (item.place != ToolPlace::ImportMenu) continue;
        QAction* a = describe(ws.mnuImportar->addAction(utf8(item.caption)), item);
        w.setToolAction(item.tool, a);
    }
    QAction* a = describe(ws.mnuImportar->menuAction(), def);
    ws.mnuOpcoes->addMenu(ws.mnuImportar);
    if (QToolButton* b = placeButton(w, a, def)) b->setPopupMode(QToolButton::InstantPopup);
    return a;
}

QAction* buildTool(LancaAutoF& w, const WorkspaceToolDef& def) {
    if (def.tool == WorkspaceTool::ImpSoliCmp) return buildImportMenu(w, def);
    QAction* a = describe(new QAction(utf8(def.caption), &w), def);
    if (def.place == ToolPlace::Options) w.state().mnuOpcoes->addAction(a);
    placeButton(w, a, def);
    if (def.shortcut) {
        a->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut), QKeySequence::PortableText));
        // Scoped to the workspace (every control in it), not to the menu that shows it.
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        w.addAction(a);
    }
    return a;
}

}  // namespace

void buildSpecialTools(LancaAutoF& w) {
    auto& ws = w.state();
    ws.mnuOpcoes = w.menuBar()->addMenu(QStringLiteral("&Opções"));
    ws.mnuOpcoes->setObjectName(QStringLiteral("mnuOpcoes"));
    // The operations have a row of their own under the standard tools: on one
    // row, most of them went behind the toolbar's overflow button.
    ws.tbrOperacoes = new QToolBar(QStringLiteral("Operações"), &w);
    ws.tbrOperacoes->setObjectName(QStringLiteral("tbrOperacoes"));
    ws.tbrOperacoes->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ws.tbrOperacoes->setMovable(false);
    w.addToolBarBreak(Qt::TopToolBarArea);
    w.addToolBar(Qt::TopToolBarArea, ws.tbrOperacoes);

    for (const WorkspaceToolDef& def : workspaceTools()) {
        if (def.place == ToolPlace::Standard || def.place == ToolPlace::ImportMenu) continue;
        w.setToolAction(def.tool, buildTool(w, def));
    }
    w.toolAction(WorkspaceTool::ImportaSAC)->setEnabled(false);  // until a branch that uses it is shown

    w.setToolHandler(WorkspaceTool::Filtrar, [&w] { runFilter(w); });
    w.setToolHandler(WorkspaceTool::ImportaSAC, [&w] { importaSAC(w); });
    w.setToolHandler(WorkspaceTool::MudAutProd, [&w] { mudancaAutomatica(w); });

    // The manual receipt of one item sits on its inner tab.
    QWidget* baixa = w.innerPage(ProdutosTab::EntregaBaixa);
    ws.btbBaixar = new QPushButton(QStringLiteral("Baixar"), baixa);
    ws.btbBaixar->setObjectName(QStringLiteral("btbBaixar"));
    ws.btbBaixar->setEnabled(false);
    baixa->layout()->addWidget(ws.btbBaixar);
    QObject::connect(ws.btbBaixar, &QPushButton::clicked, &w,
                     [&w] { kit::guard(&w, [&w] { notAvailable(w, QStringLiteral("Baixar")); }); });
}

void notAvailable(LancaAutoF&, const QString& operation) {
    QString name = operation;
    name.remove(QLatin1Char('&'));
    msgLancaAutoF().ShowMsg(QStringLiteral("Oper_NDisp"), host::MessageKind::Information, host::QuestionButtons::Ok,
                            {name});
}

}  // namespace afdesk
