#include "CanonFixture.h"

#include "camera/views/canon/CanonImageView.h"

#include <QBuffer>
#include <QMouseEvent>

using namespace CanonIds;

namespace {

QByteArray jpeg(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

class CanonImageViewTest : public CanonFixture {
protected:
    void SetUp() override
    {
        CanonFixture::SetUp();
        view = std::make_unique<CanonImageView>(*control, DebugWriter());
        view->resize(600, 400);
        ASSERT_TRUE(connect(32));
    }
    void TearDown() override
    {
        view.reset();
        CanonFixture::TearDown();
    }
    void click(QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          modifiers);
        QCoreApplication::sendEvent(view.get(), &press);
    }
    bool liveView()
    {
        control->panel().focusChecked = true;
        control->canonAction(CanonControl::kTagFocusCheck);
        return waitFor([this] { return view->hasCanonFocusImage(); });
    }
    void downloadStill(int width, int height)
    {
        sdk.queueFile({"still.jpg", jpeg(width, height, Qt::darkGreen)});
        expose();
        now += 6;
        ASSERT_TRUE(waitFor([this] { return !view->sourceRect().isEmpty(); }));
    }

    std::unique_ptr<CanonImageView> view;
};

}  // namespace

TEST_F(CanonImageViewTest, LiveFramesAreUsedAsThreeByTwoAndGiveTheFocusImage)
{
    sdk.setEvfFrame(jpeg(640, 480, QColor(100, 100, 100)));
    ASSERT_TRUE(liveView());
    EXPECT_EQ(view->lvWidth(), 640.0f);
    EXPECT_FLOAT_EQ(view->lvHeight(), 640.0f / 1.5f);
    EXPECT_EQ(view->canonFocusBuff().size(), 640 * 426);
    EXPECT_NEAR(static_cast<unsigned char>(view->canonFocusBuff()[1000]), 100, 3);
    EXPECT_EQ(view->sourceRect(), QRectF(0, 480 - 426, 640, 426));

    // Held until the focuser has taken it, then refilled at the new size.
    sdk.setEvfFrame(jpeg(600, 400, QColor(200, 200, 200)));
    const int frames = sdk.evfDownloads();
    ASSERT_TRUE(waitFor([&] { return sdk.evfDownloads() > frames + 1; })) << "newer frames have come";
    EXPECT_EQ(view->canonFocusBuff().size(), 640 * 426);
    view->setHasCanonFocusImage(false);
    ASSERT_TRUE(waitFor([this] { return view->hasCanonFocusImage(); }));
    EXPECT_EQ(view->lvHeight(), 400.0f) << "3:2 keeps its height";
    EXPECT_EQ(view->canonFocusBuff().size(), 600 * 400);
    EXPECT_NEAR(static_cast<unsigned char>(view->canonFocusBuff()[0]), 200, 3);
}

TEST_F(CanonImageViewTest, ClicksOnAStillImageZoomOntoItsCornersAndBack)
{
    downloadStill(3000, 2000);
    EXPECT_EQ(view->sourceRect(), QRectF(0, 0, 3000, 2000));
    click({2, 3});
    EXPECT_TRUE(view->isCanonScaleImage());
    EXPECT_EQ(view->sourceRect(), QRectF(0, 0, 600, 400)) << "a fifth, flush with the corner";
    click({598, 398});
    EXPECT_FALSE(view->isCanonScaleImage());
    click({598, 398});
    EXPECT_EQ(view->sourceRect(), QRectF(2400, 1600, 600, 400));
    click({300, 200});
    click({300, 200}, Qt::AltModifier);
    EXPECT_EQ(view->sourceRect(), QRectF(1200, 800, 600, 400)) << "1:1 with the Option key, centred on the click";
}

TEST_F(CanonImageViewTest, ATestImageIsShownAndDeleted)
{
    control->panel().saveToMacChecked = false;
    control->canonAction(CanonControl::kTagSaveToMac);
    ASSERT_TRUE(control->isCanonTestImage());
    downloadStill(300, 200);
    EXPECT_TRUE(imageFiles().isEmpty());
    EXPECT_TRUE(control->canonFilePath().isEmpty());
    EXPECT_FALSE(control->isNewExposeImage());
}

TEST_F(CanonImageViewTest, WithoutAnImageClicksDoNothingAndTheGridShows)
{
    click({100, 100});
    EXPECT_FALSE(view->isCanonScaleImage());

    control->panel().gridChecked = true;
    control->canonAction(CanonControl::kTagGrid);
    const QImage shot = view->grab().toImage();
    const int cx = 300;
    const int cy = 200;
    const auto isRed = [&](int x, int y) {
        const QColor c = shot.pixelColor(x, y);
        return c.red() > 150 && c.green() < 60 && c.blue() < 60;
    };
    EXPECT_TRUE(isRed(cx, 50)) << "vertical line";
    EXPECT_TRUE(isRed(50, cy)) << "horizontal line";
    EXPECT_TRUE(isRed(cx + 10, cy)) << "circle";
    EXPECT_FALSE(isRed(cx, cy)) << "the centre stays open";
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(128, 128, 128)) << "border";
    EXPECT_EQ(shot.pixelColor(599, 399), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(100, 100), QColor(Qt::black));
}

TEST_F(CanonImageViewTest, LiveViewClicksZoomTheCamera)
{
    sdk.setEvfFrame(jpeg(600, 400, Qt::gray));
    ASSERT_TRUE(liveView());
    click({0, 0});
    EXPECT_EQ(control->canonZoomScale(), 5u);
    EXPECT_EQ(control->zoomPt(), QPoint(0, 0)) << "the top-left corner of the view is the sensor's";
    click({0, 0});
    EXPECT_EQ(control->canonZoomScale(), 1u);
    sdk.failWrite(kPropEvfZoom, 0, kErrInvalidParameter);
    click({10, 10});
    ASSERT_TRUE(waitFor([this] { return alerts.beeps == 1; })) << "a refused zoom beeps";
    EXPECT_EQ(control->canonZoomScale(), 1u) << "the camera's zoom stays";
}
