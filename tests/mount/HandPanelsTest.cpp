#include "model/PrefFixture.h"
#include "mount/MountProtocols.h"
#include "mount/links/PanelMount.h"
#include "mount/panels/GeminiPanel.h"
#include "mount/panels/HandControlPanelSet.h"
#include "mount/panels/IEQ45Panel.h"
#include "mount/panels/IOptronPanel.h"
#include "mount/panels/LX200Panel.h"
#include "mount/panels/MeadeBasicPanel.h"
#include "mount/panels/NexStarPanel.h"
#include "mount/panels/RadioMatrix.h"
#include "mount/panels/SlewPulseMenu.h"
#include "mount/panels/TaggedPopUp.h"
#include "mount/panels/TemmaPanel.h"
#include "support/RecordingAlertPresenter.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Records each call as "<entry> <code>".
struct RecordingMount final : PanelMount {
    bool isConnected() const override { return connected; }
    bool isSlewing() const override { return slewing; }
    bool isTemmaSync() const override { return temmaSync; }
    int scopeProtocol() const override { return protocol; }
    void lx200Command(int c) override { add("lx200", c); }
    void temmaCommand(int c) override { add("temma", c); }
    void nexStarCommand(int c) override { add("nexStar", c); }
    void geminiCommand(int c) override { add("gemini", c); }
    void iOptronCommand(int c) override { add("iOptron", c); }
    void iEQ45Command(int c) override { add("iEQ45", c); }
    void slewNexStar(int c, bool) override { add("slewNexStar", c); }
    void slewTemma(int c, bool) override { add("slewTemma", c); }
    void slewLX200(int c) override { add("slewLX200", c); }
    void slewStopLX200(int c) override { add("slewStopLX200", c); }
    void slewIOptron(int c) override { add("slewIOptron", c); }
    void slewIEQ45(int c) override { add("slewIEQ45", c); }
    void setNexStarSlewSpeed(int s) override { add("nexStarSpeed", s); }
    void setNexStarTrackMode(int m) override { add("nexStarMode", m); }
    void syncNexStar() override { add("syncNexStar", 0); }
    void resetSynScanSync() override { add("resetSynScan", 0); }
    void writeDebugFile(const QString&) override {}
    void add(const char* entry, int code) { sent.push_back(QString("%1 %2").arg(entry).arg(code)); }
    QStringList take() { return std::exchange(sent, {}); }

    bool connected = true;
    bool slewing = false;
    bool temmaSync = true;
    int protocol = kProtocolLX200;
    QStringList sent;
};

struct FakeDevice final : MenuDevice {
    bool isConnected() const override { return connected; }
    bool connectDevice() override { return true; }
    void disconnectDevice() override {}
    bool connected = false;
};
struct FakeWindow final : MenuPanel {
    bool isVisible() const override { return raised; }
    void show() override { raised = true; }
    void hide() override {}
    bool raised = false;
};

}  // namespace

class HandPanelsTest : public PrefFixture {
protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        set = std::make_unique<HandControlPanelSet>(launch(), mount, nullptr);
        // The focusers join after the panels, as in the program.
        set->setFocuserWindows({{&robo, &roboWindow}, {&optec, &optecWindow}, {&jmi, &jmiWindow}});
    }
    void TearDown() override
    {
        for (MountPanel which : kAll)
            delete set->panel(which);
        set.reset();
    }
    static constexpr std::array kAll{MountPanel::LX200, MountPanel::MeadeBasic, MountPanel::Gemini,
                                     MountPanel::Temma, MountPanel::NexStar, MountPanel::IOptron,
                                     MountPanel::IEQ45};
    static void key(QWidget* panel, int k, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
        QCoreApplication::sendEvent(panel, &press);
        QCoreApplication::sendEvent(panel, &release);
    }
    static void click(QAbstractButton* button) { button->click(); }

    ScopedAlertRecorder alerts;
    RecordingMount mount;
    FakeDevice robo, optec, jmi;
    FakeWindow roboWindow, optecWindow, jmiWindow;
    std::unique_ptr<HandControlPanelSet> set;
};

TEST_F(HandPanelsTest, HoldModePressSendsTheCodeAndAnyReleaseStops)
{
    struct Case {
        MountPanel panel;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {MountPanel::LX200, {"lx200 1", "lx200 5"}},
        {MountPanel::MeadeBasic, {"lx200 1", "lx200 5"}},
        {MountPanel::Gemini, {"lx200 1", "lx200 5"}},
        {MountPanel::Temma, {"temma 1", "temma 5"}},
        {MountPanel::IOptron, {"iOptron 1", "iOptron 5"}},
        {MountPanel::IEQ45, {"iEQ45 1", "slewIEQ45 5"}},
    };
    for (const Case& c : cases) {
        HandPanel* panel = set->panel(c.panel);
        QTest::mousePress(panel->directionButton(1), Qt::LeftButton);
        QTest::mouseRelease(panel->directionButton(1), Qt::LeftButton);
        EXPECT_EQ(mount.take(), c.expected) << int(c.panel);
        // The release may come from another button.
        panel->directionAction(1);
        panel->directionAction(3);
        EXPECT_EQ(mount.take(), c.expected) << int(c.panel);
    }
}

TEST_F(HandPanelsTest, LockedClicksSwitchTheOppositeOffAndStopAsEachPanelDoes)
{
    struct Case {
        MountPanel panel;
        QStringList lockAndOn;  // the lock's stop, then a click on 1
        QString off;            // a click turning 1 off
        QString stopOn;         // a click on the stop button
    };
    const std::vector<Case> cases{
        {MountPanel::LX200, {"lx200 5", "lx200 1"}, "slewStopLX200 1", "lx200 5"},
        {MountPanel::MeadeBasic, {"lx200 5", "lx200 1"}, "slewStopLX200 1", "lx200 5"},
        {MountPanel::Gemini, {"lx200 5", "gemini 1"}, "slewStopLX200 1", "gemini 5"},
        {MountPanel::Temma, {"temma 5", "temma 1"}, "temma 5", "temma 5"},
        {MountPanel::IOptron, {"iOptron 5", "iOptron 1"}, "slewStopLX200 1", "iOptron 5"},
        {MountPanel::IEQ45, {"slewIEQ45 5", "iEQ45 1"}, "slewIEQ45 5", "slewIEQ45 5"},
    };
    for (const Case& c : cases) {
        HandPanel* panel = set->panel(c.panel);
        panel->lockAction(true);
        ASSERT_TRUE(panel->isLocked());
        click(panel->directionButton(2));
        mount.take();
        click(panel->directionButton(1));
        EXPECT_FALSE(panel->directionButton(2)->isChecked()) << int(c.panel);
        EXPECT_TRUE(panel->directionButton(1)->isChecked());
        click(panel->directionButton(1));
        click(panel->directionButton(3));
        click(panel->directionButton(5));
        EXPECT_FALSE(panel->directionButton(3)->isChecked()) << int(c.panel);
        const QStringList sent = mount.take();
        ASSERT_EQ(sent.size(), 4) << int(c.panel);
        EXPECT_EQ(sent[0], c.lockAndOn[1]) << int(c.panel);
        EXPECT_EQ(sent[1], c.off) << int(c.panel);
        EXPECT_EQ(sent[3], c.stopOn) << int(c.panel);
        panel->lockAction(false);
        EXPECT_EQ(mount.take(), QStringList{c.lockAndOn[0]}) << int(c.panel);
    }
}

TEST_F(HandPanelsTest, NexStarButtonsToggleAndAnOffClickStopsAll)
{
    NexStarPanel& panel = set->nexStarPanel();
    click(panel.directionButton(3));
    click(panel.directionButton(4));
    EXPECT_FALSE(panel.directionButton(3)->isChecked());
    click(panel.directionButton(4));
    EXPECT_EQ(mount.take(), (QStringList{"nexStar 3", "nexStar 4", "nexStar 5"}));
    panel.speedMatrix()->cell(12)->click();
    panel.trackMatrix()->cell(21)->click();
    panel.syncNexStarAction(true);
    EXPECT_EQ(mount.take(), (QStringList{"nexStarSpeed 2", "nexStarMode 2", "resetSynScan 0"}));
    panel.setNexStarModeMatrix(3);
    EXPECT_EQ(panel.trackMatrix()->selectedTag(), 22);
}

TEST_F(HandPanelsTest, SpeedFocusCommandAndPopUpTags)
{
    LX200Panel& lx = set->lx200Panel();
    lx.speedMatrix()->cell(12)->click();
    lx.focusButton(PulsePanel::kFocusIn)->click();
    lx.focusButton(PulsePanel::kFocusOut)->click();
    EXPECT_FALSE(lx.focusButton(PulsePanel::kFocusIn)->isChecked());
    lx.focusButton(PulsePanel::kFocusOut)->click();  // released
    lx.focusSpeedMatrix()->cell(27)->click();
    lx.buttonWithTag(33)->click();
    lx.baudPopUp()->choose(44);
    EXPECT_EQ(mount.take(), (QStringList{"lx200 12", "lx200 20", "lx200 21", "lx200 22", "lx200 27",
                                         "lx200 33", "lx200 44"}));

    GeminiPanel& gemini = set->geminiPanel();
    EXPECT_FALSE(gemini.popUp(GeminiPanel::kGuideSpeedTag)->isEnabled());
    gemini.speedMatrix()->cell(13)->click();
    EXPECT_TRUE(gemini.popUp(GeminiPanel::kGuideSpeedTag)->isEnabled());
    gemini.popUp(GeminiPanel::kModeTag)->choose(56);
    gemini.popUp(GeminiPanel::kCenterSpeedTag)->choose(73);
    gemini.buttonWithTag(35)->click();
    gemini.focusButton(PulsePanel::kFocusStop)->click();
    EXPECT_EQ(mount.take(), (QStringList{"gemini 13", "gemini 56", "gemini 73", "gemini 35", "gemini 22"}));
}

TEST_F(HandPanelsTest, WithoutAMountOnlyTheIEQ45SetUpAndTheNexStarSyncAct)
{
    mount.connected = false;
    for (MountPanel which : kAll) {
        HandPanel* panel = set->panel(which);
        panel->lockAction(true);
        for (int tag = 1; tag <= 5; ++tag)
            click(panel->directionButton(tag));
        key(panel, Qt::Key_Up);
    }
    set->lx200Panel().buttonWithTag(LX200Panel::kSyncTag)->click();
    set->temmaPanel().syncTemmaAction(TemmaPanel::kStarSyncTag);
    set->iOptronPanel().buttonWithTag(IOptronPanel::kSyncTag)->click();
    set->iEQ45Panel().matrix(IEQ45Panel::kSlewSpeedMatrixTag)->cell(12)->click();
    EXPECT_TRUE(mount.take().isEmpty());

    set->iEQ45Panel().matrix(IEQ45Panel::kTrackSpeedTag)->cell(15)->click();
    set->iEQ45Panel().buttonWithTag(IEQ45Panel::kSyncTag)->click();
    set->nexStarPanel().syncButton()->click();
    EXPECT_EQ(mount.take(), (QStringList{"iEQ45 15", "iEQ45 31", "syncNexStar 0"}));
}

TEST_F(HandPanelsTest, TemmaRefusesBeforeASyncAndBeepsAtALockedSlewWhileSlewing)
{
    TemmaPanel& temma = set->temmaPanel();
    mount.temmaSync = false;
    temma.directionAction(1);
    temma.speedMatrix()->cell(11)->click();
    EXPECT_TRUE(mount.take().isEmpty());
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[0].title, "Scope must be synced first.");

    mount.temmaSync = true;
    temma.lockAction(true);
    mount.take();
    mount.slewing = true;
    click(temma.directionButton(1));
    EXPECT_TRUE(mount.take().isEmpty());
    EXPECT_EQ(alerts.beeps, 1);

    temma.guideMatrix()->selectCell(1, 1);
    temma.guideMatrix()->cell(temma.guideMatrix()->tagAt(1, 1))->click();
    EXPECT_EQ(temma.guideRate(), 90);
    EXPECT_EQ(set->guideRate(), 90);
    temma.sideMatrix()->cell(35)->click();
    EXPECT_EQ(mount.take(), (QStringList{"temma 40", "temma 35"}));
    set->setSideRadio(true);
    EXPECT_EQ(temma.sideMatrix()->selectedTag(), 34);
}

TEST_F(HandPanelsTest, TheQuarterPulseGoesToTheConnectedFamilysPanel)
{
    mount.protocol = kProtocolGemini;
    set->slewPulseMenu().slewPulseMenuAction(2);
    EXPECT_TRUE(set->isQuarter(MountPanel::Gemini));
    EXPECT_FALSE(set->isQuarter(MountPanel::LX200) || set->isTenth(MountPanel::LX200)
                 || set->isHalf(MountPanel::LX200));

    // A locked click-off with a pulse chosen stops all through the family entry.
    GeminiPanel& gemini = set->geminiPanel();
    gemini.lockAction(true);
    click(gemini.directionButton(4));
    click(gemini.directionButton(4));
    EXPECT_EQ(mount.take(), (QStringList{"lx200 5", "gemini 4", "gemini 5"}));
}

TEST_F(HandPanelsTest, GeminiMarkersClearOnlyTheirGroup)
{
    GeminiPanel& gemini = set->geminiPanel();
    TaggedPopUp* mode = gemini.popUp(GeminiPanel::kModeTag);
    set->setGeminiModeMenu(51);
    set->setGeminiModeMenu(55);
    set->setGeminiModeMenu(52);
    EXPECT_TRUE(mode->isMarked(52));
    EXPECT_FALSE(mode->isMarked(51));
    EXPECT_TRUE(mode->isMarked(55));
    set->setGeminiModeMenu(99);
    EXPECT_TRUE(mode->isMarked(52));
    set->setGeminiBaudMenu(44);
    set->setGeminiBaudMenu(47);
    EXPECT_TRUE(gemini.baudPopUp()->isMarked(47));
    EXPECT_FALSE(gemini.baudPopUp()->isMarked(44));
    // Choosing an item does not mark it: only the mount's answer does.
    gemini.popUp(GeminiPanel::kCenterSpeedTag)->item(72)->trigger();
    EXPECT_FALSE(gemini.popUp(GeminiPanel::kCenterSpeedTag)->isMarked(72));
}

TEST_F(HandPanelsTest, KeysSlewDirectlyAndEscapeRaisesTheFirstConnectedFocuser)
{
    struct Case {
        int key;
        QString text;
        int code;
    };
    const std::vector<Case> cases{{Qt::Key_B, "b", 1},      {Qt::Key_Up, {}, 3}, {Qt::Key_PageUp, {}, 3},
                                  {Qt::Key_Down, {}, 4},    {Qt::Key_PageDown, {}, 4}, {Qt::Key_F5, {}, 2}};
    for (const Case& c : cases) {
        key(&set->lx200Panel(), c.key, c.text);
        EXPECT_EQ(mount.take(), (QStringList{QString("slewLX200 %1").arg(c.code), "slewLX200 5"}));
    }
    key(&set->temmaPanel(), Qt::Key_F5);
    key(&set->nexStarPanel(), Qt::Key_B, "b");
    key(&set->iOptronPanel(), Qt::Key_Up);
    key(&set->iEQ45Panel(), Qt::Key_Up);
    EXPECT_EQ(mount.take(), (QStringList{"slewTemma 2", "slewTemma 5", "slewNexStar 1", "slewNexStar 5",
                                         "slewIOptron 3", "slewIOptron 5"}));

    jmi.connected = optec.connected = true;
    key(&set->meadeBasicPanel(), Qt::Key_Escape);
    EXPECT_TRUE(optecWindow.raised);
    EXPECT_FALSE(jmiWindow.raised);
    robo.connected = true;
    key(&set->meadeBasicPanel(), Qt::Key_Escape);
    EXPECT_TRUE(roboWindow.raised);
}
