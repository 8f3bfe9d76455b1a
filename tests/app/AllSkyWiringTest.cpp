#include "app/AllSkyLink.h"
#include "camera/allsky/AllSkyTestFrame.h"
#include "camera/allsky/FakeAllSkyCamera.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/allsky/AllSkyPanel.h"
#include "chart/ChartOutlets.h"
#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefKeys.h"
#include "model/settings/PrefLinks.h"
#include "platform/DebugLog.h"
#include "platform/DisplayGamma.h"
#include "support/RecordingAlertPresenter.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

// The all-sky side as the program assembles it, on a simulated camera
// whose frames are handed over as the controller hands them.
class AllSkyWiringTest : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        seed({{PrefKeys::AllSkyQualityDate, 768}, {PrefKeys::AllSkyCodecDate, 1}, {PrefKeys::AllSkyPosnDate, 2},
              {PrefKeys::AllSkyFPSDate, 25.0}});
        gamma = DisplayGamma::create();
        prefs = std::make_unique<PrefControl>(*gamma);
        log = std::make_unique<DebugLog>(misc.path());
        link = std::make_unique<AllSkyLink>(*prefs, *log, camera, misc.path(), nullptr, &clock);
        PrefLinks links;
        link->fillLinks(links);
        prefs->setLinks(links);
        prefs->readPrefs();
        camera.schedule = &link->session().schedule();
        camera.deliver = [this](quint8 type) {
            link->session().imageDownloaded(allSkyTestFrame(camera.mode, type));
        };
    }
    void TearDown() override
    {
        link.reset();
        TempSettings::TearDown();
    }

    QTemporaryDir misc;
    ScopedAlertRecorder alerts;
    ManualAllSkyClock clock;
    FakeAllSkyCamera camera{clock};
    std::unique_ptr<DisplayGamma> gamma;
    std::unique_ptr<PrefControl> prefs;
    std::unique_ptr<DebugLog> log;
    std::unique_ptr<AllSkyLink> link;
};

}  // namespace

TEST_F(AllSkyWiringTest, StoredStampAndMovieSettingsReachThePanels)
{
    AllSkyDatePanel& date = link->datePanel();
    EXPECT_EQ(date.qualityRadio()->checkedId(), 2);
    EXPECT_EQ(date.codecRadio()->checkedId(), 1);
    EXPECT_EQ(date.positionRadio()->checkedId(), 2);
    EXPECT_EQ(link->session().movie().codecStr(), "avc1");
    EXPECT_EQ(link->session().movie().allSkyMovieFPS(), 25.0F);
    EXPECT_EQ(link->session().stamp().corner(), 2);
    ChartOutlets outlets;
    link->fillOutlets(outlets);
    EXPECT_EQ(outlets.allSkyPanel, &link->panel());
}

// A night run from the panel: each light frame the camera delivers is
// saved with its number, added to the movie, and the movie is closed at STOP.
TEST_F(AllSkyWiringTest, ScheduleFromThePanelSavesNumberedFilesAndAMovie)
{
    AllSkyPanel& panel = link->panel();
    panel.formatRadio()->button(1)->click();
    link->datePanel().movieCheckbox()->click();
    link->datePanel().codecRadio()->button(0)->click();
    panel.expScheduleMinText()->setValue(1);
    panel.runButton()->click();
    clock.advanceSeconds(5 * 60 + 10);
    panel.runButton()->click();
    clock.advanceSeconds(60);
    EXPECT_EQ(stored(PrefKeys::AllSkyExpShedule).toFloat(), 60.0F);
    const QStringList files = QDir(misc.path()).entryList({"AllSkyImage*"}, QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{"AllSkyImage(Light)-1.tiff", "AllSkyImage(Light)-2.tiff",
                                  "AllSkyImage(Light)-3.tiff", "AllSkyImage(Light)-4.tiff",
                                  "AllSkyImage(Light)-5.tiff", "AllSkyImage(Light)-6.tiff", "AllSkyImage-1.mov"}));
    EXPECT_TRUE(alerts.alerts.empty());
}
