// main() for database test programs: Qt's SQL drivers expect a QCoreApplication,
// and without one the first thread that touches Qt becomes Qt's main thread, so a
// worker thread of a test would be taken for it (and its data never freed).
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
