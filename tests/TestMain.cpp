#include "platform/DeviceFolder.h"
#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <QDir>
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
    // Tests must never read or write the user's real settings, data folders
    // or caches: the process takes a home of its own before anything reads them.
    const TemporaryHome home;
    QStandardPaths::setTestModeEnabled(true);
    // Nor any device of the machine's: a port scan sees an empty device
    // folder, so tests reach only the pseudo-terminals they made.
    const QString devices = QString::fromStdString(home.path()) + "/dev";
    QDir().mkpath(devices);
    DeviceFolder::setPath(devices);
#ifdef NORVANE_TEST_WIDGETS
    // Test discovery runs the program at build time, where there may be no
    // display; the display tests name their platform explicitly.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication::setOrganizationName("Norvane");
    TestApplication::setApplicationName("Norvane Pro");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
