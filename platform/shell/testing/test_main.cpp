// main() of the shell's tests: a QApplication (the shell's windows need one),
// and Qt's test mode for the standard paths, so no test touches the user's
// configuration or data folders.
#include <gtest/gtest.h>

#include <QtCore/QStandardPaths>
#include <QtWidgets/QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("afsuite-tests"));
    QApplication::setApplicationName(QStringLiteral("afshell_tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
