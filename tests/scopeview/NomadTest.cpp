#include "NomadReplies.h"
#include "SVWebFixture.h"

#include "scopeview/cone/Nomad.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using NomadReplies::Star;

// The request for the centre 0, 0 (J2000), a 2 degree field and the first faint limit.
const QString kRequest =
    "/cgi-bin/vo_cone.cgi?CAT=NOMAD&RA=0.000000&DEC=+0.000000&SR=1.0366675&VERB=1&clr=V"
    "&bri=0.0&fai=12.4&cftype=ASCII&slf=ddd.ddd/dd.ddd&skey=RA";
const QString kCacheName = "NOMAD_0.00+0.0012.4.txt";
const QByteArray kOneStar = NomadReplies::reply({{"0900-0000001", 0.0, 0.0}});
const QByteArray kTwoStars =
    NomadReplies::reply({{"0900-0000001", 0.1, 0.1}, {"0900-0000002", 0.2, 0.2}});

class NomadTest : public SVWebFixture {
protected:
    void SetUp() override
    {
        SVWebFixture::SetUp();
        track(0.0, 0.0, 2.0f);
        makeNomad(std::chrono::seconds(5));
    }
    void makeNomad(std::chrono::milliseconds timeout)
    {
        nomad = std::make_unique<Nomad>(
            model(), view(), drawer(), button(), misc(), server.url(""), timeout,
            [] { return QDateTime(QDate(2010, 1, 1), QTime(0, 0), Qt::UTC); });
    }
    QPushButton& button() { return *controls().nomadDownloadButton; }
    // Asks for the field and waits for the answer to be handled.
    void search(bool force = false)
    {
        nomad->nomadDownload(force);
        ASSERT_TRUE(waitFor([&] { return !nomad->isDownloading(); }));
    }

    std::unique_ptr<Nomad> nomad;
};

TEST_F(NomadTest, ReplyBecomesStarsOfTheDate)
{
    server.serve(kRequest, kOneStar);
    nomad->nomadDownload(false);
    EXPECT_EQ(button().text(), "Abort");
    ASSERT_TRUE(waitFor([&] { return !nomad->isDownloading(); }));
    EXPECT_EQ(server.requestCount(kRequest), 1);
    EXPECT_EQ(button().text(), "Download");
    ASSERT_TRUE(nomad->hasNomadData());
    ASSERT_EQ(nomad->numNomadStars(), 1u);
    EXPECT_NEAR(nomad->nomadStars()[0].raNow, 0.128, 5e-4);
    EXPECT_NEAR(nomad->nomadStars()[0].decNow, 0.0557, 5e-4);
    EXPECT_EQ(contents(Nomad::kNomadFileName), kOneStar);
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(NomadTest, CachedReplyIsReadUntilForced)
{
    nomad->setNomadCache(true);
    server.serve(kRequest, kOneStar);
    search();
    server.serve(kRequest, kTwoStars);
    search();
    EXPECT_EQ(server.requestCount(kRequest), 1);
    EXPECT_EQ(nomad->numNomadStars(), 1u);

    search(true);
    EXPECT_EQ(server.requestCount(kRequest), 2);
    EXPECT_EQ(nomad->numNomadStars(), 2u);
    EXPECT_EQ(contents(kCacheName), kTwoStars);
    EXPECT_EQ(contents(Nomad::kNomadFileName), "(none)");
}

TEST_F(NomadTest, FailedRepliesLeaveTheKeptFilesAlone)
{
    makeNomad(std::chrono::milliseconds(300));
    LocalHttpServer::Response silent{200, kOneStar, LocalHttpServer::Delivery::Slow};
    silent.interval = std::chrono::seconds(10);
    const struct {
        const char* what;
        LocalHttpServer::Response response;
        const char* title;
        const char* message;
    } cases[] = {
        {"not found", {404, "no such page"}, Nomad::kDownloadFailed, nullptr},
        {"never answers", silent, Nomad::kDownloadFailed, nullptr},
        {"count 0", {200, NomadReplies::reply(0, {})}, Nomad::kReadFailed, Nomad::kFormatError},
    };
    for (const auto& c : cases) {
        write(Nomad::kNomadFileName, "old reply");
        recorder.alerts.clear();
        server.serve(kRequest, c.response);
        search();
        ASSERT_EQ(recorder.alerts.size(), 1u) << c.what;
        EXPECT_EQ(recorder.alerts[0].title, c.title) << c.what;
        if (c.message) {
            EXPECT_EQ(recorder.alerts[0].message, c.message) << c.what;
        }
        EXPECT_FALSE(nomad->hasNomadData()) << c.what;
        EXPECT_EQ(button().text(), "Download") << c.what;
        EXPECT_EQ(contents(Nomad::kNomadFileName), "old reply") << c.what;
        EXPECT_EQ(contents(QString(Nomad::kNomadFileName) + ".part"), "(none)") << c.what;
    }
}

TEST_F(NomadTest, CentreOffTheSphereIsAskedForOnIt)
{
    // Panned past 360 in right ascension: the request and the cache name wrap.
    nomad->setNomadCache(true);
    view().setDeltaRA(2.0 * M_PI + 0.1 * M_PI / 180.0, 0.0);
    const QString request = QString(kRequest).replace("RA=0.000000", "RA=0.100000");
    server.serve(request, kOneStar);
    search();
    EXPECT_EQ(server.requestCount(request), 1);
    EXPECT_EQ(contents("NOMAD_0.10+0.0012.4.txt"), kOneStar);
}

}  // namespace
