#pragma once
// The bulk alteration screen against the real server on the module's fixture:
// a session working in branch 0002 (purchasing branch 0001), scripted dialogs,
// the host's lookup connection on the test database and a server reached in
// process or over HTTP.
#include "alt_af_screen.h"

#include "platform/kit/db_grid.h"
#include "platform/server/modules/alt_af/alt_af_test_support.h"
#include "platform/server/modules/testing/host_server_fixture.h"

#include "host/services/screen_host.h"
#include "host/testing/test_services.h"

#include <memory>

namespace afbatch::testing {

using platform::server::modules::altaf::testing::afNo;
using platform::server::modules::altaf::testing::AltAfWorld;
using platform::server::modules::testing::HostServerFixture;
using platform::server::modules::testing::Transport;

// Child screens shown as plain windows, remembered in order.
class TestScreenHost : public host::ScreenHost {
public:
    QWidget* mainWindow() override { return nullptr; }
    void showScreen(QWidget* screen) override;
    std::vector<QWidget*> shown;
};

class AltAfScreenTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the server on that transport; the screen is created by createScreen().
    void useServer(Transport transport);
    TfrmAltAF& createScreen();
    // Fills the filter and leaves the panel for the grid, as the user would (dates "dd/mm/yyyy" or empty).
    void filter(const QString& branch, const QString& subGroup, const QString& from = {}, const QString& to = {});
    // Moves to the item of that AF and product and edits brand and/or quantity as typed text, then posts.
    // Returns false when the post was refused (the error is then in services.dialogs).
    bool changeItem(int af, const QString& product, const QString& brand, const QString& qty);
    void locate(int af, const QString& product);
    QStringList calls() const { return m_server->calls(); }
    int callCount(const char* method) const { return m_server->callCount(QString::fromLatin1(method)); }

    host::test::TestServices services;
    std::shared_ptr<TestScreenHost> screenHost;
    AltAfWorld world;
    std::unique_ptr<HostServerFixture> m_server;
    std::unique_ptr<TfrmAltAF> screen;
};

}  // namespace afbatch::testing
