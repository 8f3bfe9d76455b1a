#include "SVFixture.h"

#include "scopeview/PrintSVView.h"
#include "scopeview/SVConeSearch.h"
#include "scopeview/SVDrawer.h"

#include "model/Angles.h"
#include "model/UnitVector.h"
#include "model/records/RecordConstants.h"
#include "skydraw/ChartSky.h"
#include "skydraw/ChartSkySource.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>

namespace {

struct OneStar final : ChartSkySource {
    std::vector<star> stars;
    const star* lookupStar = nullptr;
    ChartSky chartSky() const override
    {
        ChartSky sky;
        sky.stars = stars;
        sky.simStar = lookupStar;
        return sky;
    }
};

struct StarsOfACone final : SVConeSearch {
    std::vector<nomadData> stars;
    void setNomadHasData(bool) override {}
    bool hasNomadData() const override { return !stars.empty(); }
    void nomadDownload(bool) override {}
    void setNomadCache(bool) override {}
    std::span<nomadData> nomadStars() override { return stars; }
};

class PrintSVViewTest : public SVFixture {
protected:
    void SetUp() override
    {
        SVFixture::SetUp();
        makeWindow();
        star s{};
        s.mag = 1.0f;
        std::strcpy(s.name, "Vega");
        s.state = kStateOnScreen;
        s.raDeg = 1.0 * Angles::kRadToDeg;
        s.decDeg = 0.3 * Angles::kRadToDeg;
        const UnitVector v = UnitVector::fromRADec(1.0, 0.3);
        s.vecX = v.x;
        s.vecY = v.y;
        s.vecZ = v.z;
        sky.stars.push_back(s);
        view().setSkySource(&sky);
        if (!prefs().isStarNames())
            prefs().setIsStarNames();
        view().setTrackRA(1.0, 0.3);
        QImage screen(view().size(), QImage::Format_ARGB32_Premultiplied);
        view().render(&screen);
        skyDate = std::make_unique<SkyDateModel>(prefs());
        print = std::make_unique<PrintSVView>(view(), prefs(), *skyDate, QString());
        print->setDrawer(&drawer());
    }

    QImage page(const QRectF& rect)
    {
        QImage image(int(rect.right() + 10), int(rect.bottom() + 10), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        print->printPage(painter, rect);
        return image;
    }
    static int darkPixels(const QImage& image, const QRect& area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += qGray(image.pixel(x, y)) < 128;
        return n;
    }

    OneStar sky;
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<PrintSVView> print;
};

TEST(PrintSVViewFrame, SideFollowsThePagesShape)
{
    EXPECT_DOUBLE_EQ(PrintSVView::frameSide(QRectF(0, 0, 500, 700)), 500.0);
    EXPECT_DOUBLE_EQ(PrintSVView::frameSide(QRectF(0, 0, 700, 500)), 400.0);
}

TEST_F(PrintSVViewTest, PageShowsTheCircleTheStarAndTheParticulars)
{
    const QRectF rect(10, 10, 500, 700);
    const QImage image = page(rect);
    const QPointF centre(rect.x() + 250.0, rect.y() + 24.0 + 250.0);
    const double scale = 500.0 / view().svRect().width();
    const SVAngles& a = view().angles();
    const double radius = scale * a.svDiag / (std::cos(a.svAngle) + 1.0);
    // The field circle on its right, white inside, and the star a black disc
    // where the screen drew it.
    EXPECT_GT(darkPixels(image, QRect(int(centre.x() + radius) - 1, int(centre.y()) - 1, 3, 3)), 0);
    EXPECT_EQ(qGray(image.pixel(int(centre.x() + radius) - 3, int(centre.y()))), 255);
    ASSERT_EQ(view().svLabels().size(), 1u);
    // Labels hold their anchor through the view's turn; the page turns the same way.
    const QPointF drawn = view().svLabels()[0].point * scale;
    const QPoint star(int(rect.x() + drawn.x()), int(rect.y() + 24.0 + 500.0 - drawn.y()));
    EXPECT_GE(darkPixels(image, QRect(star - QPoint(2, 2), QSize(5, 5))), 9);
    // The first line of particulars under the frame.
    const int below = int(rect.y() + 24.0 + 500.0 + 22.0);
    EXPECT_GT(darkPixels(image, QRect(int(rect.x()) + 5, below - 12, 150, 14)), 0);
}

TEST_F(PrintSVViewTest, ConeSearchStarsPrintWithTheirMagnitudesAndGridInBlack)
{
    const QRectF rect(10, 10, 500, 700);
    const QRect field(int(rect.x()), int(rect.y() + 24.0), 500, 500);
    const int without = darkPixels(page(rect), field);

    StarsOfACone cone;
    for (const double offset : {-0.002, 0.0015}) {
        nomadData n{};
        n.raNow = float((1.0 + offset) * Angles::kRadToDeg);
        n.decNow = float((0.3 + offset) * Angles::kRadToDeg);
        n.vMag = 9.5f;
        n.point = {-5.0f, -5.0f};
        cone.stars.push_back(n);
    }
    view().setConeSearch(&cone);
    // As rings over the deep stars, which stay.
    for (const int tag : {SVDrawer::kNomadShowMagTag, SVDrawer::kNomadGridTag})
        drawer().nomadAction(tag, 1);
    const QImage image = page(rect);
    // Rings, magnitudes and grid add ink; the screen's records keep their points.
    EXPECT_GT(darkPixels(image, field), without + 200);
    int coloured = 0;
    for (int y = field.top(); y <= field.bottom(); ++y)
        for (int x = field.left(); x <= field.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }
    EXPECT_EQ(coloured, 0);
    for (const nomadData& n : cone.stars) {
        EXPECT_EQ(n.point.x, -5.0f);
        EXPECT_EQ(n.point.y, -5.0f);
    }
    view().setConeSearch(nullptr);
}

TEST_F(PrintSVViewTest, ScreenColoursPrintBlack)
{
    // The lookup star's square is yellow on the screen.
    star lookup = sky.stars[0];
    std::strcpy(lookup.name, "Lookup");
    sky.lookupStar = &lookup;
    prefs().setIsStarNames();  // off: no text whose smoothing may tint the field
    ASSERT_FALSE(prefs().isStarNames());
    const QImage image = page(QRectF(10, 10, 500, 700));
    int coloured = 0;
    for (int y = 34; y < 34 + 500; ++y)
        for (int x = 10; x < 10 + 500; ++x) {
            const QRgb p = image.pixel(x, y);
            coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }
    EXPECT_EQ(coloured, 0);
}

TEST_F(PrintSVViewTest, TelescopeLineOnlyWithATelescope)
{
    const QRectF rect(10, 10, 500, 700);
    const QRect third(int(rect.x()) + 5, int(rect.y() + 24.0 + 500.0 + 22.0 + 32.0) - 12, 200, 14);
    prefs().setCurrentScope(-1);
    EXPECT_EQ(darkPixels(page(rect), third), 0);
    setScopes({1000.0f});
    prefs().setCurrentScope(0);
    EXPECT_GT(darkPixels(page(rect), third), 0);
}

TEST_F(PrintSVViewTest, OnePagePrintsToPdfWithoutADisplay)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("view.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    {
        QPainter painter(&printer);
        ASSERT_TRUE(painter.isActive());
        const double dotsPerPoint = printer.resolution() / 72.0;
        painter.scale(dotsPerPoint, dotsPerPoint);
        print->printPage(painter, printer.pageLayout().paintRect(QPageLayout::Point));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
}

}  // namespace
