#include "standard_grid_screen.h"

#include "db_grid.h"
#include "grid_helpers.h"
#include "guard.h"
#include "key_preview.h"
#include "record_navigator.h"
#include "screen_keys.h"

#include <QtCore/QPointer>
#include <QtGui/QCloseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace kit {

// Tells the screen about its standard data source without taking the source's
// own reaction slots, which belong to the derived screen.
class StandardGridScreen::SourceLink : public DataLink {
public:
    explicit SourceLink(StandardGridScreen& screen) : m_screen(screen) {}
    ~SourceLink() override { unbindQuietly(); }
    void dataEvent(const host::DataEvent& event) override { m_screen.sourceEvent(event); }
    void sourceChanged() override { m_screen.sourceRebound(); }

private:
    StandardGridScreen& m_screen;
};

namespace {

struct ToolDef {
    const char* caption;
    const char* name;  // suffix of sbt... (button) and mnu... (menu item)
    QStyle::StandardPixmap icon;
};

constexpr ToolDef kTools[StandardGridScreen::kToolCount] = {
    {"&Incluir", "Incluir", QStyle::SP_FileIcon},
    {"&Alterar", "Alterar", QStyle::SP_FileDialogDetailedView},
    {"&Excluir", "Excluir", QStyle::SP_TrashIcon},
    {"&Procurar", "Procurar", QStyle::SP_FileDialogContentsView},
    {"&Verificar", "Verificar", QStyle::SP_BrowserReload},
    {"C&onfirmar", "Confirmar", QStyle::SP_DialogApplyButton},
    {"&Cancelar", "Cancelar", QStyle::SP_DialogCancelButton},
};

// "Incluir": a sheet with a green plus. The style's blank sheet reads as a
// disabled button even when the tool is enabled.
QIcon insertIcon(const QIcon& sheet) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    sheet.paint(&p, pm.rect());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(46, 139, 60));
    p.drawEllipse(QRectF(14, 14, 17, 17));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(20.5, 17, 4, 11));
    p.drawRect(QRectF(17, 20.5, 11, 4));
    return QIcon(pm);
}

}  // namespace

StandardGridScreen::StandardGridScreen(const QString& screenCode, QWidget* parent)
    : QMainWindow(parent), m_screenCode(screenCode), m_link(std::make_unique<SourceLink>(*this)) {
    setObjectName(screenCode);
    createTools();

    m_navigator = new RecordNavigator(this);
    addToolBar(Qt::TopToolBarArea, m_navigator);

    auto* central = new QWidget(this);
    m_content = new QVBoxLayout(central);
    m_content->setContentsMargins(4, 4, 4, 4);
    m_grid = new DBGrid(central);
    m_grid->setObjectName(QStringLiteral("dbgPadrao"));
    m_content->addWidget(m_grid);
    setCentralWidget(central);

    // The preview comes first so that it sees a key after Enter became Tab, as the screens expect.
    m_preview = new KeyPreview(this, [this](QKeyEvent* e) { return onKeyPreview(e); });
    m_keys = new ScreenKeys(this);
    m_keys->enterAsTab = [this] {
        const DataSource* source = standardSource();
        return source && source->editing();
    };
    disableTools();
}

StandardGridScreen::~StandardGridScreen() {
    m_link.reset();  // no tool update while the screen goes away
}

void StandardGridScreen::createTools() {
    m_toolBar = new QToolBar(QStringLiteral("Ferramentas"), this);
    m_toolBar->setObjectName(QStringLiteral("tbrPadrao"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_menu = menuBar()->addMenu(QStringLiteral("&Registro"));
    m_menu->setObjectName(QStringLiteral("mnuRegistro"));

    for (int i = 0; i < kToolCount; ++i) {
        const ToolDef& def = kTools[i];
        const QIcon icon = style()->standardIcon(def.icon);
        auto* a = new QAction(i == int(Tool::Incluir) ? insertIcon(icon) : icon, QString::fromUtf8(def.caption), this);
        a->setObjectName(QStringLiteral("mnu") + QLatin1String(def.name));
        a->setToolTip(QLatin1String(def.name));
        m_menu->addAction(a);
        m_toolBar->addAction(a);
        if (QWidget* b = m_toolBar->widgetForAction(a)) {
            b->setObjectName(QStringLiteral("sbt") + QLatin1String(def.name));
            b->setFocusPolicy(Qt::NoFocus);  // a click must leave the focus (and the typed text) where it is
        }
        const Tool tool = Tool(i);
        connect(a, &QAction::triggered, this, [this, tool] { runTool(tool); });
        m_actions[size_t(i)] = a;
    }
}

QToolButton* StandardGridScreen::button(Tool tool) const {
    return qobject_cast<QToolButton*>(m_toolBar->widgetForAction(action(tool)));
}

void StandardGridScreen::setStandardSource(DataSource* source) {
    m_link->setDataSource(source);
    m_grid->setDataSource(source);
    m_navigator->bind(source);
}

DataSource* StandardGridScreen::standardSource() const { return m_link ? m_link->dataSource() : nullptr; }

void StandardGridScreen::setToolEnabled(Tool tool, bool on) { action(tool)->setEnabled(on); }

bool StandardGridScreen::toolEnabled(Tool tool) const { return action(tool)->isEnabled(); }

bool StandardGridScreen::press(Tool tool) { return toolEnabled(tool) && runTool(tool); }

bool StandardGridScreen::runTool(Tool tool) {
    QPointer<StandardGridScreen> self(this);
    const bool done = guard(this, [&] { dispatch(tool); }, standardSource());
    if (self && m_autoUpdate) refreshTools();
    return done;
}

void StandardGridScreen::dispatch(Tool tool) {
    switch (tool) {
    case Tool::Incluir: doInsert(); break;
    case Tool::Alterar: doEdit(); break;
    case Tool::Excluir: doDelete(); break;
    case Tool::Procurar: doSearch(); break;
    case Tool::Verificar: doVerify(); break;
    case Tool::Confirmar:
        // Before the screen's own checks: they must see the value still being typed.
        flushFocusedEditor();
        doConfirm();
        break;
    case Tool::Cancelar: doCancel(); break;
    }
}

void StandardGridScreen::sourceEvent(const host::DataEvent& event) {
    if (!m_autoUpdate) return;
    switch (event.kind) {
    case host::DataEvent::StateChanged:
    case host::DataEvent::DataSetChanged:
    case host::DataEvent::Scrolled:
        refreshTools();
        break;
    case host::DataEvent::RecordChanged:
    case host::DataEvent::UpdateRecord:
        break;
    }
}

void StandardGridScreen::sourceRebound() {
    // A source going away (the derived screen is being destroyed) must not reach
    // the derived updateTools(): its members are half gone.
    if (!standardSource()) {
        disableTools();
        return;
    }
    if (m_autoUpdate) refreshTools();
}

void StandardGridScreen::refreshTools() {
    guard(this, [this] { updateTools(); });
}

void StandardGridScreen::disableTools() {
    for (QAction* a : m_actions) a->setEnabled(false);
}

void StandardGridScreen::closeEvent(QCloseEvent* event) {
    bool close = false;
    guard(this, [&] { close = queryClose(); });
    if (!close) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

}  // namespace kit
