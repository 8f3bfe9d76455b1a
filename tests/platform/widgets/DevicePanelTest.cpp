#include "platform/widgets/DevicePanel.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A panel whose close observer notes what it saw, as a device's would.
struct ObservedPanel {
    ObservedPanel()
    {
        auto* layout = new QVBoxLayout(&panel);
        layout->addWidget(field);
        panel.setCloseObserver([this] {
            ++closes;
            shownWhenTold = panel.isVisible();
        });
        panel.show();
    }
    DevicePanel panel;
    QLineEdit* field = new QLineEdit;
    int closes = 0;
    bool shownWhenTold = false;
};

}  // namespace

// Escape, in the panel or in one of its fields, neither closes the panel nor
// tells its observer: only the close button ends a device's work.
TEST(DevicePanel, EscapeNeitherClosesThePanelNorTellsItsObserver)
{
    ObservedPanel observed;
    QTest::keyClick(&observed.panel, Qt::Key_Escape);
    observed.field->setFocus();
    QTest::keyClick(observed.field, Qt::Key_Escape);
    EXPECT_TRUE(observed.panel.isVisible());
    EXPECT_EQ(observed.closes, 0);
}

// The close button tells the observer once, while the panel still shows (a
// question it asks stands over the panel), and the panel then hides; a
// panel hidden by the program, or already hidden, tells nothing.
TEST(DevicePanel, TheCloseButtonTellsTheObserverOnceBeforeThePanelHides)
{
    ObservedPanel observed;
    EXPECT_TRUE(observed.panel.close());
    EXPECT_EQ(observed.closes, 1);
    EXPECT_TRUE(observed.shownWhenTold);
    EXPECT_FALSE(observed.panel.isVisible());
    observed.panel.close();
    EXPECT_EQ(observed.closes, 1);

    observed.panel.show();
    observed.panel.hide();
    EXPECT_EQ(observed.closes, 1);
}
