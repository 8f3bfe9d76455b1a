#pragma once

#include "find/PlaceEvents.h"
#include "find/TwilightBands.h"
#include "find/panels/StrokeLayer.h"
#include "find/tours/TourPositions.h"
#include "model/records/BodyNumber.h"
#include "model/settings/TextAttributes.h"

#include <QDateTime>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class PrefControl;
class QPainter;
class TourFinder;

// The night planner's chart: one night from noon to noon, 100 points per
// hour (midnight at x 1200), altitude upward at 4.6 points per degree over a
// 26-point ground strip; the Sun, Moon, planets and the objects of two tour
// files plotted every half hour over the daylight, twilight and darkness of
// that night. The x axis is elapsed time from the night's midnight, so a
// night the clocks change on spans 23 or 25 clock hours; the readout and the
// ruler show the local clock at each x. Chart coordinates have y upward from
// the bottom edge.
class TonightView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 2400;
    static constexpr int kHeight = 464;
    static constexpr double kGround = 26.0;
    static constexpr double kPointsPerRadian = 263.5605857601786;
    static constexpr int kHalfHours = 24;  // samples k = -24 .. 24
    // Twilight ends with the Sun this far from the zenith, degrees.
    static constexpr double kAstronomicalZenith = 108.0;
    static constexpr double kCivilZenith = 96.0;

    // tonightAction tags.
    static constexpr int kSunTag = BodyNumber::kSun;
    static constexpr int kMoonTag = BodyNumber::kMoon;
    static constexpr int kTwilightTag = 10;
    static constexpr int kMistTag = 11;
    static constexpr int kTour1Tag = 20;
    static constexpr int kOpenTour1Tag = 21;
    static constexpr int kTour2Tag = 22;
    static constexpr int kOpenTour2Tag = 23;

    struct Links {
        PrefControl& prefs;
        TourFinder& finder;     // resolves the tours' lines
        std::function<QDateTime()> skyDate;
        // The tour file to open, empty when cancelled.
        std::function<QString()> chooseTourFile;
        // Where the readout stands: the scroller's value, 0 to 1.
        std::function<double()> scrollerValue;
    };

    explicit TonightView(Links links, QWidget* parent = nullptr);

    // Sets the night from the chart date: from 13:00 on the coming night, else the night that ended.
    void tonightDate();
    // Sidereal time at the night's midnight and the Sun's altitude through the night.
    void calculateDate();
    // A check box or button; `optionHeld` makes switching twilight on civil.
    void tonightAction(int tag, bool on, bool optionHeld = false);
    bool openTour(int n);
    bool openTourFile(const QString& path, int n);
    // A click at a chart point: the time and altitude readout (none at y <= 26).
    void clickAt(QPointF chartPoint);
    // The chart time as local hours.
    float currentTime() const;
    // y of the body at (ra, dec) (radians of date) k half hours from midnight.
    double CalculateAzFromRA(double k, double ra, double dec) const;
    // The chart x of a moment, and the moment at a chart x.
    double xOf(const QDateTime& moment) const;
    QDateTime momentAt(double x) const;
    // The ruler's label of the hour `hours` from the night's midnight: the local clock then.
    QString hourLabel(int hours) const;

    const QDateTime& nightDate() const { return m_nightDate; }
    // No darkness this night: the Sun stays above the twilight depth.
    bool isCircum() const { return !m_bands.isDark(); }
    // The chart x of sunset, the end of twilight, its start and sunrise
    // around the night's darkest moment; none where the Sun does not cross there.
    std::optional<double> sunSet0() const;
    std::optional<double> sunSet1() const;
    std::optional<double> sunRise0() const;
    std::optional<double> sunRise1() const;
    bool isAstroTwilight() const { return m_isAstroTwilight; }
    bool isSwitchOn(int tag) const;
    QString tourName(int n) const { return m_tours[n - 1].name; }
    // One body's altitude curve over the night (radians of date): strokes of
    // the samples at or above the chart's bottom edge, and the highest of them.
    struct AltitudeCurve {
        QPainterPath path;
        QPointF highest{0.0, -1.0};
    };
    AltitudeCurve altitudeCurve(double ra, double dec) const;
    // The Sun's, a planet's or the Moon's curve (body: the tag), each sample
    // with the body's place at that moment; kept until the night or the site changes.
    const AltitudeCurve& bodyCurve(int body) const;
    // The readout's text, empty without a click point.
    QString readoutText() const;
    // Draws the whole chart; the view's own paint calls this.
    void drawChart(QPainter& painter);
    // A curve's name where the last drawing put it, in widget coordinates.
    struct PlacedLabel {
        QString name;
        QRectF rect;
    };
    const std::vector<PlacedLabel>& placedLabels() const { return m_placedLabels; }

signals:
    // A switch or a tour name changed outside its own control.
    void switchesChanged();
    // The ruler under the chart redraws.
    void rulerNeedsDisplay();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Tour {
        explicit Tour(TourFinder& finder) : positions(finder) {}
        QStringList lines;
        QString name;
        bool on = false;
        TourPositions positions;
        StrokeLayer strokes;
    };
    struct Curve;

    void drawTwilight(QPainter& painter) const;
    void drawMist(QPainter& painter) const;
    void drawBodies(QPainter& painter);
    // True when it drew the tour.
    bool drawTour(QPainter& painter, Tour& tour, const TextAttributes& label);
    void drawAltitudeScale(QPainter& painter) const;
    double visibleLeft() const;
    AltitudeCurve sampleCurve(const std::function<PlaceEvents::SkyPlace(int k)>& placeAt) const;
    static void addCurve(Curve& curve, const AltitudeCurve& body, const QString& name);
    double nowX() const;
    void forgetCurves();
    void stroke(QPainter& painter, StrokeLayer& layer, const Curve& curve, const TextAttributes& label);
    void drawReadout(QPainter& painter) const;
    void switchTour(int n, bool on);

    Links m_links;
    QDateTime m_nightDate;
    double m_nightJulianDay = 0.0;  // of the night's midnight, UT
    double m_latitude = 0.0;       // radians
    double m_longitude = 0.0;      // degrees, east positive
    double m_nightMeridian = 0.0;  // local sidereal time at the night's midnight, radians
    TwilightBands m_bands;
    QImage m_bandRow;  // the bands' colour at each x
    bool m_isTwilight = true;
    bool m_isMist = false;
    bool m_isAstroTwilight = true;
    // Sun, Mercury … Pluto, Moon: the planet records' order.
    std::array<bool, kMoonTag + 1> m_bodies{false, true, true, true, true, true, false, false, false, false};
    std::array<Tour, 2> m_tours{Tour(m_links.finder), Tour(m_links.finder)};
    mutable std::array<std::optional<AltitudeCurve>, kMoonTag + 1> m_bodyCurves;
    StrokeLayer m_bodyStrokes;
    QPointF m_clickPt;
    std::vector<PlacedLabel> m_placedLabels;
};
