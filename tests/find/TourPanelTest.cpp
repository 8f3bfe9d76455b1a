#include "FindFixture.h"
#include "TourFakes.h"

#include "find/panels/TourPanel.h"
#include "find/tours/TourControl.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

TEST(TourPanel, ShowsTheTourAndHandsClicksBack)
{
    NoGamma gamma;
    PrefControl prefs{gamma};
    FakeTourFinder finder;
    FakeCapture capture;
    TourControl control({finder, capture});
    int closes = 0;
    bool resumed = false;
    TourPanel panel(control, prefs, {{}, {}, [&] {
                                         ++closes;
                                         return resumed;
                                     }});

    prefs.setIsCreateTour(true);
    finder.index = 3;
    for (const char* name : {"Vega", "Deneb", "Altair"}) {
        finder.selection = name;
        control.addTourObject();
    }
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.windowTitle(), "Creating tour/filter");
    EXPECT_EQ(panel.tourTable().count(), 3);
    EXPECT_EQ(panel.tourTable().currentRow(), 2) << "the last row added is shown";
    EXPECT_FALSE(panel.button(TourControl::kExposureTag).isEnabled());

    finder.known.insert("Deneb", {findResultFound, 0.0, 0.0});
    QListWidget& table = panel.tourTable();
    const QRect row = table.visualItemRect(table.item(1));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(finder.tracked, QStringList({"Deneb"}));
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(control.tourArray(), QStringList({"Vega", "Altair"}));
    EXPECT_EQ(table.count(), 2);

    // Closed while a tour is being built: the File menu asks what to do.
    panel.close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(control.isTourVisible());
    // Escape closes it the same way.
    control.initTourPanel(false);
    ASSERT_TRUE(panel.isVisible());
    QTest::keyClick(&panel, Qt::Key_Escape);
    EXPECT_EQ(closes, 2);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(control.isTourVisible());
    // Building resumed, the panel stays as it is.
    control.initTourPanel(false);
    resumed = true;
    panel.close();
    EXPECT_EQ(closes, 3);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(control.isTourVisible());
}

}  // namespace
