#include "SVWebFixture.h"

#include "scopeview/survey/DSSControl.h"

#include "model/Angles.h"

#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QtEndian>

#include <gtest/gtest.h>

#include <memory>

namespace {

// 16 x 16: red on the left, green top right, blue bottom right.
QByteArray fieldGif()
{
    QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/scopeview/fixtures/field.gif"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The compression tag (259) of a little-endian TIFF's first image, as Qt writes them.
int tiffCompression(const QByteArray& tiff)
{
    const auto at = [&](qsizetype i, int bytes) {
        return i + bytes <= tiff.size()
            ? (bytes == 2 ? qFromLittleEndian<quint16>(tiff.constData() + i)
                          : qFromLittleEndian<quint32>(tiff.constData() + i))
            : 0u;
    };
    const qsizetype ifd = at(4, 4);
    for (quint32 i = 0, n = at(ifd, 2); i < n; ++i)
        if (at(ifd + 2 + 12 * i, 2) == 259)
            return int(at(ifd + 10 + 12 * i, 2));
    return 0;
}

bool isGrey(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb p = image.pixel(x, y); qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                return false;
    return true;
}

constexpr double kRA = 10.0 * Angles::kDegToRad;
constexpr double kDec = 20.0 * Angles::kDegToRad;
const QString kNarrowStsci =
    "/cgi-bin/dss_search?r=10.000&d=+20.000&e=J2000&h=55.98&w=55.98&v=poss2ukstu&f=GIF&c=None";
const QString kNarrowCache = "10.00+20.0055.980.tiff";
constexpr int kTiffLzw = 5;

class DSSControlTest : public SVWebFixture {
protected:
    void SetUp() override
    {
        SVWebFixture::SetUp();
        track(kRA, kDec, 0.9f);
        makeControl(std::chrono::seconds(5));
    }
    void makeControl(std::chrono::milliseconds timeout)
    {
        const QUrl base = server.url("");
        dss = std::make_unique<DSSControl>(prefs(), model(), view(), drawer(),
                                           *controls().svDSSProgress, misc(),
                                           SurveyRequest::Services{base, base, base}, timeout);
    }
    // Presses the survey button and waits for the download to end.
    void fetch(int serverIndex)
    {
        drawer().svDSSServerAction(serverIndex);
        dss->svDSSAction();
        ASSERT_TRUE(waitFor([&] { return !drawer().isDSSDownloading(); }));
    }
    QString buttonTitle() { return controls().downloadText->text(); }

    std::unique_ptr<DSSControl> dss;
};

TEST_F(DSSControlTest, RequestsFollowTheServiceKind)
{
    const int width = view().width();
    const struct {
        int index;
        float fov;
        double panRA;  // radians added to the centre
        QString path;
    } cases[] = {
        {0, 0.9f, 0.0, kNarrowStsci},
        {8, 1.5f, 0.0,
         "/cgi-bin/dss_search?r=10.000&d=+20.000&e=J2000&h=60.00&w=60.00&v=phase2&f=GIF&c=None"},
        {10, 0.9f, 0.0,
         "/dss/dss?ra=10.000&dec=+20.000&mime-type=download-gif&x=55.98&y=55.98&Sky-Survey=DSS2"},
        {11, 1.0f, 0.0,
         QString("/cgi-bin/images?Position=10.000,+20.000&Size=1.04&Pixels=%1&Return=GIF"
                 "&Scaling=LINEAR&Survey=DSS")
             .arg(width)},
        {12, 1.0f, 0.0,
         QString("/cgi-bin/images?Position=10.000,+20.000&Size=1.04&Pixels=%1&Return=GIF"
                 "&Scaling=LOG&Survey=DSS")
             .arg(width)},
        // Panned a whole turn on: asked for on the sphere.
        {0, 0.9f, Angles::kTwoPi, kNarrowStsci},
    };
    for (const auto& c : cases) {
        view().resetDeltas();
        view().setDeltaRA(c.panRA, 0.0);
        drawer().setFov(c.fov);
        server.serve(c.path, fieldGif());
        const int before = server.requestCount(c.path);
        fetch(c.index);
        EXPECT_EQ(server.requestCount(c.path), before + 1) << c.index;
        EXPECT_TRUE(view().state().isDSSImage()) << c.index;
        EXPECT_EQ(buttonTitle(), "Download") << c.index;
    }
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(contents(DSSControl::kDSSFileName), fieldGif());
}

TEST_F(DSSControlTest, CachedFieldIsShownWithoutFetching)
{
    prefs().setIsDSSCache(true);
    server.serve(kNarrowStsci, fieldGif());
    fetch(0);
    const QByteArray tiff = contents(kNarrowCache);
    EXPECT_EQ(tiffCompression(tiff), kTiffLzw);
    EXPECT_EQ(QImage::fromData(tiff).size(), QSize(16, 16));

    view().state().setIsDSSImage(false);
    drawer().svDSSServerAction(0);
    dss->svDSSAction();
    EXPECT_EQ(buttonTitle(), "Download");
    EXPECT_FALSE(drawer().isDSSDownloading());
    EXPECT_TRUE(view().state().isDSSImage());
    EXPECT_EQ(server.requestCount(kNarrowStsci), 1);
    EXPECT_EQ(dss->dssImage().size(), QSize(16, 16));
}

TEST_F(DSSControlTest, UnreadableCacheFallsBackOnlyToItsOwnField)
{
    prefs().setIsDSSCache(true);
    server.serve(kNarrowStsci, fieldGif());
    fetch(0);
    write(kNarrowCache, "not a tiff");
    EXPECT_FALSE(dss->dssImage().isNull());

    // Another field whose cached file is unreadable: the last download was
    // of a different field, so nothing is drawn.
    write("10.00+20.0055.981.tiff", "not a tiff");
    fetch(1);
    EXPECT_TRUE(dss->dssImage().isNull());
}

TEST_F(DSSControlTest, ProgressIsIndeterminateWithoutALength)
{
    const struct {
        LocalHttpServer::Delivery delivery;
        bool determinate;
    } cases[] = {
        {LocalHttpServer::Delivery::NoLength, false},
        {LocalHttpServer::Delivery::Slow, true},
    };
    QProgressBar& bar = *controls().svDSSProgress;
    for (const auto& c : cases) {
        server.serve(kNarrowStsci, {200, fieldGif(), c.delivery, 25, std::chrono::milliseconds(5)});
        int highest = 0;
        const QMetaObject::Connection watch =
            QObject::connect(&bar, &QProgressBar::valueChanged,
                             [&](int value) { highest = std::max(highest, value); });
        fetch(0);
        QObject::disconnect(watch);
        EXPECT_EQ(highest > 0, c.determinate);
        EXPECT_EQ(bar.maximum(), 0);
        EXPECT_TRUE(view().state().isDSSImage());
    }
}

TEST_F(DSSControlTest, CancelIsQuietAndKeepsTheImageFlag)
{
    write(DSSControl::kDSSFileName, "old image");
    server.serve(kNarrowStsci, {200, fieldGif(), LocalHttpServer::Delivery::Slow, 10,
                                std::chrono::milliseconds(100)});
    for (const bool shown : {false, true}) {
        view().state().setIsDSSImage(shown);
        drawer().svDSSServerAction(0);
        dss->svDSSAction();
        EXPECT_EQ(buttonTitle(), "Cancel");
        dss->svDSSAction();
        EXPECT_EQ(buttonTitle(), "Download");
        // The cancelled download may change nothing later: waiting a moment out is the check.
        QTest::qWait(250);
        EXPECT_EQ(view().state().isDSSImage(), shown);
    }
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(contents(DSSControl::kDSSFileName), "old image");
}

TEST_F(DSSControlTest, FailedDownloadsLeaveTheOldFiles)
{
    makeControl(std::chrono::milliseconds(300));
    const QByteArray gif = fieldGif();
    LocalHttpServer::Response silent{200, gif, LocalHttpServer::Delivery::Slow};
    silent.interval = std::chrono::seconds(10);
    const struct {
        const char* what;
        LocalHttpServer::Response response;
    } cases[] = {
        {"not found", {404, "no such image"}},
        {"half a GIF", {200, gif.left(gif.size() / 2)}},
        {"error page", {200, "<html>busy</html>"}},
        {"never answers", silent},
    };
    prefs().setIsDSSCache(true);
    write(DSSControl::kDSSFileName, "old image");
    for (const auto& c : cases) {
        recorder.alerts.clear();
        view().state().setIsDSSImage(false);
        server.serve(kNarrowStsci, c.response);
        fetch(0);
        ASSERT_EQ(recorder.alerts.size(), 1u) << c.what;
        EXPECT_EQ(recorder.alerts[0].title, DSSControl::kFailedTitle) << c.what;
        EXPECT_FALSE(view().state().isDSSImage()) << c.what;
        EXPECT_EQ(contents(DSSControl::kDSSFileName), "old image") << c.what;
        EXPECT_EQ(contents(kNarrowCache), "(none)") << c.what;
        EXPECT_EQ(contents(QString(DSSControl::kDSSFileName) + ".part"), "(none)") << c.what;
    }
}

TEST_F(DSSControlTest, EsoImagesAreGreyOnlyWithoutTheCache)
{
    const QString eso =
        "/dss/dss?ra=10.000&dec=+20.000&mime-type=download-gif&x=55.98&y=55.98&Sky-Survey=";
    server.serve(eso + "DSS1", fieldGif());
    server.serve(kNarrowStsci, fieldGif());
    const struct {
        int index;
        bool cache;
        bool grey;
    } cases[] = {{9, false, true}, {0, false, false}, {9, true, false}};
    for (const auto& c : cases) {
        prefs().setIsDSSCache(c.cache);
        fetch(c.index);
        const QImage image = dss->dssImage();
        ASSERT_FALSE(image.isNull()) << c.index;
        EXPECT_EQ(isGrey(image), c.grey) << c.index << c.cache;
        // Grey keeps the brightness apart: red and blue stay different.
        EXPECT_NE(image.pixel(0, 0), image.pixel(15, 15)) << c.index << c.cache;
    }
}

}  // namespace
