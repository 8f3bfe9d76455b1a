#include "scopeview/PrintSVView.h"

#include "scopeview/SVConeSearch.h"
#include "scopeview/SVConeSearchLayer.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVFrameLayers.h"
#include "scopeview/SVOrientation.h"
#include "scopeview/SVReadouts.h"
#include "scopeview/SVSkyObjectLayers.h"
#include "scopeview/SVSolarSystemLayers.h"
#include "scopeview/SVView.h"

#include "model/Angles.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/projection/PrecessionMatrix.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/ImageFile.h"
#include "skydraw/ChartSky.h"
#include "skydraw/ChartSkySource.h"
#include "skydraw/PrintPageText.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <span>
#include <utility>
#include <vector>

namespace {

using Symbol = ChartImageSet::Symbol;

constexpr double kMargin = 5.0;
constexpr double kHeaderDrop = 24.0;
constexpr double kTitleDrop = 20.0;
constexpr double kDateDrop = 18.0;
constexpr double kDateLeft = 125.0;
constexpr double kLandscapeShortening = 100.0;
constexpr double kParticularsDrop = 22.0;
constexpr double kLineStep = 16.0;
constexpr int kCameraAngleSize = 14;
constexpr int kGridLabelSize = 9;
constexpr int kCameraAngleLabel = SVDrawPass::kCameraAngleLabel;
const QPointF kCameraAngleShift(20.0, 10.0);

// Deep stars on paper: a dot by brightness (mag - 12.5) x bright + 12.5.
int deepStarDot(float mag, double starBrightVal)
{
    const double v = (mag - 12.5) * starBrightVal + 12.5;
    return v >= 10.0 ? 1 : v >= 8.0 ? 3 : 5;
}

TextAttributes black(const QFont& font) { return {font, Qt::black}; }

}  // namespace

PrintSVView::PrintSVView(SVView& view, PrefControl& prefs, const SkyDateModel& skyDate, QString imagesDirectory)
    : m_view(view), m_prefs(prefs), m_skyDate(skyDate), m_imagesDirectory(std::move(imagesDirectory))
{
}

const SVLayerContext::PrintSymbols& PrintSVView::symbols()
{
    // Read at the first page, not at every start.
    if (m_isSymbolsLoaded)
        return m_symbols;
    const auto load = [&](Symbol s, const char* name) {
        m_symbols[std::size_t(s)] = ImageFile::image(m_imagesDirectory + QLatin1String(name));
    };
    load(Symbol::Galaxy, "GalaxyP.png");
    load(Symbol::GlobularCluster, "GlobulaClusterP.png");
    load(Symbol::Nebula, "NebulaP.png");
    load(Symbol::OpenCluster, "OpenClusterP.png");
    load(Symbol::Comet, "CometP.png");
    load(Symbol::MinorPlanet, "MinorPlanetP.png");
    load(Symbol::NEO, "NEOP.png");
    load(Symbol::AstOrb, "AstOrbP.png");
    m_symbols[std::size_t(Symbol::AstOrbYellow)] = m_symbols[std::size_t(Symbol::AstOrb)];
    m_isSymbolsLoaded = true;
    return m_symbols;
}

double PrintSVView::frameSide(const QRectF& page)
{
    return page.width() > page.height() ? page.height() - kLandscapeShortening : page.width();
}

void PrintSVView::printPage(QPainter& painter, const QRectF& page)
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(PrintPageText::titleFont());
    painter.drawText(QPointF(page.x() + kMargin, page.top() + kTitleDrop), PrintPageText::kTitle);
    painter.setFont(PrintPageText::textFont());
    painter.drawText(QPointF(page.x() + kDateLeft, page.top() + kDateDrop),
                     PrintPageText::dateLine(m_skyDate.skyDate()));

    const double s = frameSide(page);
    const QRectF frame(page.x(), page.top() + kHeaderDrop, s, s);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.strokePath([&] { QPainterPath p; p.addRect(frame); return p; }(), QPen(Qt::black, 1.0));
    const double screenWidth = m_view.svRect().width();
    if (m_view.state().isTracking() && m_view.projection() && screenWidth > 0.0 && s > 0.0)
        drawField(painter, frame, s / screenWidth);
    drawParticulars(painter, page, frame);
    painter.restore();
}

void PrintSVView::drawField(QPainter& painter, const QRectF& frame, double scale)
{
    const SVAngles& screen = m_view.angles();
    const double d = 2.0 * scale * screen.svDiag / (std::cos(screen.svAngle) + 1.0);
    QPainterPath circle;
    circle.addEllipse(frame.center(), d / 2.0, d / 2.0);
    painter.strokePath(circle, QPen(Qt::black, 1.0));

    const PrefStyles& styles = m_prefs;
    m_labelAttributes = {black(styles.deepSkyPrintFont()), black(styles.starPrintFont()),
                         black(styles.cometPrintFont()),   black(styles.nomadMagFont()),
                         black(QFont("Geneva", kGridLabelSize)), black(styles.pathLabelFont()),
                         black(styles.planetPrintFont()),  std::nullopt,
                         std::nullopt,                     black(styles.planetPrintFont())};

    SVAngles a = screen;
    a.svRadius *= scale;
    a.svDiag *= scale;
    a.svOffset = float(a.svOffset * scale);
    const SVViewState& state = m_view.state();
    // Turned as the screen's last pass was.
    SVOrientation orientation = SVOrientation::flipsOf(m_prefs);
    orientation.qP = m_view.qP();
    const SVProjection projection = m_view.projection()->scaled(a);
    const ChartSky sky = m_view.m_skySource ? m_view.m_skySource->chartSky() : ChartSky{};
    const double T = PrecessionMatrix::julianCenturies(m_skyDate.julianDay());
    const QRectF bounds(0.0, 0.0, frame.width(), frame.height());
    std::vector<svLabel> labels;
    const TextAttributes unused;

    painter.save();
    painter.setClipPath(circle);
    painter.translate(frame.topLeft());
    SVDrawPass pass(painter, bounds, a, orientation, labels, m_prefs, unused);
    pass.setPrintAttributes(&m_labelAttributes);
    pass.begin();
    const SVLayerContext c{pass,  pass.canvas(), projection, a, sky, m_prefs, nullptr, false, m_prefs.findIndex(),
                           scale, &symbols()};
    if (m_view.m_photos)
        SVSkyObjectLayers::drawDeepSky(c, *m_view.m_photos, m_view.m_model.photoDirectory());
    const bool hasNomad = m_view.m_nomad && m_view.m_nomad->hasNomadData();
    SVConeSearchLayer::Options nomad;
    if (m_drawer)
        nomad = {m_drawer->isNomadStar(), m_drawer->isNomadShowMag(), m_drawer->isNomadGrid()};
    if (!(hasNomad && nomad.isNomadStar)) {
        QPainterPath deepStars;
        for (const ht2Star& h : m_view.ht2Stars()) {
            const int dot = deepStarDot(h.mag, m_prefs.starBrightVal());
            const double back = (dot - 1) / 2.0;
            deepStars.addEllipse(h.point.x * scale - back, h.point.y * scale - back, dot, dot);
        }
        c.canvas.fillPath(deepStars, Qt::black);
    }
    SVSkyObjectLayers::drawStars(c, T);
    if (hasNomad) {
        // A copy takes the page's points: the screen's stay for its clicks.
        const std::span<const nomadData> screenStars = m_view.m_nomad->nomadStars();
        std::vector<nomadData> pageStars(screenStars.begin(), screenStars.end());
        SVConeSearchLayer::drawStars(c, pageStars, nomad);
        if (nomad.isNomadGrid)
            SVConeSearchLayer::drawGrid(c, screen.svAngle * 2.0 * Angles::kRadToDeg, state.trackRAPlus(),
                                        state.trackDecPlus());
    }
    SVSkyObjectLayers::drawLookupStar(c, T);
    SVSolarSystemLayers::drawPath(c);
    SVSolarSystemLayers::drawComets(c);
    SVSolarSystemLayers::drawMinorPlanets(c);
    SVDiscPainter discs(c, {m_view.m_discSource, nullptr, QString()}, m_discs);
    SVSolarSystemLayers::drawPlanets(c, &discs);
    SVFrameLayers::drawCameraFrame(c, state, bounds);
    pass.finish();
    painter.restore();

    // The camera's angle stands in the frame's corner, outside the circle.
    for (auto label = labels.rbegin(); label != labels.rend(); ++label) {
        if (label->kind != kCameraAngleLabel)
            continue;
        painter.setFont(QFont("Geneva", kCameraAngleSize));
        painter.drawText(QPointF(frame.left() + label->point.x() + kCameraAngleShift.x(),
                                 frame.bottom() - label->point.y() - kCameraAngleShift.y()),
                         label->text);
        painter.setFont(PrintPageText::textFont());
        break;
    }
}

void PrintSVView::drawParticulars(QPainter& painter, const QRectF& page, const QRectF& frame)
{
    const SVViewState& state = m_view.state();
    const double power = m_drawer ? m_drawer->power() : 0.0;
    const double fov = m_drawer ? m_drawer->fov() : 0.0;
    QStringList left{"RA: " + SVReadouts::rightAscension(state.trackRAPlus() / 15.0) + "  Dec: "
                         + SVReadouts::declination(state.trackDecPlus()),
                     "Power: " + SVReadouts::power(power) + "  FOV: " + SVReadouts::fov(fov)};
    const int current = m_prefs.currentScope();
    if (current >= 0 && current < m_prefs.scopeNamesArray().size()) {
        QString line = m_prefs.scopeNamesArray()[current];
        if (m_prefs.currentEyepiece() >= 0 && m_drawer)
            line += QString::asprintf(" Eyepiece: %.1fmm", m_drawer->eyeFL());
        left << line;
    }
    const double top = frame.bottom() + kParticularsDrop;
    for (int i = 0; i < left.size(); ++i) {
        const QPointF at(page.x() + kMargin, top + i * kLineStep);
        if (page.contains(at))
            painter.drawText(at, left[i]);
    }
    const QStringList right{m_skyDate.julianString(), m_skyDate.GMTString(), m_skyDate.lstString()};
    for (int i = 0; i < right.size(); ++i) {
        const QPointF at(page.x() + kMargin + frame.width() / 2.0, top + i * kLineStep);
        // The Greenwich time is written wherever it falls.
        if (i == 1 || page.contains(at))
            painter.drawText(at, right[i]);
    }
}
