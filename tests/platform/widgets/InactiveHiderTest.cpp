#include "platform/widgets/InactiveHider.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

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
