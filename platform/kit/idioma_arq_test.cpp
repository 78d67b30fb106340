#include "idioma_arq.h"

#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(IdiomaArq, ReadsTheValueUnderWebCli) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* stored;  // nullptr: no value at all
        const char* expected;
    } cases[] = {{"ING", "ING"}, {" ESP ", "ESP"}, {"", ""}, {nullptr, ""}};
    int n = 0;
    for (const Case& c : cases) {
        QSettings settings(dir.filePath(QStringLiteral("maquina%1.ini").arg(++n)), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Outro/IdiomaArq"), QStringLiteral("FRA"));  // another key is not it
        if (c.stored) settings.setValue(QStringLiteral("WebCli/IdiomaArq"), QString::fromUtf8(c.stored));
        EXPECT_EQ(kit::idiomaArq(settings), QString::fromUtf8(c.expected)) << n;
    }
}

#ifndef Q_OS_WIN
TEST(IdiomaArq, TheMachineFileIsTheSystemWideIniOfTheProduct) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, dir.path());
    {
        QSettings file(dir.filePath(QStringLiteral("VEXMOOR/Sistemas Integrados Vexmoor.ini")), QSettings::IniFormat);
        file.setValue(QStringLiteral("WebCli/IdiomaArq"), QStringLiteral("ING"));
    }
    EXPECT_EQ(kit::openMachineSettings()->fileName(), dir.filePath(QStringLiteral("VEXMOOR/Sistemas Integrados Vexmoor.ini")));
    EXPECT_EQ(kit::idiomaArq(), QStringLiteral("ING"));
}
#endif

}  // namespace
