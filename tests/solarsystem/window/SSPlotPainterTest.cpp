#include "model/settings/TextAttributes.h"
#include "solarsystem/window/SSPlotPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(SSPlotPainter, APlanetsNameThatWouldCoverOneDrawnBeforeIsLeftOut)
{
    QImage image(300, 200, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const OrbitTable table = OrbitTable::builtIn();
    SSPlotPainter plot(painter, image.height(), PlotView{150.0, 100.0, 0.0, 0.0}, 1.0, table);
    const TextAttributes attributes{QFont(), Qt::white};

    EXPECT_TRUE(plot.drawPlanetLabel("Mercury", {150, 100}, attributes));
    EXPECT_FALSE(plot.drawPlanetLabel("Venus", {153, 102}, attributes));
    EXPECT_TRUE(plot.drawPlanetLabel("Earth", {150, 150}, attributes));
    EXPECT_TRUE(plot.drawPlanetLabel("Mars", {20, 20}, attributes));
}
