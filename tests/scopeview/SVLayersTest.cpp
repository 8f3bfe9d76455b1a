#include "SVFixture.h"

#include "scopeview/SVDrawPass.h"
#include "scopeview/SVFrameLayers.h"
#include "scopeview/SVSurveyControl.h"

#include "model/Angles.h"
#include "model/UnitVector.h"
#include "model/records/RecordConstants.h"
#include "skydraw/ChartSky.h"
#include "skydraw/ChartSkySource.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTimeZone>

#include <cstring>

namespace {

// The records a pass draws, held by the test.
struct FakeSky final : ChartSkySource {
    std::vector<star> stars;
    std::vector<comet> comets;
    std::vector<planetPath> path;
    ChartSky chartSky() const override
    {
        ChartSky sky;
        sky.stars = stars;
        sky.comets = comets;
        sky.planetPaths = path;
        sky.hasPlanetPath = !path.empty();
        sky.skyDate = QDateTime(QDate(2026, 3, 1), QTime(0, 0), QTimeZone::utc());
        return sky;
    }
};

constexpr double kCentreRA = 1.0;   // radians
constexpr double kCentreDec = 0.3;

template <std::size_t N>
void setText(char (&field)[N], const char* text)
{
    std::memset(field, 0, N);
    std::strncpy(field, text, N - 1);
}

class SVLayersTest : public SVFixture {
protected:
    void SetUp() override
    {
        SVFixture::SetUp();
        setScopes({1000.0f});
        prefs().setCurrentScope(0);
        makeWindow();
        view().setSkySource(&sky);
        view().resize(500, 500);
        view().setTrackRA(kCentreRA, kCentreDec);
    }

    // A star `offset` radians north of the centre (J2000 = date here).
    star starAt(double offset, const char* name, const char* bayer = "")
    {
        star s{};
        s.index = std::uint32_t(sky.stars.size());
        s.mag = 5.0f;
        s.color = 'W';
        s.state = kStateOnScreen;
        s.raDeg = kCentreRA * Angles::kRadToDeg;
        s.decDeg = (kCentreDec + offset) * Angles::kRadToDeg;
        const UnitVector v = UnitVector::fromRADec(kCentreRA, kCentreDec + offset);
        s.vecX = v.x;
        s.vecY = v.y;
        s.vecZ = v.z;
        setText(s.name, name);
        setText(s.bayer, bayer);
        return s;
    }

    QImage render()
    {
        QImage image(view().size(), QImage::Format_ARGB32_Premultiplied);
        view().render(&image);
        return image;
    }

    std::vector<QString> labelsOfKind(int kind)
    {
        std::vector<QString> texts;
        for (const svLabel& l : view().svLabels())
            if (l.kind == kind)
                texts.push_back(l.text);
        return texts;
    }

    FakeSky sky;
};

struct FakeSurvey final : SVSurveyControl {
    QImage image;
    void svDSSAction() override {}
    QImage dssImage() override { return image; }
};

}  // namespace

TEST_F(SVLayersTest, AtMostTwoHundredFiftyLabels)
{
    prefs().setIsStarNames();
    for (int i = 0; i < 300; ++i)
        sky.stars.push_back(starAt(i * 1e-6, QString::number(i).toLatin1().constData()));
    render();
    ASSERT_EQ(view().svLabels().size(), 250u);
    EXPECT_EQ(view().svLabels()[249].text, "249");
}

TEST_F(SVLayersTest, StarsNamedByNameElseBayerElseNone)
{
    prefs().setIsStarNames();
    sky.stars = {starAt(0.0, " ", ""), starAt(1e-5, "", "Alp"), starAt(2e-5, "Vega", "Alp")};
    render();
    EXPECT_EQ(labelsOfKind(1), (std::vector<QString>{"Alp", "Vega"}));
}

TEST_F(SVLayersTest, SurveyImageLeavesOutCatalogueObjectsButNotTheRest)
{
    prefs().setIsStarNames();
    prefs().setIsCometNames();
    prefs().setShowComet(true);
    sky.stars = {starAt(0.0, "Star")};
    comet c{};
    c.state = kStateOnScreen;
    c.mag = 5.0f;
    setText(c.name, "C/2026 A1");
    const UnitVector v = UnitVector::fromRADec(kCentreRA, kCentreDec);
    c.vecX = v.x;
    c.vecY = v.y;
    c.vecZ = v.z;
    sky.comets = {c};

    render();
    EXPECT_EQ(labelsOfKind(1).size(), 1u);
    FakeSurvey survey;
    survey.image = QImage(64, 64, QImage::Format_RGB32);
    survey.image.fill(QColor(200, 0, 0));
    view().setSurveyControl(&survey);
    view().state().setIsDSSImage(true);
    const QImage drawn = render();
    EXPECT_EQ(drawn.pixelColor(250, 120), QColor(200, 0, 0));
    EXPECT_TRUE(labelsOfKind(1).empty());
    EXPECT_EQ(view().ht2StarCount(), 0u);
    EXPECT_EQ(labelsOfKind(2), std::vector<QString>{"C/2026 A1"});
}

TEST_F(SVLayersTest, CrowdedPathPointsCarryOneDateLabel)
{
    prefs().setIsPath();
    const auto pathAround = [&](double spacing) {
        sky.path.clear();
        for (int i = 0; i < 40; ++i) {
            planetPath p{};
            const UnitVector v = UnitVector::fromRADec(kCentreRA + i * spacing, kCentreDec);
            p.vecX = v.x;
            p.vecY = v.y;
            p.vecZ = v.z;
            sky.path.push_back(p);
        }
    };
    pathAround(1e-7);
    render();
    EXPECT_EQ(labelsOfKind(5).size(), 1u);
    // Spread across the field every dotted point 0, 5 ... 35 is labelled.
    const double spacing = (view().angles().svAngle + 0.01) / 20.0;
    pathAround(spacing);
    for (int i = 0; i < 40; ++i) {
        const UnitVector v = UnitVector::fromRADec(kCentreRA + (i - 20) * spacing, kCentreDec);
        sky.path[std::size_t(i)].vecX = v.x;
        sky.path[std::size_t(i)].vecY = v.y;
        sky.path[std::size_t(i)].vecZ = v.z;
    }
    render();
    EXPECT_EQ(labelsOfKind(5).size(), 8u);  // the end lies under 48 points past point 35
    const UnitVector end = UnitVector::fromRADec(kCentreRA + 19 * spacing, kCentreDec + view().angles().svAngle / 4.0);
    sky.path[39].vecX = end.x;
    sky.path[39].vecY = end.y;
    sky.path[39].vecZ = end.z;
    render();
    EXPECT_EQ(labelsOfKind(5).size(), 9u);
}

TEST_F(SVLayersTest, SouthernSiteTurnsTheFrameOnlyWhileDrawing)
{
    prefs().setCurrentEyepiece(SVOptics::kCameraSlot);
    prefs().setLatitude(-33.0);
    view().state().setSbigGuideAngle(30.0f);
    for (int pass = 0; pass < 3; ++pass) {
        render();
        EXPECT_FLOAT_EQ(view().state().sbigGuideAngle(), 30.0f);
        EXPECT_EQ(labelsOfKind(SVDrawPass::kCameraAngleLabel),
                  std::vector<QString>{QString("Angle: 150") + QChar(0x00B0) + " CW"});
    }
}

TEST(SVFrameLayers, CameraAngleLabelNamesTheTurn)
{
    const QString deg(QChar(0x00B0));
    const std::pair<float, QString> cases[] = {
        {30.0f, "Angle: 30" + deg + " CCW"}, {-30.0f, "Angle: 30" + deg + " CW"},
        {350.0f, "Angle: 10" + deg + " CW"}, {0.2f, ""},
        {179.0f, "Angle: 179" + deg + " CCW"}, {200.0f, "Angle: 160" + deg + " CW"}};
    for (const auto& [angle, text] : cases)
        EXPECT_EQ(SVFrameLayers::cameraAngleLabel(angle), text) << angle;
    EXPECT_FLOAT_EQ(SVFrameLayers::drawnCameraAngle(200.0f, -1.0), 20.0f);
    EXPECT_FLOAT_EQ(SVFrameLayers::drawnCameraAngle(200.0f, 0.0), 200.0f);
}
