// docs/method-catalogue.md is what the server registers, method for method.
#include "business_modules.h"
#include "method_catalogue.h"

#include "platform/server/authenticator.h"

#include "host/testing/qt_printers.h"

#include <QtCore/QFile>
#include <gtest/gtest.h>

namespace platform::server::modules {
namespace {

// The session module's registration needs a store it never reads while registering.
class NoCredentials : public CredentialStore {
public:
    std::optional<OperatorCredential> find(const QString&) override { return std::nullopt; }
    void setPasswordHash(const QString&, const QString&) override {}
};

QString catalogueOfTheServer() {
    ModuleRegistry registry;
    SessionManager sessions;
    NoCredentials credentials;
    Authenticator auth(credentials, sessions);
    auth.registerModule(registry);
    registerBusinessModules(registry);
    return methodCatalogue(registry);
}

TEST(MethodCatalogue, TheDocumentIsWhatTheServerRegisters) {
    const QString path = QStringLiteral(AF_SOURCE_DIR "/docs/method-catalogue.md");
    const QString generated = catalogueOfTheServer();
    if (qEnvironmentVariableIntValue("AF_UPDATE_DOCS") == 1) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(generated.toUtf8());
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_EQ(QString::fromUtf8(in.readAll()), generated)
        << "docs/method-catalogue.md is out of date: run AF_UPDATE_DOCS=1 ctest -R MethodCatalogue";
}

TEST(MethodCatalogue, WritesSayWhatTheyAskOfTheCaller) {
    ModuleRegistry registry;
    Params p;
    p.packet("delta");
    p.textRef("numero");
    registry.add(QStringLiteral("M"))
        .writeMethod(QStringLiteral("SetX"), p, ResultKind::Boolean,
                     WriteRule{.rights = {"ENAF"}, .writersOnly = true, .rowChecks = QStringLiteral("ALAF | EXAF")},
                     [](CallContext&) { return host::RemoteValue(true); })
        .method(QStringLiteral("GetY"), {}, ResultKind::Packet, [](CallContext&) { return host::RemoteValue(); });
    const QString text = methodCatalogue(registry);
    EXPECT_TRUE(text.contains(QStringLiteral(
        "| `SetX` | 1. `delta` pacote de dados<br>2. `numero` texto (por referência) | lógico | escrita; exige ENAF; "
        "recusada ao grupo somente leitura da filial; por item: ALAF \\| EXAF |")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("| `GetY` | — | pacote de dados | leitura |"))) << text.toStdString();
}

}  // namespace
}  // namespace platform::server::modules
