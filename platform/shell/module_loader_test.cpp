#include "platform/shell/module_loader.h"
#include "platform/shell/testing/shell_fixture.h"

#include "host/data/errors.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace shell {
namespace {

QString refusalOf(ModuleLoader& loader, const QString& module, const char* symbol) {
    try {
        loader.resolve(module, symbol);
    } catch (const host::UserError& e) {
        return e.message();
    }
    return QStringLiteral("(encontrado)");
}

TEST(ModuleLoader, FindsTheEntryPointsOfADeliverable) {
    ModuleLoader loader(testing::moduleFolder());
    EXPECT_EQ(loader.libraryPath(QStringLiteral("afdesk")), testing::moduleFolder() + QStringLiteral("/libafdesk.so"));
    EXPECT_NE(loader.resolve(QStringLiteral("afshell_testscreen"), kIniProc), nullptr);
    EXPECT_NE(loader.resolve(QStringLiteral("afshell_testscreen"), kIniProcParams), nullptr);
    EXPECT_TRUE(loader.exports(QStringLiteral("afshell_testscreen"), kIniProc));
    EXPECT_FALSE(loader.exports(QStringLiteral("afshell_noentry"), kIniProc));
}

TEST(ModuleLoader, ProblemsAreMessagesThatNameTheModuleAndThePath) {
    ModuleLoader loader(testing::moduleFolder());
    const QString folder = testing::moduleFolder();
    EXPECT_EQ(refusalOf(loader, QStringLiteral("afdesk_inexistente"), kIniProc),
              QStringLiteral("Módulo afdesk_inexistente não encontrado: %1/libafdesk_inexistente.so").arg(folder));
    EXPECT_EQ(refusalOf(loader, QStringLiteral("afshell_noentry"), kIniProc),
              QStringLiteral("O módulo afshell_noentry não exporta a função IniProc: %1/libafshell_noentry.so").arg(folder));
    EXPECT_EQ(refusalOf(loader, QStringLiteral("../lib/afshell_noentry"), kIniProc),
              QStringLiteral("Nome de módulo inválido: \"../lib/afshell_noentry\"."));
}

TEST(ModuleLoader, AFileThatIsNoLibraryIsRefusedWithTheLoadersReason) {
    QTemporaryDir dir;
    QFile fake(dir.filePath(QStringLiteral("libquebrado.so")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("isto não é uma biblioteca");
    fake.close();
    ModuleLoader loader(dir.path());
    const QString message = refusalOf(loader, QStringLiteral("quebrado"), kIniProc);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Não foi possível carregar o módulo quebrado (%1/libquebrado.so): ")
                                       .arg(dir.path())))
        << message.toStdString();
}

}  // namespace
}  // namespace shell
