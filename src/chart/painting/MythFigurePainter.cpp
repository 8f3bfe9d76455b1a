#include "chart/painting/MythFigurePainter.h"

#include "model/Angles.h"
#include "model/projection/ViewScale.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Row = MythFigurePainter::Row;
using Images = ChartImageSet;

constexpr std::array<Row, ChartImageSet::kNumFigures> kRows = {{
    {0, Images::kAndromeda, 1.1f, 2.687807048071268},
    {3, Images::kAquarius, 1.23f, -1.9181168479417687},
    {7, Images::kAuriga, 0.97f, -1.570796326794897},
    {8, Images::kBootes, 1.15f, -1.1344640137963145},
    {11, Images::kCancer, 0.95f, -1.2566370614359175},
    {13, Images::kCanis, 0.95f, -1.4486232791552938},
    {17, Images::kCassiopeia, 0.6f, 2.7052603405912112},
    {26, Images::kCorona, 0.75f, -1.570796326794897},
    {27, Images::kCorvus, 1.0f, -2.059488517353309},
    {37, Images::kGemini, 1.0f, -1.4311699866353504},
    {39, Images::kHercules, 1.25f, 1.6580627893946134},
    {45, Images::kLeo, 1.0f, -1.169370598836201},
    {51, Images::kLyra, 0.8f, -1.74532925199433},
    {58, Images::kSerpens, 1.41f, -1.4844025288211775},  // Ophiuchus with the serpent
    {59, Images::kOrion, 1.0f, -1.6231562043547267},
    {61, Images::kPegasus, 1.0f, 1.64060949687467},
    {62, Images::kPerseus, 1.0f, -1.867502299633933},
    {71, Images::kSagittarius, 0.95f, -1.7366026057343582},
    {72, Images::kScorpius, 1.0f, -1.3966124674458626},
    {78, Images::kTaurus, 1.06f, -0.1396263401595464},
    {83, Images::kUrsaMajor, 1.22f, -1.0489428804485923},
    {86, Images::kVirgo, 1.25f, -2.7227136331111548},
}};

// The chart points per image pixel for a size factor of 1 and a chart
// distance of 1 between the label point and the point 2° north of it.
constexpr double kChartFactor = 0.02646087;
constexpr double kNorthStep = 0.0349065850398866;  // 2°
constexpr int kAllFiguresSwitch = 89;

FloatPoint chartPointOf(double ra, double dec, const ChartSky& sky)
{
    double az = 0.0;
    double alt = 0.0;
    SkyCoordinates::CalculateAzFromRA(ra, dec, sky.site, &az, &alt);
    return SkyCoordinates::CalculateAzPoint(az, alt, sky.view);
}

}  // namespace

const Row* MythFigurePainter::rowOf(int label)
{
    const auto it = std::find_if(kRows.begin(), kRows.end(), [label](const Row& r) { return r.label == label; });
    return it == kRows.end() ? nullptr : &*it;
}

bool MythFigurePainter::isSwitchOn(const QStringList& mythArray, int i)
{
    return i >= 0 && i < mythArray.size() && mythArray[i] == QLatin1StringView("YES");
}

std::optional<MythFigurePainter::Placement> MythFigurePainter::place(int labelIndex, const conLocn& label,
                                                                     QSizeF imageSize, const ChartSky& sky)
{
    const Row* row = rowOf(labelIndex);
    if (row == nullptr)
        return std::nullopt;
    // The label's direction; atan2 stays defined at the poles.
    const double dec = std::asin(std::clamp(label.vecZ, -1.0, 1.0));
    const double ra = Angles::wrapTwoPi(std::atan2(label.vecY, label.vecX));
    const FloatPoint north = chartPointOf(ra, dec + kNorthStep, sky);
    const QPointF p(label.screenPt.x, label.screenPt.y);
    const double dx = double(north.x) - p.x();
    const double dy = double(north.y) - p.y();
    const double scale = kChartFactor * double(row->sizeFactor) * std::hypot(dx, dy);
    if (!(scale > 0.0) || !std::isfinite(scale))
        return std::nullopt;
    const double w = imageSize.width() * scale;
    const double h = imageSize.height() * scale;
    QTransform turn;
    turn.translate(p.x(), p.y());
    turn.rotateRadians(row->turnOffset + std::atan2(dy, dx));
    turn.translate(-p.x(), -p.y());
    return Placement{QRectF(p.x() - w / 2.0, p.y() - h / 2.0, w, h), turn};
}

void MythFigurePainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    draw(canvas, sky, nullptr);
    m_turned.endFrame();
}

void MythFigurePainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    draw(canvas, sky, &mapping);
}

void MythFigurePainter::draw(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping* paper)
{
    const double viewAngle = m_prefs.viewAngle() == 0.0 ? ViewScale::kDefaultViewAngle : m_prefs.viewAngle();
    if (!m_prefs.isMyth() || viewAngle > ViewScale::kAllSkyAngle)
        return;
    const QStringList& switches = m_prefs.mythArray();
    const bool isAll = isSwitchOn(switches, kAllFiguresSwitch);
    // The figures are large and turned: smooth sampling keeps their lines even.
    canvas.painter().setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (std::size_t i = 0; i < sky.conLocns.size(); ++i) {
        const conLocn& label = sky.conLocns[i];
        if ((!isAll && !isSwitchOn(switches, int(i))) || label.visible == 0)
            continue;
        const Row* row = rowOf(int(i));
        if (row == nullptr)
            continue;
        const QImage& image = m_images.figure(row->figure);
        if (image.isNull())
            continue;
        const std::optional<Placement> placed = place(int(i), label, image.size(), sky);
        if (!placed)
            continue;
        // On paper the screen placement is carried onto the page whole: the
        // centre to the mapped label point, the size scaled with the chart.
        if (paper != nullptr)
            canvas.drawImage(placed->transform * paper->transform(), placed->rect, image,
                             m_images.figureTiles(row->figure));
        else
            m_turned.draw(canvas, row->figure, placed->transform, placed->rect, image,
                          m_images.figureTiles(row->figure), m_images.figureAlpha(row->figure));
    }
}
