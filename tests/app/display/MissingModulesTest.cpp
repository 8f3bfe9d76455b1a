// A partial install: a copy of this program beside every module but the
// webcam's and the USB adapters', run on the display with the program's own
// alert boxes.
#include "app/display/WindowManagerTest.h"
#include "mount/panels/ConnectMenu.h"
#include "platform/widgets/MessageBoxPresenter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

namespace {

// Set in the copy's environment: the copy runs the user's side below.
constexpr const char* kInCopy = "NORVANE_TEST_MISSING_MODULES";

// The Connect menu's tags.
constexpr int kWebcamTag = 50;
constexpr int kGPUSBTag = 51;

// A hard link where the file system allows one, else a copy.
bool place(const QString& from, const QString& to)
{
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ||
           QFile::copy(from, to);
}

// Presses OK on every alert box that comes up while it lives, keeping what it said.
class AlertReader final : public QObject {
public:
    AlertReader()
    {
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                read << box->text() + "\n" + box->informativeText();
                box->accept();
            }
        });
        m_poll.start();
    }
    qsizetype count(const QString& title) const
    {
        return std::count_if(read.begin(), read.end(), [&](const QString& text) { return text.startsWith(title); });
    }
    QStringList read;

private:
    QTimer m_poll;
};

// The user's side, in the copy.
class MissingModulesTest : public WindowManagerTest {
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet(kInCopy))
            GTEST_SKIP() << "runs in the copy the test above makes";
        WindowManagerTest::SetUp();
    }
};

}  // namespace

TEST(MissingModulesCopyTest, AProgramWithoutTheWebcamAndAdapterModulesTellsWhichSupportIsMissing)
{
    if (qEnvironmentVariableIsSet(kInCopy))
        GTEST_SKIP() << "this is the copy";
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    const QDir bin(QCoreApplication::applicationDirPath());
    // Beside the program, so that the links stay on one file system.
    QTemporaryDir copy(bin.filePath("partial-install-XXXXXX"));
    ASSERT_TRUE(copy.isValid());
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    ASSERT_TRUE(place(bin.filePath(program), copy.filePath(program)));
    ASSERT_TRUE(QFile::link(bin.filePath("data"), copy.filePath("data")));
    for (const QString& module : bin.entryList({"libnorvane-*.so"}, QDir::Files)) {
        if (module != "libnorvane-webcam.so" && module != "libnorvane-hidapi.so")
            ASSERT_TRUE(place(bin.filePath(module), copy.filePath(module))) << module.toStdString();
    }

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kInCopy, "1");
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(copy.filePath(program), {"--gtest_filter=MissingModulesTest.*"});
    ASSERT_TRUE(run.waitForFinished(300000));
    const QByteArray output = run.readAll();
    EXPECT_EQ(run.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST_F(MissingModulesTest, TheUserIsToldWhichSupportIsMissing)
{
    AlertPanel::setPresenter(std::make_unique<MessageBoxPresenter>());
    ASSERT_TRUE(launch());
    AlertReader alerts;
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    const auto choose = [&menu](int tag) {
        menu.validateMenu();
        QAction* item = menu.itemWithTag(tag);
        ASSERT_NE(item, nullptr) << tag;
        item->trigger();
    };

    // The webcam panel shows, hides and shows again; the adapter is tried twice.
    for (int tag : {kWebcamTag, kWebcamTag, kWebcamTag, kGPUSBTag, kGPUSBTag})
        ASSERT_NO_FATAL_FAILURE(choose(tag));
    const QString webcam = "The support for the webcam is missing.";
    const QString adapters = "The support for the GPUSB/DSUSB guide adapters is missing.";
    // The failed connection no longer blames the system's device rules.
    const QString failed = "GPUSB connection failed.\nThe program's support for USB adapters is not installed.";
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return alerts.count(webcam) >= 2 && alerts.count(adapters) && alerts.count(failed) >= 2; }, 60000))
        << alerts.read.join("\n---\n").toStdString();
    settle();
    // The webcam's at each of the two attempts, and nothing about connecting
    // a webcam; the adapters' once.
    EXPECT_EQ(alerts.count(webcam), 2);
    EXPECT_EQ(alerts.count("No webcam was found."), 0);
    EXPECT_EQ(alerts.count(adapters), 1);
    for (const QString& text : alerts.read) {
        if (text.startsWith(webcam))
            EXPECT_TRUE(text.contains("libnorvane-webcam.so is not installed")) << text.toStdString();
        if (text.startsWith(adapters))
            EXPECT_TRUE(text.contains("libnorvane-hidapi.so is not installed")) << text.toStdString();
    }
    EXPECT_EQ(alerts.count(failed), 2);
    AlertPanel::setPresenter(nullptr);
}
