#include "FindFixture.h"

#include "model/ObjectIndex.h"
#include "support/FileSizeLimit.h"
#include "support/LocalHttpServer.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray kSimbadM31 =
    "Object M 31  ---  G  ---  OID=@1575544   (@@1575544,3)\n\n"
    "Coordinates(ICRS,ep=J2000,eq=2000): 10.68470833 +41.26875000 (Opt ) A [...]\n"
    "Proper motions: -0.82 -1.05 [~ ~ 0] ~\n"
    "Flux V : 3.44 [~] D ~\n";
const QByteArray kSesameVega =
    "# Vega\t#Q5953\n#=S=Simbad (CDS, via client/server):    1    0ms\n"
    "%J 279.23473479 +38.78368896 = 18:36:56.33 +38:47:01.2\n"
    "%P 200.94 286.23 [0.32 0.32 0] A 2007A&A...474..653V\n"
    "%I SAO 67174\n%I HD 172167\n";

class SimbadLookupTest : public FindFixture {
protected:
    void SetUp() override
    {
        FindFixture::SetUp();
        // The services all at the loopback server.
        makeFinder({server.url(""), server.url(""), server.url("")});
    }
    static QString simbad(const char* encodedName)
    {
        return QString::fromLatin1(SimbadLookup::kSimbadQuery) + encodedName;
    }
    bool waitForResult(const QString& ending)
    {
        return QTest::qWaitFor([&] { return result().endsWith(ending); }, 5000);
    }
    QByteArray cached(const char* stem) const
    {
        QFile file(misc() + stem + ".smbd");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    LocalHttpServer server;
};

TEST_F(SimbadLookupTest, AnswersOfBothFormsBecomeTheLookupStar)
{
    const struct {
        QByteArray answer;
        double ra;
        double pmRA;
        float mag;
        const char* sao;
    } cases[] = {
        {kSimbadM31, 10.68470833, -0.82, 3.44f, " "},
        {QByteArray(kSimbadM31).replace("Flux V : ", "").replace("Proper motions: ", "") +
             "SAO 36500 HD 3\n",
         10.68470833, 0.0, SimAnswer::kNoMagnitude, "36500"},
        {kSesameVega, 279.23473479, 200.94, SimAnswer::kNoMagnitude, "67174"},
        {QByteArray(kSesameVega).replace("%P ", "%X "), 279.23473479, 0.0,
         SimAnswer::kNoMagnitude, "67174"},
        {QByteArray(kSimbadM31).replace("-0.82 -1.05", "~ ~"), 10.68470833, 0.0, 3.44f, " "},
        // A flux beyond any magnitude once became an infinite one.
        {QByteArray(kSimbadM31).replace("3.44", "1e39"), 10.68470833, -0.82, SimAnswer::kNoMagnitude, " "},
        {QByteArray(kSimbadM31).replace("3.44", "-41"), 10.68470833, -0.82, SimAnswer::kNoMagnitude, " "},
        {QByteArray(kSimbadM31).replace("3.44", "39.5"), 10.68470833, -0.82, 39.5f, " "},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(finder->parseSimFile(c.answer)) << c.answer.data();
        const star* s = sky.simStar();
        ASSERT_NE(s, nullptr);
        EXPECT_DOUBLE_EQ(s->raDeg, c.ra);
        EXPECT_NEAR(s->pmRA, c.pmRA * Angles::kMasPerYearToRadPerCentury, 1e-15);
        EXPECT_FLOAT_EQ(s->mag, c.mag);
        EXPECT_STREQ(s->sao, c.sao);
        EXPECT_EQ(prefs.findIndex(), kSimStarIndex);
    }
    // A position that is not a pair of numbers on the sphere is refused.
    for (const QByteArray& bad : {QByteArray("%J abc +38.7\n"), QByteArray("%J 360.0 +38.7\n"),
                                 QByteArray("%J 10.0 -90.5\n"), QByteArray("no marker\n")})
        EXPECT_FALSE(finder->parseSimFile(bad)) << bad.data();
}

TEST_F(SimbadLookupTest, OneCacheFilePerNameAnsweredWithoutAskingAgain)
{
    server.serve(simbad("M31"), kSimbadM31);
    finder->findObjectName("m 31");
    EXPECT_EQ(result(), "Searching SIMBAD...");
    ASSERT_TRUE(waitForResult("M31 has been found."));
    EXPECT_EQ(cached("M31"), kSimbadM31);
    EXPECT_EQ(skyUpdates, 1);

    finder->findObjectName("M31");
    EXPECT_EQ(result(), "M31 has been found.");
    sky.clearSimStar();
    EXPECT_EQ(finder->findVoiceName("m31"), findResultFound);
    EXPECT_EQ(sky.simStar()->name, std::string("M31"));
    EXPECT_EQ(server.requestCount(simbad("M31")), 1);

    // The resolver is asked at its own path.
    finder->simServerAction(SimbadLookup::kSesame);
    server.serve(QString::fromLatin1(SimbadLookup::kSesameQuery) + "VEGA", kSesameVega);
    finder->findObjectName("vega");
    ASSERT_TRUE(waitForResult("VEGA has been found."));
}

TEST_F(SimbadLookupTest, CachedStarBelowTheHorizonIsNotSelected)
{
    QFile file(misc() + "LOW.smbd");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%J 10.0 -20.0 = x\n");
    file.close();
    EXPECT_EQ(finder->findVoiceName("low"), findResultBelowHorizon);
    EXPECT_EQ(prefs.findIndex(), kNoObjectIndex);
    EXPECT_EQ(result(), "LOW is below the horizon.");
}

TEST_F(SimbadLookupTest, AnAnswerWithoutPositionRemovesTheCache)
{
    QFile file(misc() + "NOSUCH.smbd");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("corrupt");
    file.close();
    server.serve(simbad("NOSUCH"), "!! No known catalog could be found\n");
    EXPECT_TRUE(finder->findSIMBAD("nosuch"));
    ASSERT_TRUE(waitForResult("NOSUCH can not be found."));
    EXPECT_FALSE(QFile::exists(misc() + "NOSUCH.smbd"));
    EXPECT_EQ(finder->panelState().pulldownTitle, "Not found");
    EXPECT_EQ(finder->findVoiceName("nosuch"), findResultNotFound);
}

// A cache cut by a full disk once took the old one's place.
TEST_F(SimbadLookupTest, ACacheThatCannotBeWrittenLeavesTheOldOneAndTheAnswerIsUsed)
{
    server.serve(simbad("OLD"), kSimbadM31);
    QFile old(misc() + "OLD.smbd");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept");
    old.close();
    {
        const FileSizeLimit limit(64);
        ASSERT_TRUE(finder->findSIMBAD("OLD"));
        ASSERT_TRUE(waitForResult("OLD has been found."));
    }
    EXPECT_EQ(cached("OLD"), "kept");
    EXPECT_EQ(QDir(misc()).entryList(QDir::Files | QDir::Hidden), QStringList{"OLD.smbd"});
}

TEST_F(SimbadLookupTest, FailedRequestsLeaveTheCacheAsItWas)
{
    makeFinder({server.url(""), {}, {}}, std::chrono::milliseconds(300));
    using D = LocalHttpServer::Delivery;
    server.serve(simbad("GONE"), {404, kSimbadM31});
    server.serve(simbad("CUT"), {200, kSimbadM31, D::Truncated});
    server.serve(simbad("SILENT"), {200, kSimbadM31, D::Slow, 4, std::chrono::seconds(30)});
    server.serve(simbad("OLD"), {404, kSimbadM31});
    QFile old(misc() + "OLD.smbd");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept");
    old.close();
    for (const char* name : {"GONE", "CUT", "SILENT", "OLD"}) {
        QSignalSpy answered(finder.get(), &FindObjects::panelChanged);
        ASSERT_TRUE(finder->findSIMBAD(name));
        ASSERT_TRUE(answered.wait(5000)) << name;
        EXPECT_TRUE(result().startsWith(QString(name) + " can not be found. "))
            << result().toStdString();
    }
    EXPECT_EQ(QDir(misc()).entryList(QDir::Files | QDir::Hidden), QStringList{"OLD.smbd"});
    EXPECT_EQ(cached("OLD"), "kept");

    // With no address for the chosen service nothing starts.
    finder->simServerAction(SimbadLookup::kSecondMirror);
    EXPECT_FALSE(finder->findSIMBAD("M31"));
    EXPECT_EQ(result(), "Could not connect to SIMBAD");
    finder->findObjectName("M31");
    EXPECT_EQ(result(), "M31 can not be found.");
}

TEST_F(SimbadLookupTest, ALaterSearchOutlivesTheAnswerToAnEarlierLookup)
{
    sky.addStar("Sirius", "Alp CMa", "151881");
    server.serve(simbad("XYZZY"), kSimbadM31);
    finder->findObjectName("xyzzy");
    EXPECT_EQ(result(), "Searching SIMBAD...");
    finder->findObjectName("sirius");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requestCount(simbad("XYZZY")) == 1; }, 5000));
    // Time for the old answer to arrive and be handled, were it kept.
    QTest::qWait(500);
    EXPECT_EQ(result(), "Sirius has been found.");
    EXPECT_EQ(prefs.findIndex(), kStarIndexBase + 0);
    EXPECT_EQ(sky.simStar(), nullptr);
}

TEST_F(SimbadLookupTest, NamesAreEscapedInTheRequestAndTheFileName)
{
    const QString path = simbad("..%2FA%26B%2FC%3FX%3D1");
    server.serve(path, kSimbadM31);
    EXPECT_TRUE(finder->findSIMBAD("../a&b/c?x=1"));
    ASSERT_TRUE(waitForResult("has been found."));
    EXPECT_EQ(server.requestCount(path), 1);
    EXPECT_EQ(QDir(misc()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"%2E.%2FA%26B%2FC%3FX%3D1.smbd"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

}  // namespace
