#include "platform/widgets/InactiveHider.h"

#include "platform/widgets/ProgramActivity.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

TEST(InactiveHider, HidesOnlyAShownWindowWithTheSettingAndBringsBackOnlyWhatItHid)
{
    struct Case {
        const char* name;
        bool hides;
        bool shown;
        bool shownWhileInactive;
    };
    const Case cases[] = {
        {"hiding", true, true, false},
        {"staying", false, true, true},
        {"closed before", true, false, false},
    };
    // Another window of the program stays up.
    QWidget chart;
    chart.show();
    for (const Case& c : cases) {
        QWidget window;
        InactiveHider hider(window);
        hider.setHides(c.hides);
        window.setVisible(c.shown);
        emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
        EXPECT_EQ(window.isVisible(), c.shownWhileInactive) << c.name;
        EXPECT_FALSE(window.isMinimized()) << c.name;
        emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        EXPECT_EQ(window.isVisible(), c.shown) << c.name;

        // Closed by the user afterwards, it is not brought back again.
        window.hide();
        emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        EXPECT_FALSE(window.isVisible()) << c.name;
    }
}

TEST(InactiveHider, TheLastWindowShownIsMinimisedNotWithdrawn)
{
    QWidget solarSystem;
    QWidget focuser(nullptr, Qt::Tool);
    InactiveHider solarHider(solarSystem);
    InactiveHider focuserHider(focuser);
    solarHider.setHides(true);
    focuserHider.setHides(true);
    solarSystem.show();
    focuser.show();

    // The first to hide leaves the other up, and the other stays in the window list.
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(solarSystem.isVisible());
    EXPECT_TRUE(focuser.isVisible());
    EXPECT_TRUE(focuser.isMinimized());

    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(solarSystem.isVisible());
    EXPECT_TRUE(focuser.isVisible());
    EXPECT_FALSE(focuser.isMinimized());

    // One the user minimised himself is left as it is.
    focuserHider.setHides(false);
    solarSystem.setWindowState(Qt::WindowMinimized);
    focuser.hide();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(solarSystem.isVisible());
    EXPECT_TRUE(solarSystem.isMinimized());
}

TEST(InactiveHider, AnActivationLandingOnTheWindowItMinimisedLeavesItMinimised)
{
    QWidget solarSystem;
    InactiveHider hider(solarSystem);
    hider.setHides(true);
    solarSystem.show();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    ASSERT_TRUE(solarSystem.isMinimized());

    // The window system reports the focus on the window it is iconifying
    // while another program has the keyboard: restoring it would take the
    // keyboard back from that program.
    solarSystem.windowHandle()->requestActivate();
    QCoreApplication::processEvents();
    ASSERT_EQ(QGuiApplication::focusWindow(), solarSystem.windowHandle());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(solarSystem.isMinimized());

    // Restored by the user from the window list, it stays up once active.
    solarSystem.setWindowState(solarSystem.windowState() & ~Qt::WindowMinimized);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(solarSystem.isMinimized());

    // Made active through another window of the program, it comes back.
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    ASSERT_TRUE(solarSystem.isMinimized());
    QWidget chart;
    chart.show();
    chart.windowHandle()->requestActivate();
    QCoreApplication::processEvents();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(solarSystem.isMinimized());
}

namespace {

// The window manager's word, as the test tells it.
class ToldActiveWindow final : public ActiveWindowSource {
public:
    explicit ToldActiveWindow(ActiveOwner& owner) : m_owner(owner) {}
    ActiveOwner owner() const override { return m_owner; }
    void follow(std::function<void()> changed) override { m_changed = std::move(changed); }

    void tell(ActiveOwner owner)
    {
        m_owner = owner;
        m_changed();
        QCoreApplication::processEvents();
    }

private:
    ActiveOwner& m_owner;
    std::function<void()> m_changed;
};

}  // namespace

TEST(InactiveHider, TheProgramGoesInactiveOnlyWhenTheWindowManagerMakesAnotherProgramsWindowActive)
{
    ActiveOwner owner = ActiveOwner::Program;
    auto told = std::make_unique<ToldActiveWindow>(owner);
    ToldActiveWindow& windowManager = *told;
    ProgramActivity activity(std::move(told));
    QList<Qt::ApplicationState> changes;
    QObject::connect(&activity, &ProgramActivity::stateChanged, [&](Qt::ApplicationState s) { changes << s; });
    // Another window of the program stays up.
    QWidget view;
    view.show();
    QWidget chart;
    InactiveHider hider(chart, activity);
    hider.setHides(true);
    chart.show();
    ASSERT_EQ(activity.state(), Qt::ApplicationActive);

    // The window manager takes the keyboard to move or resize a window: Qt
    // calls the program inactive, the window manager still names its window.
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(chart.isVisible());

    // The user switches to another program.
    windowManager.tell(ActiveOwner::OtherProgram);
    EXPECT_EQ(changes, QList<Qt::ApplicationState>{Qt::ApplicationInactive});
    EXPECT_FALSE(chart.isVisible());

    // A focus report while the other program is still the active one, and
    // no window active at all, leave the program inactive.
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    windowManager.tell(ActiveOwner::NoOne);
    EXPECT_EQ(changes.size(), 1);

    // The user picks the program's window again.
    windowManager.tell(ActiveOwner::Program);
    EXPECT_EQ(changes.last(), Qt::ApplicationActive);
    EXPECT_TRUE(chart.isVisible());

    // Where the window system does not say, Qt's state is taken.
    windowManager.tell(ActiveOwner::Untold);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(activity.state(), Qt::ApplicationInactive);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(activity.state(), Qt::ApplicationActive);
}
