#include "app/AssembledProgram.h"

#include "find/panels/TonightWindow.h"
#include "model/settings/PrefControl.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using PlannerWiringTest = AssembledProgram;

// The planner the program assembles resolves its tour through the program's
// finder once; a later repaint draws from the kept places and still leaves
// the find selection where resolving the tour leaves it, whatever the user
// selected in between.
TEST_F(PlannerWiringTest, ARepaintLeavesTheFindSelectionWhereResolvingTheTourLeavesIt)
{
    auto* window = dynamic_cast<TonightWindow*>(chart->outlets().tonightView);
    ASSERT_NE(window, nullptr);
    TonightView& view = window->tonightView();
    QTemporaryDir tours;
    const QString path = tours.filePath("Planner tour.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Jupiter\n# Wait 5\nM 31\nSaturn\n");
    file.close();
    ASSERT_TRUE(view.openTourFile(path, 1));
    view.tonightAction(TonightView::kTour1Tag, true);
    view.tonightDate();
    QImage image(TonightView::kWidth, TonightView::kHeight, QImage::Format_ARGB32_Premultiplied);
    const auto repaint = [&] {
        QPainter painter(&image);
        view.drawChart(painter);
    };
    PrefControl& prefs = chart->prefControl();
    repaint();
    const int resolvedIndex = prefs.findIndex();
    const QString resolvedName = prefs.findName();
    prefs.setFindIndex(12345);
    prefs.setFindName(QStringLiteral("Other"));
    repaint();
    EXPECT_EQ(prefs.findIndex(), resolvedIndex);
    EXPECT_EQ(prefs.findName(), resolvedName);
}
