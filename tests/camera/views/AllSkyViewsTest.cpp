#include "camera/allsky/AllSkyTestFrame.h"
#include "camera/allsky/FakeAllSkyCamera.h"

#include "camera/allsky/AllSkySession.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/allsky/AllSkyImageView.h"
#include "camera/views/allsky/AllSkyPanel.h"
#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefForms.h"
#include "model/settings/PrefKeys.h"
#include "platform/AppTimeZone.h"
#include "platform/DisplayGamma.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDateTimeEdit>
#include <QFontDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

class AllSkyViews : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        gamma = DisplayGamma::create();
        prefs = std::make_unique<PrefControl>(*gamma);
        prefs->readPrefs();
        session = std::make_unique<AllSkySession>(camera, clock, prefs.get(), dir.path(), DebugWriter());
        camera.schedule = &session->schedule();
        datePanel = std::make_unique<AllSkyDatePanel>(*session, *prefs);
        panel = std::make_unique<AllSkyPanel>(*session, *datePanel, DebugWriter());
    }
    void TearDown() override
    {
        panel.reset();
        datePanel.reset();
        session.reset();
        TempSettings::TearDown();
    }

    AllSkyImageView& view() { return panel->imageView(); }
    void mouse(QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, at, view().mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view(), &event);
    }

    QTemporaryDir dir;
    ManualAllSkyClock clock;
    FakeAllSkyCamera camera{clock};
    std::unique_ptr<DisplayGamma> gamma;
    std::unique_ptr<PrefControl> prefs;
    std::unique_ptr<AllSkySession> session;
    std::unique_ptr<AllSkyDatePanel> datePanel;
    std::unique_ptr<AllSkyPanel> panel;
};

TEST_F(AllSkyViews, SubFrameIsDrawnDoubledOverItsPlace)
{
    AllSkyFrame sub = allSkyTestFrame(AllSkyFrame::kSubFrameMode, AllSkyFrame::kLightType, 1000);
    sub.subFrameSize = 20;
    sub.subFrameX = 300;
    sub.subFrameY = 100;
    session->imageDownloaded(sub);
    const QImage shown = view().grab().toImage();
    EXPECT_EQ(view().drawnRect(), QRectF(290, 90, 40, 40));
    EXPECT_EQ(qGray(shown.pixel(289, 100)), 0);
    EXPECT_EQ(qGray(shown.pixel(310, 131)), 0);
}

TEST_F(AllSkyViews, CropModeLeavesBandsOnBothSides)
{
    session->imageDownloaded(allSkyTestFrame(AllSkyFrame::kCropMode, AllSkyFrame::kLightType, 0));
    session->setExpFilter(0);
    AllSkyFrame white = allSkyTestFrame(AllSkyFrame::kCropMode);
    std::fill(white.pixels.begin(), white.pixels.end(), quint16(65535));
    session->imageDownloaded(white);
    const QImage shown = view().grab().toImage();
    EXPECT_EQ(view().drawnRect(), QRectF(64, 0, 512, 480));
    EXPECT_EQ(qGray(shown.pixel(63, 240)), 0);
    EXPECT_EQ(qGray(shown.pixel(64, 240)), 255);
    EXPECT_EQ(qGray(shown.pixel(575, 240)), 255);
    EXPECT_EQ(qGray(shown.pixel(576, 240)), 0);
}

TEST_F(AllSkyViews, ClickChoosesTenPixelsRightAndUp)
{
    mouse(QEvent::MouseButtonPress, {100, 300});
    mouse(QEvent::MouseButtonRelease, {100, 300});
    EXPECT_TRUE(camera.subFrames.empty()) << "no image, no square";
    session->imageDownloaded(allSkyTestFrame());
    mouse(QEvent::MouseButtonPress, {100, 300});
    mouse(QEvent::MouseButtonRelease, {100, 300});
    ASSERT_EQ(camera.subFrames.size(), 1u);
    EXPECT_EQ(camera.subFrames[0], std::make_tuple(quint16(100), quint16(290), quint8(10)));
}

TEST_F(AllSkyViews, LongDragStopsAt127WhereTheSquareWas)
{
    session->imageDownloaded(allSkyTestFrame());
    mouse(QEvent::MouseButtonPress, {100, 400});
    mouse(QEvent::MouseMove, {200, 300});
    EXPECT_TRUE(view().isDragSubRect());
    mouse(QEvent::MouseMove, {300, 200});
    EXPECT_EQ(view().dragRect(), QRectF(100, 80, 127, 127));
    mouse(QEvent::MouseButtonRelease, {300, 200});
    ASSERT_EQ(camera.subFrames.size(), 1u);
    EXPECT_EQ(camera.subFrames[0], std::make_tuple(quint16(100), quint16(273), quint8(127)));
    // A square dragged past the top edge stays inside the frame.
    mouse(QEvent::MouseButtonPress, {600, 5});
    mouse(QEvent::MouseMove, {640, 0});
    mouse(QEvent::MouseButtonRelease, {640, 0});
    const auto [x, top, side] = camera.subFrames.back();
    EXPECT_LE(x + side, 640);
    EXPECT_GE(top, 0);
}

TEST_F(AllSkyViews, ASquareThatReached127StaysPutWhereverTheMouseGoes)
{
    session->imageDownloaded(allSkyTestFrame());
    // Toward the bottom left the corner follows the mouse until the side is 127.
    mouse(QEvent::MouseButtonPress, {400, 100});
    mouse(QEvent::MouseMove, {320, 180});
    EXPECT_EQ(view().dragRect(), QRectF(320, 300, 80, 80));
    mouse(QEvent::MouseMove, {200, 300});
    EXPECT_EQ(view().dragRect(), QRectF(320, 300, 127, 127));
    mouse(QEvent::MouseMove, {350, 150});
    EXPECT_EQ(view().dragRect(), QRectF(320, 300, 50, 50));
    mouse(QEvent::MouseMove, {100, 50});
    EXPECT_EQ(view().dragRect(), QRectF(320, 300, 127, 127));
    mouse(QEvent::MouseButtonRelease, {100, 50});
    ASSERT_EQ(camera.subFrames.size(), 1u);
    EXPECT_EQ(camera.subFrames[0], std::make_tuple(quint16(320), quint16(53), quint8(127)));
}

TEST_F(AllSkyViews, UnknownQualityLeavesTheQualityMatrix)
{
    datePanel->setDateMovieDict(1, 768);
    EXPECT_EQ(datePanel->qualityRadio()->checkedId(), 2);
    EXPECT_EQ(datePanel->codecRadio()->checkedId(), 1);
    datePanel->setDateMovieDict(0, 256);
    EXPECT_EQ(datePanel->qualityRadio()->checkedId(), 2);
    EXPECT_EQ(datePanel->codecRadio()->checkedId(), 0);
    EXPECT_EQ(session->movie().codecStr(), "jpeg");
    EXPECT_EQ(session->movie().quality(), 256u);
}

TEST_F(AllSkyViews, ClosingAnyWindowStoresTheStampSettings)
{
    datePanel->dateCheckbox()->click();
    datePanel->fontButton()->click();
    const QFont font(QStringLiteral("Sans"), 17);
    const QColor color(10, 200, 30, 128);
    datePanel->fontPanel()->setCurrentFont(font);
    datePanel->colorPanel()->setCurrentColor(color);
    datePanel->positionRadio()->button(3)->click();
    QWidget unrelated;
    unrelated.show();
    unrelated.close();
    EXPECT_FALSE(datePanel->fontPanel()->isVisible());
    EXPECT_EQ(datePanel->dateFont().pointSize(), 17);
    EXPECT_EQ(datePanel->dateColor(), color);
    EXPECT_EQ(stored(PrefKeys::AllSkyDateFont), PrefForms::fontText(datePanel->dateFont()));
    EXPECT_EQ(stored(PrefKeys::AllSkyDateColor), PrefForms::colorText(color));
    EXPECT_EQ(stored(PrefKeys::AllSkyPosnDate), "3");
    EXPECT_EQ(session->stamp().corner(), 3);
}

TEST_F(AllSkyViews, FitsDisablesTheDateButtonAndUnticksTheStamp)
{
    datePanel->setDateMovieCheckbox(true);
    EXPECT_TRUE(session->isAllSkyMovie());
    panel->formatRadio()->button(2)->click();
    EXPECT_FALSE(panel->dateButton()->isEnabled());
    EXPECT_FALSE(datePanel->dateCheckbox()->isChecked());
    EXPECT_FALSE(datePanel->movieCheckbox()->isChecked());
    EXPECT_FALSE(session->isAllSkyMovie());
    panel->formatRadio()->button(1)->click();
    EXPECT_TRUE(panel->dateButton()->isEnabled());
    EXPECT_EQ(session->files().fileFormat(), AllSkyFiles::Format::Tiff);
}

TEST_F(AllSkyViews, RunButtonAndHeaterFollowTheSchedule)
{
    panel->setExpSchedule(90);
    EXPECT_EQ(panel->expScheduleMinText()->value(), 1);
    EXPECT_EQ(panel->expScheduleSecText()->value(), 30);
    panel->heatOnScheduleText()->setValue(10);
    EXPECT_EQ(session->schedule().heatOnSchedule(), 600.0F);
    EXPECT_EQ(stored(PrefKeys::AllSkyHeatOn).toFloat(), 600.0F);
    panel->runButton()->click();
    EXPECT_EQ(panel->runButton()->text(), "STOP");
    EXPECT_TRUE(session->schedule().isScheduleRun());
    panel->heaterCheckbox()->click();
    clock.advanceSeconds(200);
    EXPECT_TRUE(panel->heaterCheckbox()->isChecked());
    EXPECT_TRUE(panel->heatText()->styleSheet().contains("red"));
    panel->runButton()->click();
    EXPECT_EQ(panel->runButton()->text(), "RUN");
}

TEST_F(AllSkyViews, DailyStopShowsTheNextNightsDatesInThePickers)
{
    panel->setExpSchedule(60);
    panel->scheduleRadio()->button(2)->click();
    panel->startDatePicker()->setDateTime(AppTimeZone::wallClock(clock.now().addSecs(-60)));
    panel->stopDatePicker()->setDateTime(AppTimeZone::wallClock(clock.now().addSecs(3600)));
    panel->runButton()->click();
    EXPECT_TRUE(session->schedule().hasFiredSchedule());
    clock.advanceSeconds(3600 + 120);
    EXPECT_EQ(AppTimeZone::fromWallClock(panel->stopDatePicker()->dateTime()), clock.origin.addSecs(86400 + 3600));
    EXPECT_EQ(panel->runButton()->text(), "STOP");
}

}  // namespace

TEST_F(AllSkyViews, ClosingAWindowKeepsAStampFontTheSystemLacksWhenThePanelWasNeverShown)
{
    const QFont geneva(QStringLiteral("Geneva"), 11);
    datePanel->setDateFont(geneva);
    QWidget unrelated;
    unrelated.show();
    unrelated.close();
    EXPECT_EQ(datePanel->dateFont().family(), "Geneva");
    EXPECT_EQ(stored(PrefKeys::AllSkyDateFont), PrefForms::fontText(geneva));
}
