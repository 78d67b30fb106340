#include "platform/shell/window_geometry.h"

#include "platform/shell/shell_config.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QMainWindow>
#include <gtest/gtest.h>

namespace shell {
namespace {

class WindowGeometryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString config = dir.filePath(QStringLiteral("afhost.conf"));

    static void settle() {
        for (int i = 0; i < 5; ++i) QTest::qWait(5);
    }
};

TEST_F(WindowGeometryTest, TheFirstStartOpensMaximisedThenWhereTheUserLeftIt) {
    {
        QMainWindow first;
        showMainWindow(first, readShellConfig(config).windowGeometry);
        settle();
        EXPECT_TRUE(first.isMaximized());
        first.showNormal();
        first.setGeometry(60, 50, 500, 300);
        settle();
        first.close();
        rememberWindowGeometry(config, first.saveGeometry());  // after the window closed, as the program ends
    }
    QMainWindow next;
    showMainWindow(next, readShellConfig(config).windowGeometry);
    settle();
    EXPECT_FALSE(next.isMaximized());
    EXPECT_EQ(next.geometry().size(), QSize(500, 300));
    EXPECT_EQ(next.geometry().topLeft(), QPoint(60, 50));
}

TEST_F(WindowGeometryTest, AWindowLeftOffEveryScreenComesBackOntoOne) {
    {
        QMainWindow away;
        away.setGeometry(20000, 20000, 400, 300);
        rememberWindowGeometry(config, away.saveGeometry());
    }
    QMainWindow next;
    showMainWindow(next, readShellConfig(config).windowGeometry);
    settle();
    ASSERT_NE(next.screen(), nullptr);
    EXPECT_TRUE(next.screen()->availableGeometry().intersects(next.frameGeometry()));
}

}  // namespace
}  // namespace shell
