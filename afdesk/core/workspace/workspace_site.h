#pragma once
// What an area of the workspace (the header now; items, taxes, terms, charges,
// messages, the alteration log and receipts as they come) sees of the
// workspace: the AF's parts, the list row, the tabs, the tools, the server
// and the other areas it asks. An area owns its controls, its flags and the
// reactions it adds to its datasets' events; it reaches the others only here.
#include "afdesk/core/model/af_parts.h"
#include "afdesk/core/tools/workspace_tool.h"

class QString;
class QWidget;

namespace host {
class Dataset;
class RemoteConnection;
}  // namespace host

namespace kit {
class DataSource;
}

namespace afdesk {

class PaymentTerms;
class AlterationLog;

class WorkspaceSite {
public:
    virtual ~WorkspaceSite() = default;

    // The screen: parent of dialogs and of the progress animation.
    virtual QWidget* dialogParent() = 0;

    // --- The AF's parts -------------------------------------------------------------------
    virtual host::Dataset& dataset(AfPart part) = 0;
    virtual kit::DataSource& dataSource(AfPart part) = 0;
    // The destination branches of the list, and the branches' parameters.
    virtual host::Dataset& branches() = 0;
    virtual host::Dataset& branchParameters() = 0;
    // Every table of a new AF starts empty (its fields kept; one without fields stays closed).
    virtual void startNewAfTables() = 0;
    // The destination branch of a new AF joins the branches with its parameters (Parametros).
    virtual void takeBranchParameters(const QString& branch) = 0;

    // --- What the AF's editing shares -----------------------------------------------------
    // A new AF is being started by hand (or by an import).
    virtual bool enteringNewAf() const = 0;
    // The close tool's marker: the next confirmation closes the AF.
    virtual void setCloseMarker(bool changed) = 0;

    // --- Tabs -------------------------------------------------------------------------------
    virtual WorkspaceTab activeTab() const = 0;
    bool isActiveTab(WorkspaceTab tab) const { return activeTab() == tab; }
    virtual bool isTabVisible(WorkspaceTab tab) const = 0;
    // Makes a tab active; false when the tab being left refused.
    virtual bool selectTab(WorkspaceTab tab, bool runChange = true, bool user = false) = 0;
    // Back on the list of AFs, its grid focused when it shows.
    virtual void showList() = 0;

    // --- Tools ------------------------------------------------------------------------------
    virtual bool toolEnabled(WorkspaceTool tool) const = 0;
    // The tools recomputed for the active tab.
    virtual void updateTools() = 0;
    // The workspace's state as the rules read it, for a change of `source`.
    virtual ToolSnapshot snapshot(Source source) const = 0;

    // --- The server ------------------------------------------------------------------------
    virtual host::RemoteConnection& server() = 0;

    // --- Other areas ------------------------------------------------------------------------
    virtual PaymentTerms& paymentTerms() = 0;
    // Null until the alteration log has its area.
    virtual AlterationLog* alterationLog() = 0;
};

// The alteration log's part in the header's post: the entry of this post.
class AlterationLog {
public:
    virtual ~AlterationLog() = default;
    virtual void GravaMovOpAF() = 0;
};

}  // namespace afdesk
