#pragma once
// The AF workspace "CMP03900" ("Lançamento de Autorização de Fornecimento"):
// the owner of the datasets, lookups, connections and controls (its state,
// workspace_state.h) that the workspace's behaviour units (start-up,
// permissions, message filter, keys, AF loading, tabs, list reactions, branch
// parameters, the toolbar's recomputation and reactions, the standard and
// special tools) work on. The class itself only builds the controls and routes
// Qt's events to those units; the areas see it as a WorkspaceSite.
#include "afdesk/core/tools/tool_snapshot.h"
#include "afdesk/core/workspace/af_cache.h"
#include "afdesk/core/workspace/workspace_site.h"

#include "platform/kit/standard_grid_screen.h"

#include <QtCore/QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMdiSubWindow;

namespace afdesk {

struct FilterTargets;
struct WorkspaceState;

// The inner tabs of "Produtos".
enum class ProdutosTab { Imposto, EntregaBaixa, Observacao };

class LancaAutoF : public kit::StandardGridScreen, public WorkspaceSite {
public:
    explicit LancaAutoF(QWidget* parent = nullptr);
    ~LancaAutoF() override;

    // The screen's state, which only the workspace's own units see.
    WorkspaceState& state() { return *m_state; }
    const WorkspaceState& state() const { return *m_state; }

    // The ten datasets of one AF, in the order of the cache's entries 1 to 10.
    std::array<host::Dataset*, kAfCacheEntries> afDatasets();
    // The parts, each as `kAfParts` describes it, in its order; `which` picks some of them.
    std::vector<host::Dataset*> partDatasets(bool (*which)(const AfPartDef&) = nullptr);
    std::vector<kit::DataSource*> partSources(bool (*which)(const AfPartDef&) = nullptr);

    QWidget* tabPage(WorkspaceTab tab) const { return m_pages[size_t(tab)]; }
    QAction* tabAction(WorkspaceTab tab) const { return m_tabActions[size_t(tab)]; }
    QWidget* innerPage(ProdutosTab tab) const { return m_innerPages[size_t(tab)]; }
    WorkspaceTab activeTab() const override;
    bool isTabEnabled(WorkspaceTab tab) const;
    bool isTabVisible(WorkspaceTab tab) const override;
    ProdutosTab activeInnerTab() const;

    // Makes a tab active. `user` marks a change the user asked for (the tab
    // bar, Ctrl+Left/Right): the tab-change handling runs with a sender. The
    // tab being left posts its edits first; false when that refused the change.
    bool selectTab(WorkspaceTab tab, bool runChange = true, bool user = false) override;

    // Enables or disables tabs without the tab bar moving to another tab on its own.
    void setTabEnabled(WorkspaceTab tab, bool on);

    // What the filter dialog fills.
    FilterTargets filterTargets();

    // The tool recomputation: the screen's state read into a snapshot, the
    // rules applied, their outcome set on the tools. `source` is the data
    // source whose change triggered it.
    void Habilita_Ferramentas(Source source);
    // The recomputation with the data source the active tab drives.
    void updateTools() override;

    // Enables or disables an inner tab of "Produtos" without it moving to another.
    void setInnerTabEnabled(ProdutosTab tab, bool on);

    // The screen's part of the shell's window: itself, or the MDI child showing it.
    QWidget* frame() const;

    // --- Tools by identifier ------------------------------------------------------------
    // The action of a tool (a standard tool's own, or the operation's menu item and button).
    QAction* toolAction(WorkspaceTool tool) const;
    void setToolAction(WorkspaceTool tool, QAction* action);  // once, by whoever builds it
    using kit::StandardGridScreen::setToolEnabled;
    using kit::StandardGridScreen::toolEnabled;
    void setToolEnabled(WorkspaceTool tool, bool on);
    // What an operation does; without a handler it says it is not available yet.
    void setToolHandler(WorkspaceTool tool, std::function<void()> handler);

    // --- What the areas see (WorkspaceSite) ----------------------------------------------
    QWidget* dialogParent() override { return this; }
    host::Dataset& dataset(AfPart part) override;
    const host::Dataset& dataset(AfPart part) const;
    kit::DataSource& dataSource(AfPart part) override;
    host::Dataset& branches() override;
    host::Dataset& branchParameters() override;
    void startNewAfTables() override;
    void takeBranchParameters(const QString& branch) override;
    bool enteringNewAf() const override;
    void setCloseMarker(bool changed) override;
    void showList() override;
    bool toolEnabled(WorkspaceTool tool) const override;
    ToolSnapshot snapshot(Source source) const override;
    host::RemoteConnection& server() override;
    PaymentTerms& paymentTerms() override;
    AlterationLog* alterationLog() override { return nullptr; }

protected:
    // The standard tools; each has its own unit (workspace_tool_*.cpp).
    void doInsert() override;
    void doEdit() override;
    void doDelete() override;
    void doSearch() override;
    void doVerify() override;
    void doConfirm() override;
    void doCancel() override;

    bool event(QEvent* event) override;
    bool onKeyPreview(QKeyEvent* event) override;
    bool queryClose() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTabs();
    void buildMenus();
    void bindReactions();
    void tabBarClicked(int index);
    void tabBarChanged(int index);
    void watchFrame();
    void activated();
    void deactivated();

    std::unique_ptr<WorkspaceState> m_state;  // first built, last gone
    std::array<QWidget*, kWorkspaceTabCount> m_pages{};
    std::array<QAction*, kWorkspaceTabCount> m_tabActions{};
    std::array<QWidget*, 3> m_innerPages{};
    std::array<QAction*, kWorkspaceToolCount> m_toolActions{};
    std::array<std::function<void()>, kWorkspaceToolCount> m_toolHandlers{};
    void runTool(WorkspaceTool tool);
    int m_shownTab = 0;       // the tab shown before the current change
    bool m_selecting = false;  // a change made from code is under way
    bool m_userChange = false;
    bool m_clickLeft = false;     // a click already left the shown tab before the bar switched
    bool m_clickRefused = false;  // ... and that tab refused to be left
    QPointer<QMdiSubWindow> m_frame;
    bool m_activationQueued = false;
};

}  // namespace afdesk
