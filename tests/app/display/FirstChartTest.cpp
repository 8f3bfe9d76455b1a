#include "app/display/WindowManagerTest.h"

#include "skydraw/ChartSky.h"
#include "skydraw/ChartSkySource.h"

#include <QEvent>

#include <ostream>

#include <vector>

namespace {

using FirstChartTest = WindowManagerTest;

// One paint of the chart (not the splash): where on the screen it lay, and
// the size of the view the sky it drew was projected for.
struct ChartPaint {
    QRect place;
    QSizeF projectedFor;
    bool operator==(const ChartPaint&) const = default;
};

void PrintTo(const ChartPaint& paint, std::ostream* out)
{
    const QRect& p = paint.place;
    *out << p.width() << 'x' << p.height() << " at " << p.x() << ',' << p.y() << ", projected for "
         << paint.projectedFor.width() << 'x' << paint.projectedFor.height();
}

class ChartPaints final : public QObject {
public:
    explicit ChartPaints(SkyView& view) : m_view(view) { view.installEventFilter(this); }
    ~ChartPaints() override { m_view.removeEventFilter(this); }

    const std::vector<ChartPaint>& paints() const { return m_paints; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_view.hasLaunched() && m_view.skySource()) {
            const SkyCoordinates::View sky = m_view.skySource()->chartSky().view;
            m_paints.push_back({QRect(m_view.mapToGlobal(QPoint(0, 0)), m_view.size()),
                                QSizeF(double(sky.width), double(sky.height))});
        }
        return false;
    }

private:
    SkyView& m_view;
    std::vector<ChartPaint> m_paints;
};

}  // namespace

TEST_F(FirstChartTest, EveryChartOfTheLaunchIsDrawnWhereTheViewSettles)
{
    SkyView& view = chart->skyWindow().skyView();
    const ChartPaints recorded(view);
    ASSERT_TRUE(launch());
    // No paint may come in another place while the framing and a resize's
    // settling could still redraw: waiting that span out is the check.
    QTest::qWait(1500);
    ASSERT_FALSE(recorded.paints().empty());
    const ChartPaint settled{QRect(view.mapToGlobal(QPoint(0, 0)), view.size()), QSizeF(view.size())};
    for (const ChartPaint& paint : recorded.paints())
        EXPECT_EQ(paint, settled);
}
