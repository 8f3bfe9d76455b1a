#include <gtest/gtest.h>

#include <QStandardPaths>

#ifdef NORVANE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    // Tests must never read or write the user's real settings and data folders.
    QStandardPaths::setTestModeEnabled(true);
    TestApplication::setOrganizationName("Norvane");
    TestApplication::setApplicationName("Norvane Pro");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
