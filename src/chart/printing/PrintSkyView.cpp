#include "chart/printing/PrintSkyView.h"

#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/ImageFile.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSkySource.h"
#include "skydraw/PrintMapping.h"
#include "skydraw/PrintPageText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStaticText>

#include <utility>

namespace {

// The chart sits this far below the page's top, under the header.
constexpr double kHeaderDrop = 24.0;
// Wider fields are drawn as the all-sky circle.
constexpr double kAllSkyAngle = 183.0;

using PrintPageText::dateLine;
using PrintPageText::kTitle;
using PrintPageText::textFont;
using PrintPageText::titleFont;

void drawText(ChartCanvas& canvas, QPointF lowerLeft, const QString& text)
{
    const QFontMetricsF metrics(canvas.painter().font());
    canvas.drawLabel(lowerLeft, QStaticText(text), metrics.ascent() + metrics.descent());
}

}  // namespace

PrintSkyView::PrintSkyView(const Links& links, QString imagesDirectory)
    : m_prefs(links.prefs),
      m_skyDate(links.skyDate),
      m_frame(links.frame),
      m_source(links.source),
      m_imagesDirectory(std::move(imagesDirectory))
{
}

const ChartFrame::PrintSymbols& PrintSkyView::symbols()
{
    // Read at the first page, not at every start.
    if (!m_isSymbolsLoaded) {
        auto load = [&](const char* name) { return ImageFile::image(m_imagesDirectory + QString::fromLatin1(name)); };
        m_symbols.deepSky = {load("GalaxyP.png"), load("GlobulaClusterP.png"), load("NebulaP.png"),
                             load("OpenClusterP.png")};
        m_symbols.smallBodies = {load("CometP.png"), load("MinorPlanetP.png"), load("NEOP.png"),
                                 load("AstOrbP.png")};
        m_isSymbolsLoaded = true;
    }
    return m_symbols;
}

QRectF PrintSkyView::chartRect(const QRectF& screen) const
{
    const QRectF& p = m_pageRect;
    if (screen.width() <= 0.0 || screen.height() <= 0.0 || p.width() <= 0.0 || p.height() <= 0.0)
        return {};
    double width = p.width();
    double height = p.width() * screen.height() / screen.width();
    if (height > p.height()) {
        height = p.height();
        width = p.height() * screen.width() / screen.height();
    }
    return QRectF(p.x(), p.y() + p.height() - height - kHeaderDrop, width, height);
}

void PrintSkyView::drawRect(QPainter& painter, double paperHeight)
{
    const QRectF& page = m_pageRect;
    painter.setPen(Qt::black);
    {
        ChartCanvas canvas(painter, paperHeight);
        painter.setFont(titleFont());
        drawText(canvas, {page.x() + 5.0, page.y() + page.height() - 20.0}, kTitle);
        painter.setFont(textFont());
        drawText(canvas, {page.x() + 125.0, page.y() + page.height() - 18.0}, dateLine(m_skyDate.skyDate()));
    }

    const QRectF screen = m_prefs.skyViewRect();
    const QRectF q = chartRect(screen);
    if (q.isEmpty())
        return;
    const double s = q.width() / screen.width();

    // The layers are clipped to the chart, and to its circle in the all-sky view.
    QPainterPath clip;
    clip.addRect(q);
    const double viewAngle = m_prefs.viewAngle() == 0.0 ? 120.0 : m_prefs.viewAngle();
    if (viewAngle > kAllSkyAngle) {
        const double d = q.height() - 40.0 * s;
        QPainterPath circle;
        circle.addEllipse(QRectF(q.x() + q.width() / 2.0 - d / 2.0, q.y() + 20.0 * s, d, d));
        clip = clip.intersected(circle);
    }
    painter.save();
    painter.setClipPath(QTransform(1.0, 0.0, 0.0, -1.0, 0.0, paperHeight).map(clip), Qt::IntersectClip);
    if (m_source) {
        ChartCanvas canvas(painter, paperHeight);
        m_frame.print(canvas, m_source->chartSky(), PrintMapping{s, q.x() - screen.x(), q.y() - screen.y()},
                      symbols());
    }
    painter.restore();

    ChartCanvas canvas(painter, paperHeight);
    QPainterPath frame;
    frame.addRect(q);
    canvas.strokePath(frame, QPen(Qt::black, 1.0));
    painter.setPen(Qt::black);
    painter.setFont(textFont());
    const double left = page.x() + 5.0;
    const double right = left + q.width() / 2.0;
    struct Line {
        QPointF at;
        QString text;
        bool always;
    };
    const Line lines[] = {
        {{left, q.y() - 22.0}, m_skyDate.AltAzAngleString(), false},
        {{left, q.y() - 38.0}, m_skyDate.longitudeString(), false},
        {{left, q.y() - 54.0}, m_skyDate.latitudeString(), false},
        {{right, q.y() - 22.0}, m_skyDate.julianString(), false},
        {{right, q.y() - 38.0}, m_skyDate.GMTString(), true},
        {{right, q.y() - 54.0}, m_skyDate.lstString(), false},
    };
    for (const Line& line : lines)
        if (line.always || page.contains(line.at))
            drawText(canvas, line.at, line.text);
}
