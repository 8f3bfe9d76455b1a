#include "chart/appmenu/VersionChecker.h"
#include "chart/appmenu/VersionNumber.h"

#include "AppMenuFakes.h"
#include "support/QStringPrinter.h"

#include <QNetworkAccessManager>
#include <QTcpServer>

namespace {

const QString kNewer = "There is a new version of Norvane Pro";
const QString kCurrent = "You have the current version of Norvane Pro";
const QString kBeta = "You have a beta version of Norvane Pro";
const QString kFailed = "Internet connection failed.";

class VersionCheckerTest : public AppMenuTest {
protected:
    // Runs one check against `versionSite` and returns the alerts' titles.
    QStringList check(const QString& ownVersion, const QUrl& versionSite, bool userAsked)
    {
        recorder.alerts.clear();
        VersionChecker checker(network, ownVersion, [this](const QUrl& url) { opened << url; });
        QSignalSpy done(&checker, &VersionChecker::finished);
        checker.check(versionSite, software, userAsked);
        EXPECT_TRUE(ended(done));
        return alertTitles();
    }
    QStringList check(const QString& ownVersion, const QByteArray& answer, bool userAsked)
    {
        server.serve("/version.txt", answer);
        return check(ownVersion, server.url("/version.txt"), userAsked);
    }

    QNetworkAccessManager network;
    const QUrl software{"https://maker.example/download/"};
    QList<QUrl> opened;
};

}  // namespace

TEST(VersionNumber, DotSeparatedNumbersCompareByValue)
{
    using std::strong_ordering;
    EXPECT_EQ(VersionNumber::compare("3.4.10", "3.4.9"), strong_ordering::greater);
    EXPECT_EQ(VersionNumber::compare("3.4", "3.4.0"), strong_ordering::equal);
    EXPECT_EQ(VersionNumber::compare(" 3.4.5\r\n", "3.4.5"), strong_ordering::equal);
    EXPECT_EQ(VersionNumber::compare("2.99", "10.0"), strong_ordering::less);
    for (const char* bad : {"", "3..4", "3.4b1", "v3.4", "-1.0", "3.4.", "<html>", "12345678901.0"})
        EXPECT_FALSE(VersionNumber::compare(bad, "3.4.5")) << bad;
}

// The answer was once read as one block and compared by its first five characters.
TEST_F(VersionCheckerTest, TheAnswerDecidesTheAlertAndOnlyANewerOneShowsAtLaunch)
{
    const struct {
        QByteArray answer;
        QString own;
        bool userAsked;
        QStringList titles;
    } cases[] = {
        {"3.4.10\n", "3.4.9", false, {kNewer}},
        {"3.4.6", "3.4.5", true, {kNewer}},
        {"3.4.5\n", "3.4.5", true, {kCurrent}},
        {"3.4.5\n", "3.4.5", false, {}},
        {"3.4.4", "3.4.5", true, {kBeta}},
        {"3.4.4", "3.4.5", false, {}},
        {"3.4.6" + QByteArray(16, ' '), "3.4.5", true, {kFailed}},  // 21 bytes: no version file
        {"3.4.6" + QByteArray(16, ' '), "3.4.5", false, {}},
        {"<html>", "3.4.5", true, {kFailed}},
        {"<html>", "3.4.5", false, {}},
        {"3.4.6", "", true, {}},  // nothing to compare with
    };
    for (const auto& c : cases)
        EXPECT_EQ(check(c.own, c.answer, c.userAsked), c.titles) << c.answer.data() << " " << c.userAsked;

    EXPECT_EQ(check("3.4.5", QByteArray("3.4.5\n"), true), QStringList{kCurrent});
    EXPECT_EQ(recorder.alerts.front().message, "3.4.5");
    EXPECT_EQ(check("3.4.5", QByteArray("3.4.4"), true), QStringList{kBeta});
    EXPECT_EQ(recorder.alerts.front().message, "3.4.5");
    // An answer too long for a version was once dropped without a word.
    EXPECT_EQ(check("3.4.5", QByteArray(4096, '3'), true), QStringList{kFailed});
    EXPECT_EQ(recorder.alerts.front().message, "The version file could not be read.");
}

TEST_F(VersionCheckerTest, YesOpensTheDownloadPageLaterDoesNot)
{
    check("3.4.9", QByteArray("3.4.10"), false);
    EXPECT_EQ(opened, QList<QUrl>{software});
    recorder.choice = false;
    check("3.4.9", QByteArray("3.4.10"), true);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(VersionCheckerTest, FailuresAreShownOnlyWhenTheUserAsked)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QUrl unreachable(QString("http://127.0.0.1:%1/version.txt").arg(closed.serverPort()));
    closed.close();
    server.serve("/version.txt", {404, "3.4.6"});
    for (const QUrl& site : {unreachable, server.url("/version.txt"), QUrl()}) {
        EXPECT_EQ(check("3.4.5", site, false), QStringList()) << site.toString().toStdString();
        EXPECT_EQ(check("3.4.5", site, true), QStringList{kFailed}) << site.toString().toStdString();
        EXPECT_FALSE(recorder.alerts.front().message.isEmpty());
    }
}
