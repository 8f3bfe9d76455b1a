#include "platform/widgets/InactiveHider.h"

#include <QGuiApplication>
#include <QWidget>

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
    for (const Case& c : cases) {
        QWidget window;
        InactiveHider hider(window);
        hider.setHides(c.hides);
        window.setVisible(c.shown);
        emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
        EXPECT_EQ(window.isVisible(), c.shownWhileInactive) << c.name;
        emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        EXPECT_EQ(window.isVisible(), c.shown) << c.name;

        // Closed by the user afterwards, it is not brought back again.
        window.hide();
        emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        EXPECT_FALSE(window.isVisible()) << c.name;
    }
}
