#include "../../sg4/SG4Fixture.h"

#include "camera/views/sg4/SG4ImageDrawing.h"
#include "camera/views/sg4/sg4ImageView.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

SG4Image imageOf(quint8 mode, int width, int height, quint16 value)
{
    SG4Image image;
    image.readoutMode = mode;
    image.width = width;
    image.height = height;
    image.pixels.assign(std::size_t(width) * std::size_t(height), value);
    return image;
}

void send(QWidget& view, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

void drag(QWidget& view, QPoint from, QPoint to)
{
    send(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(view, QEvent::MouseMove, to, Qt::LeftButton);
    send(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

}  // namespace

TEST(SG4ImageDrawing, EachModeHasItsPlaceInTheView)
{
    EXPECT_EQ(SG4ImageDrawing::targetFor(imageOf(0, 640, 480, 0)), QRect(0, 0, 640, 480));
    EXPECT_EQ(SG4ImageDrawing::targetFor(imageOf(1, 512, 480, 0)), QRect(64, 0, 512, 480));
    EXPECT_EQ(SG4ImageDrawing::targetFor(imageOf(2, 320, 240, 0)), QRect(0, 0, 640, 480));
    EXPECT_FALSE(SG4ImageDrawing::targetFor(imageOf(7, 10, 10, 0)));
    // A sub-frame magnified twice over the place it has on the full frame.
    SG4Image sub = imageOf(255, 20, 20, 0);
    sub.subFrameSize = 20;
    sub.subFrameX = 300;
    sub.subFrameY = 200;
    EXPECT_EQ(SG4ImageDrawing::targetFor(sub), QRect(290, 190, 40, 40));
    // Near the left and bottom edges it starts at the view's edge.
    sub.subFrameX = 2;
    sub.subFrameY = 470;
    EXPECT_EQ(SG4ImageDrawing::targetFor(sub), QRect(0, 440, 40, 40));
}

TEST(SG4ImageDrawing, DisplayExposureScalesAndClampsTheValues)
{
    SG4Image image = imageOf(0, 2, 1, 1000);
    image.pixels[1] = 40000;
    const QImage brighter = SG4ImageDrawing::exposed(image, 1.0f);
    EXPECT_EQ(reinterpret_cast<const quint16*>(brighter.constScanLine(0))[0], 2000);
    EXPECT_EQ(reinterpret_cast<const quint16*>(brighter.constScanLine(0))[1], 65535);
    const QImage darker = SG4ImageDrawing::exposed(image, -1.0f);
    EXPECT_EQ(reinterpret_cast<const quint16*>(darker.constScanLine(0))[0], 500);
    image.pixels.pop_back();
    EXPECT_TRUE(SG4ImageDrawing::exposed(image, 0.0f).isNull()) << "pixels short of the size";
}

TEST(SG4ImageDrawing, DragsGiveSquaresInsideTheFrame)
{
    using SG4ImageDrawing::subFrameOf;
    const auto shortDrag = subFrameOf({100, 100}, {103, 101});
    EXPECT_EQ(shortDrag.side, 10);
    EXPECT_EQ(subFrameOf({100, 400}, {400, 100}).side, 127);
    // Top row counted from the top: the square's bottom edge less its side.
    const auto square = subFrameOf({200, 300}, {240, 260});
    EXPECT_EQ(square.x, 200);
    EXPECT_EQ(square.y, 260);
    EXPECT_EQ(square.side, 40);
    // Dragged past the top edge: kept inside, never a negative row.
    const auto top = subFrameOf({50, 20}, {90, -60});
    EXPECT_EQ(top.y, 0);
    EXPECT_EQ(top.side, 80);
    const auto right = subFrameOf({630, 470}, {700, 530});
    EXPECT_EQ(right.x, 640 - right.side);
    EXPECT_EQ(right.y, 480 - right.side);
}

// The view over the controller's downloaded images.
class SG4ImageViewTest : public SG4Fixture {
protected:
    void SetUp() override { ASSERT_TRUE(connect()); }
    sg4ImageView view{control, DebugWriter()};
};

TEST_F(SG4ImageViewTest, CropIsDrawnBetweenBlackBands)
{
    device.setPixels([](int, quint8) { return quint16(0xFFFF); });
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemFirstMode + 1);
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.05));
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(qGray(shown.pixel(30, 240)), 0);
    EXPECT_EQ(qGray(shown.pixel(64, 240)), 255);
    EXPECT_EQ(qGray(shown.pixel(575, 240)), 255);
    EXPECT_EQ(qGray(shown.pixel(600, 240)), 0);
}

TEST_F(SG4ImageViewTest, DragsDefineTheSubFrameOnTheCamera)
{
    drag(view, {100, 100}, {300, 300});
    EXPECT_EQ(control.sg4SubFrameSize(), 0) << "nothing to drag on without an image";
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.05));

    drag(view, {100, 100}, {103, 102});
    settle();
    EXPECT_EQ(control.sg4SubFrameSize(), 10);
    EXPECT_EQ(device.commands().last(), SG4Protocol::frame('S', QByteArray("\x00\x64\x00\x5C\x0A", 5)));
    drag(view, {100, 100}, {400, 400});
    EXPECT_EQ(control.sg4SubFrameSize(), 127);
    drag(view, {50, 30}, {100, -40});
    EXPECT_EQ(control.sg4SubFrameY(), 0);
    EXPECT_EQ(control.sg4SubFrameX(), 50);
    EXPECT_FALSE(view.isDragSubRect());
    // A click alone defines nothing.
    settle();
    const int sent = commandsOf('S');
    drag(view, {200, 200}, {200, 200});
    settle();
    EXPECT_EQ(commandsOf('S'), sent + 1) << "the release after a move defines";
    send(view, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    send(view, QEvent::MouseButtonRelease, {10, 10}, Qt::NoButton);
    settle();
    EXPECT_EQ(commandsOf('S'), sent + 1);
}

// Under ThreadSanitizer: transfers fill their images on the worker while
// the main thread draws the one it holds.
class SG4Threads : public SG4Fixture {};

TEST_F(SG4Threads, TransfersRunWhileTheViewDraws)
{
    ASSERT_TRUE(connect());
    sg4ImageView view(control, DebugWriter());
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemFirstMode + 2);
    sg4Panel.focus = true;
    control.sg4ImageAction(SG4Control::kTagFocus);
    sg4Panel.fields = {0, 0, 20.0};
    control.sg4ImageAction(SG4Control::kTagExpose);
    int frames = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        view.grab();
        ++frames;
        return device.transfersDone() >= 4;
    }, 60000));
    sg4Panel.focus = false;
    control.sg4ImageAction(SG4Control::kTagFocus);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !control.isSG4Exposing() && !control.isSG4Transfer(); }, 20000));
    EXPECT_GE(device.transfersDone(), 4);
    EXPECT_GT(frames, 4);
    ASSERT_NE(control.sg4Image(), nullptr);
    EXPECT_EQ(control.sg4Image()->width, 320);
}
