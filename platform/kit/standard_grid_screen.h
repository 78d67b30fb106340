#pragma once
// The standard grid screen the child screens of the shell are built on (the AF
// workspace, the bulk alteration): a tool bar and a menu with the standard tools
// "Incluir", "Alterar", "Excluir", "Procurar", "Verificar", "Confirmar" and
// "Cancelar", a record navigator, the standard data source (`dtsPadrao`) with
// its grid (`dbgPadrao`), key preview and Enter as Tab.
//
// Each tool is ONE QAction shown both as a tool button and as a menu item, so
// the button always has its menu item's enabled and visible state.
//
// Behaviour: each tool runs a virtual of the screen (doInsert ... doCancel)
// inside the kit's exception boundary, so Abort ends it silently, UserError
// shows its message once, and a refused "Confirmar" leaves the edit open.
// A screen overrides the behaviour units it changes and calls the base version
// where it wants the standard behaviour ("the standard confirmation"):
//   Incluir    inserts a record into the standard dataset and focuses the grid
//   Alterar    puts the current record in edit state and focuses the grid
//   Excluir    asks "Confirma exclusão?" and deletes the current record on Yes
//   Procurar   the search dialog (Procura) over the standard dataset
//   Verificar  has no standard behaviour: a screen that refreshes its data
//              overrides doVerify() and enables the tool in updateTools()
//   Confirmar  posts the standard dataset; the typed text of the focused
//              control is written before doConfirm() runs, so a screen's own
//              checks see the last value typed
//   Cancelar   asks "Cancelar operação?" and cancels the edit on Yes
//
// Tool states: updateTools() (virtual) runs after every state or content change
// of the standard data source and after every tool; the standard rule is
// browse: Incluir, and on a non-empty dataset Alterar, Excluir, Procurar;
// editing or inserting: Confirmar and Cancelar; inactive: nothing. Screens with
// rules of their own override it (or turn the automatic runs off).
//
// Keys: onKeyPreview() sees every key aimed at a control of the screen before
// the control does (the standard one forwards F9 to the lookup button of the
// focused edit box); keys() is the screen's Enter-as-Tab and decimal-comma
// handling, with Enter as Tab while the standard data source is being edited.
//
// The standard data source belongs to the screen that derives from this one:
// declare it after its dataset and bind it with setStandardSource(). The
// screen is told when it goes away, so members may be destroyed in any order.
#include "data_source.h"

#include <QtWidgets/QMainWindow>
#include <array>
#include <memory>

class QKeyEvent;
class QMenu;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace kit {

class DBGrid;
class KeyPreview;
class RecordNavigator;
class ScreenKeys;

class StandardGridScreen : public QMainWindow {
public:
    enum class Tool { Incluir, Alterar, Excluir, Procurar, Verificar, Confirmar, Cancelar };
    static constexpr int kToolCount = 7;

    explicit StandardGridScreen(const QString& screenCode, QWidget* parent = nullptr);
    ~StandardGridScreen() override;

    const QString& screenCode() const { return m_screenCode; }

    // The standard data source: the grid, the navigator and the standard tools work on it.
    void setStandardSource(DataSource* source);
    DataSource* standardSource() const;
    DBGrid* standardGrid() const { return m_grid; }
    // The central area (grid first); screens add their panels around it.
    QVBoxLayout* contentLayout() const { return m_content; }

    QAction* action(Tool tool) const { return m_actions[size_t(tool)]; }
    QToolButton* button(Tool tool) const;
    QMenu* standardMenu() const { return m_menu; }
    QToolBar* toolBar() const { return m_toolBar; }
    RecordNavigator* navigator() const { return m_navigator; }
    ScreenKeys& keys() const { return *m_keys; }

    void setToolEnabled(Tool tool, bool on);
    bool toolEnabled(Tool tool) const;
    // What clicking the tool does: nothing when it is disabled; true when its work completed.
    bool press(Tool tool);

    // Recomputes the tools (see above).
    virtual void updateTools();
    // Off: updateTools() runs only when the screen calls it.
    void setAutoUpdateTools(bool on) { m_autoUpdate = on; }
    bool autoUpdateTools() const { return m_autoUpdate; }

protected:
    virtual void doInsert();
    virtual void doEdit();
    virtual void doDelete();
    virtual void doSearch();
    virtual void doVerify() {}
    virtual void doConfirm();
    virtual void doCancel();

    // True when the key was handled (the control never sees it).
    virtual bool onKeyPreview(QKeyEvent* event);
    // Asked before the screen closes; false (or an error) keeps it open.
    virtual bool queryClose() { return true; }

    // The standard data source, active; throws Abort otherwise.
    DataSource& activeSource() const;
    // Gives the focus to the standard grid when it can take it.
    void focusGrid();

    void closeEvent(QCloseEvent* event) override;

private:
    class SourceLink;

    void createTools();
    bool runTool(Tool tool);
    void dispatch(Tool tool);
    void sourceEvent(const host::DataEvent& event);
    void sourceRebound();
    void refreshTools();
    void disableTools();

    QString m_screenCode;
    std::array<QAction*, kToolCount> m_actions{};
    QMenu* m_menu = nullptr;
    QToolBar* m_toolBar = nullptr;
    RecordNavigator* m_navigator = nullptr;
    DBGrid* m_grid = nullptr;
    QVBoxLayout* m_content = nullptr;
    ScreenKeys* m_keys = nullptr;
    KeyPreview* m_preview = nullptr;
    std::unique_ptr<SourceLink> m_link;
    bool m_autoUpdate = true;
};

}  // namespace kit
