#include "find/panels/TonightView.h"

#include "find/FindObjectsMatch.h"
#include "find/NightPlace.h"
#include "find/tours/TourFile.h"
#include "find/tours/TourFinder.h"
#include "model/SkyCoordinates.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "platform/AppTimeZone.h"

#include <QFileInfo>
#include <QLineF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kPointsPerHour = 100.0;
constexpr double kMidnightX = 1200.0;
constexpr double kSampleStep = 50.0;
constexpr double kPointsPerDegree = 4.6;
// The hour angle's advance in half an hour of the clock.
constexpr double kHalfHourRadians = PlaceEvents::kSiderealDegreesPerDay / 48.0 * kRadiansPerDegree;
constexpr double kSamplesPerDay = 48.0;
constexpr double kPointsPerDay = 24.0 * kPointsPerHour;
constexpr qint64 kMsecsPerPoint = 36000;
// A stroke joins samples closer than this.
constexpr double kJoinDistance = 100.0;
constexpr double kMistHeight = 69.0;
constexpr double kCrossArm = 10.0;
constexpr double kVisibleWidth = 800.0;
constexpr int kNoonHour = 13;
const QColor kTwilightLight = QColor::fromRgbF(0.75f, 0.75f, 1.0f);
const QColor kNowColor = QColor::fromRgbF(0.75f, 0.0f, 0.25f, 0.75f);
const QColor kReadoutColor = QColor::fromRgbF(0.0f, 0.55f, 0.0f);
const QString kNone = QStringLiteral("None");
// The altitude scale: a tick and a label every 10 degrees, in the hour ruler's line width and label size,
// grey to read over daylight and night alike.
constexpr int kScaleStep = 10;
constexpr int kScaleTop = 90;
constexpr double kScaleTick = 10.0;
constexpr double kScaleLineWidth = 0.5;
constexpr int kScaleLabelSize = 9;
const QColor kScaleColor = QColor::fromRgbF(0.6f, 0.6f, 0.6f);
// Labels keep this far apart, so two names side by side do not read as one.
constexpr double kLabelGap = 3.0;

// The chart x of a moment given in days from the night's midnight.
std::optional<double> xOfDay(std::optional<double> day)
{
    if (!day)
        return std::nullopt;
    return kMidnightX + *day * kPointsPerDay;
}

// The bands' colour at each chart x, from the twilight colour in daylight to black in darkness.
QImage bandRow(const TwilightBands& bands)
{
    QImage row(TonightView::kWidth, 1, QImage::Format_RGB32);
    for (int x = 0; x < row.width(); ++x) {
        const float light = float(1.0 - bands.darknessAt((x + 0.5 - kMidnightX) / kPointsPerDay));
        row.setPixelColor(x, 0, QColor::fromRgbF(kTwilightLight.redF() * light, kTwilightLight.greenF() * light,
                                                 kTwilightLight.blueF() * light));
    }
    return row;
}

QString titleOf(const QString& path)
{
    const QFileInfo info(path);
    return info.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0 ? info.completeBaseName()
                                                                                 : info.fileName();
}

// Chart y (upward) to widget y.
double top(double y) { return TonightView::kHeight - y; }

// A label's place: where it was wanted, inside the bounds, or else the
// nearest place above or below that covers none of the labels already taken.
// With none free it keeps the wanted place.
QRectF placeLabel(QRectF wanted, const QRectF& bounds, const std::vector<TonightView::PlacedLabel>& taken)
{
    wanted.moveLeft(std::max(bounds.left(), std::min(wanted.left(), bounds.right() - wanted.width())));
    wanted.moveTop(std::max(bounds.top(), std::min(wanted.top(), bounds.bottom() - wanted.height())));
    const auto isFree = [&](const QRectF& r) {
        const QRectF apart = r.adjusted(-kLabelGap, -kLabelGap, kLabelGap, kLabelGap);
        return bounds.contains(r)
               && std::none_of(taken.begin(), taken.end(), [&apart](const auto& l) { return l.rect.intersects(apart); });
    };
    const double step = wanted.height() + 2.0 * kLabelGap;
    for (double shift = 0.0; shift < bounds.height(); shift += step)
        for (const double sign : {-1.0, 1.0})
            if (const QRectF r = wanted.translated(0.0, sign * shift); isFree(r))
                return r;
    return wanted;
}

}  // namespace

// The strokes and labels of one colour. The strokes go to the painter as
// separate segments: a wide anti-aliased polyline is stroked as one outline,
// which costs the rasteriser some ten times more than its segments do, and
// all curves as one path some fifty times more.
struct TonightView::Curve {
    std::vector<QLineF> segments;
    struct Label {
        QPointF at;
        QString name;
    };
    std::vector<Label> labels;
};

TonightView::TonightView(Links links, QWidget* parent) : QWidget(parent), m_links(std::move(links))
{
    setFixedSize(kWidth, kHeight);
    for (Tour& tour : m_tours)
        tour.name = kNone;
    // Until a night is set, the one around today's midnight.
    m_nightDate = QDateTime(AppTimeZone::now().date(), QTime(0, 0), AppTimeZone::zone());
    m_nightJulianDay = SkyDateModel::julianDayOf(m_nightDate);
}

void TonightView::tonightDate()
{
    m_latitude = m_links.prefs.latitude() * kRadiansPerDegree;
    m_longitude = m_links.prefs.longitude();
    const QTimeZone zone = AppTimeZone::zone();
    const QDateTime chart = (m_links.skyDate ? m_links.skyDate() : AppTimeZone::now()).toTimeZone(zone);
    QDate date = chart.date();
    if (chart.time().hour() >= kNoonHour)
        date = date.addDays(1);
    m_nightDate = QDateTime(date, QTime(0, 0), zone);
    forgetCurves();
    calculateDate();
}

void TonightView::calculateDate()
{
    m_nightJulianDay = SkyDateModel::julianDayOf(m_nightDate);
    double lst = std::fmod(SkyDateModel::greenwichSiderealHours(m_nightJulianDay) + m_longitude / 15.0, 24.0);
    if (lst < 0.0)
        lst += 24.0;
    m_nightMeridian = lst * 15.0 * kRadiansPerDegree;

    // The bands follow the Sun's altitude itself: at high latitudes a night
    // may have darkness without a sunset, or only some of the four edges.
    const PlaceEvents::Site site{m_latitude / kRadiansPerDegree, m_longitude};
    const NightPlace sun(BodyNumber::kSun, m_nightJulianDay, site);
    const double depth = 90.0 - (m_isAstroTwilight ? kAstronomicalZenith : kCivilZenith);
    m_bands = TwilightBands([&sun](double jd) { return sun.at(jd); }, site, m_nightJulianDay, depth);
    m_bandRow = bandRow(m_bands);
}

std::optional<double> TonightView::sunSet0() const { return xOfDay(m_bands.sunset()); }
std::optional<double> TonightView::sunSet1() const { return xOfDay(m_bands.dusk()); }
std::optional<double> TonightView::sunRise0() const { return xOfDay(m_bands.dawn()); }
std::optional<double> TonightView::sunRise1() const { return xOfDay(m_bands.sunrise()); }

void TonightView::forgetCurves()
{
    for (std::optional<AltitudeCurve>& curve : m_bodyCurves)
        curve.reset();
}

double TonightView::xOf(const QDateTime& moment) const
{
    return kMidnightX + double(m_nightDate.msecsTo(moment)) / kMsecsPerPoint;
}

QDateTime TonightView::momentAt(double x) const
{
    return m_nightDate.addMSecs(std::llround((x - kMidnightX) * kMsecsPerPoint)).toTimeZone(AppTimeZone::zone());
}

QString TonightView::hourLabel(int hours) const
{
    const QTime clock = momentAt(kMidnightX + hours * kPointsPerHour).time();
    return clock.minute() == 0 ? QStringLiteral("%1:00").arg(clock.hour())
                               : QString::asprintf("%d:%.2d", clock.hour(), clock.minute());
}

double TonightView::CalculateAzFromRA(double k, double ra, double dec) const
{
    double hour = m_nightMeridian + k * kHalfHourRadians;
    if (hour >= 2.0 * kPi)
        hour -= 2.0 * kPi;
    double az = 0.0;
    double alt = 0.0;
    SkyCoordinates::CalculateAzFromRA(ra, dec, {m_latitude, hour}, &az, &alt);
    return kGround + alt * kPointsPerRadian;
}

float TonightView::currentTime() const
{
    const QDateTime chart = (m_links.skyDate ? m_links.skyDate() : AppTimeZone::now()).toTimeZone(AppTimeZone::zone());
    const QTime t = chart.time();
    return float(t.hour() + t.minute() / 60.0 + t.second() / 3600.0);
}

bool TonightView::isSwitchOn(int tag) const
{
    if (tag >= kSunTag && tag <= kMoonTag)
        return m_bodies[tag];
    switch (tag) {
    case kTwilightTag:
        return m_isTwilight;
    case kMistTag:
        return m_isMist;
    case kTour1Tag:
        return m_tours[0].on;
    case kTour2Tag:
        return m_tours[1].on;
    default:
        return false;
    }
}

void TonightView::tonightAction(int tag, bool on, bool optionHeld)
{
    if (tag >= kSunTag && tag <= kMoonTag) {
        m_bodies[tag] = on;
    } else if (tag == kTwilightTag) {
        m_isTwilight = on;
        if (on) {
            m_isAstroTwilight = !optionHeld;
            calculateDate();
        }
    } else if (tag == kMistTag) {
        m_isMist = on;
    } else if (tag == kTour1Tag || tag == kTour2Tag) {
        switchTour(tag == kTour1Tag ? 1 : 2, on);
    } else if (tag == kOpenTour1Tag || tag == kOpenTour2Tag) {
        openTour(tag == kOpenTour1Tag ? 1 : 2);
    }
    update();
}

void TonightView::switchTour(int n, bool on)
{
    Tour& tour = m_tours[n - 1];
    tour.on = on;
    if (on && tour.lines.isEmpty() && !openTour(n)) {
        tour.on = false;
        tour.name = kNone;
        emit switchesChanged();
    }
}

bool TonightView::openTour(int n)
{
    const QString path = m_links.chooseTourFile ? m_links.chooseTourFile() : QString();
    const bool read = !path.isEmpty() && openTourFile(path, n);
    m_tours[n - 1].name = read && !m_tours[n - 1].lines.isEmpty() ? titleOf(path) : kNone;
    emit switchesChanged();
    return read;
}

bool TonightView::openTourFile(const QString& path, int n)
{
    const std::optional<QString> text = TourFile::readText(path);
    if (!text) {
        AlertPanel::runAlert(QStringLiteral("Can not open file:"), path);
        return false;
    }
    m_tours[n - 1].lines = TourFile::splitLines(*text);
    update();
    return true;
}

void TonightView::clickAt(QPointF chartPoint)
{
    m_clickPt = chartPoint.y() <= kGround ? QPointF() : chartPoint;
    update();
    emit rulerNeedsDisplay();
}

QString TonightView::readoutText() const
{
    if (m_clickPt.isNull())
        return {};
    const QTime clock = momentAt(m_clickPt.x()).time();
    const double altitude = (m_clickPt.y() - kGround) / kPointsPerDegree;
    return QString::asprintf("Time: %.2d:%.2d  Altitude: %.1f\u00b0", clock.hour(), clock.minute(), altitude);
}

void TonightView::mousePressEvent(QMouseEvent* event)
{
    clickAt(QPointF(event->position().x(), top(event->position().y())));
}

void TonightView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawChart(painter);
}

void TonightView::drawChart(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, kWidth, kHeight), Qt::black);
    m_placedLabels.clear();
    if (m_isTwilight)
        drawTwilight(painter);
    if (m_isMist)
        drawMist(painter);
    const double nowX = this->nowX();
    painter.setPen(QPen(kNowColor, 1.0));
    painter.drawLine(QPointF(nowX, top(28)), QPointF(nowX, top(460)));
    drawBodies(painter);
    const PrefControl& prefs = m_links.prefs;
    const bool first = drawTour(painter, m_tours[0], {prefs.deepSkyNameAttributes().font, prefs.deepSkyNameColor()});
    const bool second = drawTour(painter, m_tours[1], {prefs.cometNameAttributes().font, prefs.cometNameColor()});
    // Resolving a tour's lines changes the find selection; a drawing from
    // the kept places leaves it as resolving would have.
    if (second)
        m_tours[1].positions.reselect();
    else if (first)
        m_tours[0].positions.reselect();
    painter.fillRect(QRectF(0, top(kGround), kWidth, kGround), prefs.horizonColor());
    drawAltitudeScale(painter);
    if (!m_clickPt.isNull())
        drawReadout(painter);
}

void TonightView::drawTwilight(QPainter& painter) const
{
    if (!m_bands.isDark()) {
        painter.fillRect(QRectF(0, 0, kWidth, kHeight), kTwilightLight);
        return;
    }
    // One row of the bands, a pixel for each point of the chart, stretched over its height.
    painter.drawImage(QRectF(0, 0, kWidth, kHeight), m_bandRow);
}

void TonightView::drawMist(QPainter& painter) const
{
    const bool edges = m_isTwilight && m_bands.isDark();
    const double left = edges ? sunSet1().value_or(0.0) : 0.0;
    const double right = edges ? sunRise0().value_or(kWidth) : kWidth;
    QLinearGradient mist(QPointF(0, top(kGround)), QPointF(0, top(kGround + kMistHeight)));
    mist.setColorAt(0, QColor::fromRgbF(0.72f, 0.6f, 0.96f, 0.5f));
    mist.setColorAt(1, QColor::fromRgbF(0, 0, 0, 0.5f));
    painter.fillRect(QRectF(left, top(kGround + kMistHeight), std::max(0.0, right - left), kMistHeight), mist);
}

double TonightView::nowX() const
{
    const QDateTime chart = m_links.skyDate ? m_links.skyDate() : AppTimeZone::now();
    const double x = xOf(chart);
    if (x >= 0.0 && x <= kWidth)
        return x;
    // A chart date outside the night shown: its clock time.
    const double now = currentTime();
    return (now >= 12.0 ? now - 12.0 : now + 12.0) * kPointsPerHour;
}

TonightView::AltitudeCurve TonightView::altitudeCurve(double ra, double dec) const
{
    return sampleCurve([ra, dec](int) { return PlaceEvents::SkyPlace{ra, dec}; });
}

const TonightView::AltitudeCurve& TonightView::bodyCurve(int body) const
{
    std::optional<AltitudeCurve>& curve = m_bodyCurves.at(std::size_t(body));
    if (!curve) {
        const NightPlace place(body, m_nightJulianDay, {m_latitude / kRadiansPerDegree, m_longitude});
        curve = sampleCurve([&](int k) { return place.at(m_nightJulianDay + k / kSamplesPerDay); });
    }
    return *curve;
}

TonightView::AltitudeCurve TonightView::sampleCurve(const std::function<PlaceEvents::SkyPlace(int k)>& placeAt) const
{
    AltitudeCurve curve;
    bool inStroke = false;
    double lastX = 0.0;
    for (int k = -kHalfHours; k <= kHalfHours; ++k) {
        const double x = kMidnightX + kSampleStep * k;
        const PlaceEvents::SkyPlace place = placeAt(k);
        const double y = CalculateAzFromRA(k, place.ra, place.dec);
        if (y < 0.0) {
            inStroke = false;
            continue;
        }
        if (inStroke && x - lastX < kJoinDistance)
            curve.path.lineTo(x, top(y));
        else
            curve.path.moveTo(x, top(y));
        inStroke = true;
        lastX = x;
        if (y > curve.highest.y())
            curve.highest = QPointF(x, y);
    }
    return curve;
}

void TonightView::addCurve(Curve& curve, const AltitudeCurve& body, const QString& name)
{
    for (int k = 1; k < body.path.elementCount(); ++k)
        if (body.path.elementAt(k).isLineTo())
            curve.segments.emplace_back(QPointF(body.path.elementAt(k - 1)), QPointF(body.path.elementAt(k)));
    if (body.highest.y() > 0.0)
        curve.labels.push_back({QPointF(body.highest.x() - 5.0, body.highest.y() + 1.0), name});
}

void TonightView::stroke(QPainter& painter, StrokeLayer& layer, const Curve& curve, const TextAttributes& label)
{
    const QPen pen(label.color, 1.5);
    layer.draw(painter, curve.segments, pen, QSize(kWidth, kHeight));
    painter.setPen(pen);
    painter.setFont(label.font);
    const QFontMetricsF metrics(label.font);
    const QRectF above(0.0, 0.0, kWidth, top(kGround));
    for (const Curve::Label& l : curve.labels) {
        const QRectF wanted(l.at.x(), top(l.at.y()) - metrics.height(), metrics.horizontalAdvance(l.name),
                            metrics.height());
        const QRectF at = placeLabel(wanted, above, m_placedLabels);
        painter.drawText(QPointF(at.left(), at.bottom() - metrics.descent()), l.name);
        m_placedLabels.push_back({l.name, at});
    }
}

double TonightView::visibleLeft() const
{
    const double scroll = m_links.scrollerValue ? m_links.scrollerValue() : 0.0;
    return scroll * (kWidth - kVisibleWidth);
}

void TonightView::drawAltitudeScale(QPainter& painter) const
{
    QFont font = painter.font();
    font.setPointSize(kScaleLabelSize);
    painter.setFont(font);
    painter.setPen(QPen(kScaleColor, kScaleLineWidth));
    const QFontMetricsF metrics(font);
    const double left = visibleLeft();
    for (int degrees = 0; degrees <= kScaleTop; degrees += kScaleStep) {
        const double y = top(kGround + degrees * kPointsPerDegree);
        painter.drawLine(QPointF(left, y), QPointF(left + kScaleTick, y));
        // Over its tick, clear of the readout under the 0 degree line.
        painter.drawText(QPointF(left + 2.0, y - 1.0 - metrics.descent()), QStringLiteral("%1\u00b0").arg(degrees));
    }
}

void TonightView::drawBodies(QPainter& painter)
{
    Curve curve;
    for (std::size_t k = 0; k < m_bodies.size(); ++k)
        if (m_bodies[k])
            addCurve(curve, bodyCurve(int(k)), QLatin1String(FindNaming::kPlanetNames[k]));
    const PrefControl& prefs = m_links.prefs;
    stroke(painter, m_bodyStrokes, curve, {prefs.planetNameAttributes().font, prefs.planetNameColor()});
}

bool TonightView::drawTour(QPainter& painter, Tour& tour, const TextAttributes& label)
{
    if (!tour.on || tour.lines.isEmpty())
        return false;
    Curve curve;
    for (const TourPositions::Target& target :
         tour.positions.targets({tour.lines, m_nightDate, m_latitude, m_longitude}))
        addCurve(curve, altitudeCurve(target.ra, target.dec), target.name);
    stroke(painter, tour.strokes, curve, label);
    return true;
}

void TonightView::drawReadout(QPainter& painter) const
{
    const QPointF at(m_clickPt.x(), top(m_clickPt.y()));
    painter.setPen(QPen(Qt::green, 1.0));
    painter.drawLine(at - QPointF(kCrossArm, 0), at + QPointF(kCrossArm, 0));
    painter.drawLine(at - QPointF(0, kCrossArm), at + QPointF(0, kCrossArm));
    QFont font(QStringLiteral("Lucida Grande"), 10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kReadoutColor);
    const double x = visibleLeft() + 10.0;
    painter.drawText(QPointF(x, top(5) - QFontMetricsF(font).descent()), readoutText());
}
