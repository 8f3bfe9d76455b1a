#include "chart/ChartWindowFixture.h"

#include "chart/menus/FileMenuActions.h"
#include "chart/painting/HorizonPainter.h"
#include "chart/printing/PrintSkyView.h"
#include "chart/printing/QtPagePrinter.h"
#include "model/Angles.h"
#include "model/SkyDateModel.h"
#include "model/records/AltAzLocn.h"
#include "skydraw/ChartSkySource.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <vector>

namespace {

// A sky with one boundary line across the middle of an 800 x 600 chart.
struct OneLineSky final : ChartSkySource {
    std::vector<boundaryLocn> points;
    OneLineSky()
    {
        for (float x : {100.0f, 700.0f}) {
            boundaryLocn b{};
            b.screenPt = {x, 300.0f};
            b.lineId = 1;
            b.visible = 1;
            points.push_back(b);
        }
    }
    ChartSky chartSky() const override
    {
        ChartSky sky;
        sky.boundaries = points;
        return sky;
    }
};

// The all-sky circle of an 800 x 600 chart (centre 400, 300, radius 280)
// with its eight compass marks on it.
struct CompassSky final : ChartSkySource {
    std::vector<AltAzLocn> grid = std::vector<AltAzLocn>(HorizonPainter::kFirstCompassMark
                                                         + HorizonPainter::kNumCompassPoints);
    CompassSky()
    {
        for (int k = 0; k < HorizonPainter::kNumCompassPoints; ++k) {
            AltAzLocn& mark = grid[HorizonPainter::kFirstCompassMark + std::size_t(k)];
            const double a = k * Angles::kPi / 4.0;
            mark.screenPt = {float(400.0 + 280.0 * std::sin(a)), float(300.0 + 280.0 * std::cos(a))};
            mark.visible = 1;
        }
    }
    ChartSky chartSky() const override
    {
        ChartSky sky;
        sky.isHorizon = true;
        sky.altAzGrid = grid;
        return sky;
    }
};

class PrintSkyViewTest : public ChartWindowTest {
protected:
    void SetUp() override
    {
        ChartWindowTest::SetUp();
        makeWindow();
        PrefControl& p = settings();
        p.setSkyViewRect(QRectF(0, 0, 800, 600));
        if (!p.isBoundaries())
            p.setIsBoundaries();
        skyDate = std::make_unique<SkyDateModel>(p);
        skyDate->calculateDate(QDateTime(QDate(2025, 3, 9), QTime(22, 0), Qt::UTC), 0.0);
        printView = std::make_unique<PrintSkyView>(
            PrintSkyView::Links{p, *skyDate, view().chartFrame(), &sky}, images.path() + "/");
    }
    // Dark pixels in a rectangle of the image.
    static int ink(const QImage& image, const QRect& area)
    {
        int n = 0;
        const QRect r = area.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qGray(image.pixel(x, y)) < 128;
        return n;
    }

    OneLineSky sky;
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<PrintSkyView> printView;
};

TEST_F(PrintSkyViewTest, TheChartKeepsTheScreensShapeUnderTheHeader)
{
    struct Case {
        QRectF page, screen, want;
    };
    const Case cases[] = {
        {{0, 0, 400, 800}, {0, 0, 800, 600}, {0, 800 - 300 - 24, 400, 300}},
        {{10, 20, 400, 200}, {0, 0, 800, 600}, {10, 20 + 200 - 200 - 24, 200.0 * 800 / 600, 200}},
        {{0, 0, 400, 800}, {0, 0, 0, 600}, {}},
    };
    for (const Case& c : cases) {
        printView->setPageRect(c.page);
        EXPECT_EQ(printView->chartRect(c.screen), c.want);
    }
}

TEST_F(PrintSkyViewTest, AShortPageKeepsOnlyTheFooterLinesThatStartOnItAndTheUniversalTime)
{
    // The chart fills the page's width; its foot sits 30 points above the
    // page's foot, so only the first footer row starts on the page.
    const double paperHeight = 400;
    printView->setPageRect(QRectF(0, 0, 400, 30 + 300 + 24));
    QImage image(400, int(paperHeight), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        printView->drawRect(painter, paperHeight);
    }
    auto row = [&](double y, double x) { return QRect(int(x), int(paperHeight - y) - 12, 150, 12); };
    EXPECT_GT(ink(image, row(30 - 22, 5)), 0) << "view angles";
    EXPECT_EQ(ink(image, row(30 - 38, 5)), 0) << "longitude, below the page";
    EXPECT_GT(ink(image, row(30 - 38, 205)), 0) << "universal time, always";
    EXPECT_EQ(ink(image, row(30 - 54, 205)), 0) << "sidereal time, below the page";
}

TEST_F(PrintSkyViewTest, TheAllSkyCompassLettersPrintOutsideTheCircle)
{
    CompassSky compass;
    settings().setViewAngle(200.0);
    PrintSkyView allSky(PrintSkyView::Links{settings(), *skyDate, view().chartFrame(), &compass}, images.path() + "/");
    const double paperHeight = 624;
    allSky.setPageRect(QRectF(0, 0, 800, paperHeight));
    QImage image(800, int(paperHeight), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        allSky.drawRect(painter, paperHeight);
    }
    // Ink between the circle's line and the chart's frame is the letters'.
    int outside = 0;
    for (int y = 27; y <= 621; ++y)
        for (int x = 3; x <= 797; ++x)
            outside += std::hypot(x - 400.0, y - 324.0) > 284.0 && qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(outside, 20);
}

TEST_F(PrintSkyViewTest, PrintingToPdfGivesOnePageWithTheChartAndFooter)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir folder;
    const QString pdf = folder.filePath("chart.pdf");
    QtPagePrinter printer(nullptr);
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(pdf);
    printer.printer().setPageSize(QPageSize(QPageSize::A4));
    FileMenuActions file(settings(), outlets, printView.get(), folder.path(), {});
    file.printChart(printer);

    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);

    constexpr int kDpi = 72;
    ASSERT_EQ(QProcess::execute(pdftoppm, {"-r", QString::number(kDpi), "-png", "-singlefile", pdf,
                                           folder.filePath("page")}),
              0);
    const QImage page(folder.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    const double paperHeight = page.height();
    const QRectF q = printView->chartRect(settings().skyViewRect());
    ASSERT_FALSE(q.isEmpty());
    auto device = [&](double x, double y) { return QPoint(int(x), int(paperHeight - y)); };
    // The boundary line across the chart's middle, the frame's left edge,
    // the footer's first row and the header; nothing far below the footer.
    const QPoint middle = device(q.center().x(), q.center().y());
    EXPECT_GT(ink(page, QRect(middle - QPoint(20, 3), QSize(40, 7))), 10) << "chart layer";
    const QPoint leftEdge = device(q.left(), q.center().y());
    EXPECT_GT(ink(page, QRect(leftEdge - QPoint(2, 10), QSize(5, 20))), 10) << "frame";
    const QPoint footer = device(printView->pageRect().x() + 5, q.y() - 22);
    EXPECT_GT(ink(page, QRect(footer - QPoint(0, 12), QSize(150, 16))), 20) << "footer";
    const QPoint header = device(printView->pageRect().x() + 5, printView->pageRect().top() + printView->pageRect().height() - 20);
    EXPECT_GT(ink(page, QRect(header - QPoint(0, 18), QSize(120, 22))), 20) << "header";
    EXPECT_EQ(ink(page, QRect(device(q.x(), q.y() - 120), QSize(300, 40))), 0);
}

}  // namespace
