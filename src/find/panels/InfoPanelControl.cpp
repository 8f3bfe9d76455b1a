#include "find/panels/InfoPanelControl.h"

#include "find/BodyPlace.h"
#include "find/FieldMatch.h"
#include "find/FindObjects.h"
#include "find/FindObjectsMatch.h"
#include "find/FindSky.h"
#include "find/InfoStarSource.h"
#include "find/InfoTexts.h"
#include "find/PlannerObjectLink.h"
#include "find/panels/InfoPanel.h"
#include "find/panels/PhotoView.h"
#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/records/BodyNumber.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "platform/StringTables.h"
#include "platform/widgets/FirstShowPlacement.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>

using namespace InfoTexts;

namespace {

constexpr float kNoSimMag = -10.0f;
constexpr float kNoDeepSkyMag = 16.0f;
// Cone-search proper motions are degrees per year; the panel shows mas.
constexpr double kDegreesPerMas = 2.7777778e-07;
constexpr const char* kHT2Name = "H/T2 Star";
constexpr const char* kNomadName = "NOMAD Star";
constexpr const char* kSimbadTitle = "SIMBAD";
constexpr const char* kStarTitle = "Star";

QString windows(const char* key)
{
    return StringTables::localizedString(QStringLiteral("Windows"), QString::fromLatin1(key));
}

template <std::size_t N>
QString fieldText(const char (&field)[N])
{
    return QString::fromLatin1(field, qsizetype(strnlen(field, N)));
}

QString blank()
{
    return QStringLiteral(" ");
}

double degrees(double radians)
{
    return radians * Angles::kRadToDeg;
}

}  // namespace

InfoPanelControl::InfoPanelControl(PrefControl& prefs, FindSky& sky, const FindObjects& finder,
                                   Links links, QWidget* window)
    : m_prefs(prefs),
      m_sky(sky),
      m_finder(finder),
      m_links(std::move(links)),
      m_window(window),
      m_keys{m_links.chart, [this] { setKillAlphaTimer(); }, {}},
      m_star([this] {
          return makePanel("Star",
                           {"Name:", "B/F:", "SAO:", "Class:", "Type:", "Mag:", "RA:", "Dec:", "Rise:", "Set:",
                            "Transit:"},
                           false);
      }),
      m_planet([this] {
          return makePanel("Planet", {"Name:", "Mag:", "RA:", "Dec:", "Sun:", "Earth:", "Rise:", "Set:", "Transit:"},
                           false);
      }),
      m_satellite([this] { return makePanel("Satellite", {"Name:", "Diameter:", "Orbit:", "Mag:"}, false); }),
      m_deepSky([this] {
          return makePanel("Deep Sky",
                           {"Name:", "NGC:", "Messier:", "Type:", "Const:", "Catalog:", "Mag:", "RA:", "Dec:", "Rise:",
                            "Set:", "Transit:"},
                           true);
      }),
      m_comet([this] { return makePanel("Comet", {"Name:", "Mag:", "RA:", "Dec:", "Sun:", "Earth:"}, false); }),
      m_moon([this] { return makePanel("Moon", {"Illumination:", "RA:", "Dec:", "Earth:", "Age:"}, true); })
{
    m_photoPanel = new PanelKeyControl(prefs, m_keys, window);
    m_photoView = new PhotoView(m_photoPanel);
    auto* layout = new QVBoxLayout(m_photoPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_photoView);

    m_fadeTimer.setInterval(kFadeTickMs);
    connect(&m_fadeTimer, &QTimer::timeout, this, &InfoPanelControl::setAlphaDelay);
}

InfoPanelControl::~InfoPanelControl() = default;

std::unique_ptr<InfoPanel> InfoPanelControl::makePanel(const char* title, std::initializer_list<const char*> rows,
                                                       bool hasThumbnail)
{
    auto panel = std::make_unique<InfoPanel>(m_prefs, m_keys, windows(title), rows, hasThumbnail, m_window);
    // Over the chart's view, below its menu bar, once the chart is placed.
    InfoPanel* placed = panel.get();
    FirstShowPlacement::install(*placed, [placed] { ScreenPlacement::toParentTopLeft(*placed); });
    if (hasThumbnail)
        connect(panel->thumbnail(), &QToolButton::clicked, this, &InfoPanelControl::displayPhotoAction);
    return panel;
}

std::vector<InfoPanel*> InfoPanelControl::madePanels() const
{
    std::vector<InfoPanel*> panels;
    for (const LazyOwner<InfoPanel>* owner : {&m_star, &m_planet, &m_deepSky, &m_comet, &m_moon, &m_satellite}) {
        if (InfoPanel* panel = owner->ifMade())
            panels.push_back(panel);
    }
    return panels;
}

void InfoPanelControl::setTitle(const QString& title)
{
    if (m_links.setChartTitle)
        m_links.setChartTitle(title);
}

void InfoPanelControl::hideObjectPanels()
{
    for (InfoPanel* panel : madePanels())
        panel->hide();
}

void InfoPanelControl::escapePanel()
{
    std::vector<QWidget*> panels;
    for (InfoPanel* panel : madePanels())
        panels.push_back(panel);
    panels.push_back(m_photoPanel);
    for (QWidget* panel : panels) {
        if (panel->isVisible()) {
            panel->hide();
            break;
        }
    }
    setTitle(QString::fromLatin1(kAppTitle));
}

void InfoPanelControl::present(InfoPanel& panel, const QString& titleName)
{
    panel.setWindowOpacity(1.0);
    if (m_prefs.isTransparent()) {
        m_fadeCount = 0;
        m_fading = &panel;
        m_fadeTimer.start();
    }
    if (m_prefs.isInfoPanel()) {
        panel.show();
        panel.raise();
    } else {
        setTitle(chartTitle(titleName));
    }
}

void InfoPanelControl::setAlphaDelay()
{
    if (m_killAlphaTimer) {
        m_fadeTimer.stop();
        m_killAlphaTimer = false;
        m_fadeCount = 1;
        return;
    }
    ++m_fadeCount;
    if (m_fadeCount <= kOpaqueTicks)
        return;
    const double alpha = 1.0 - kFadeStep * (m_fadeCount - kOpaqueTicks);
    // The step is not exact in binary: stop at 0.25 to within rounding.
    const bool faded = alpha <= kFadedAlpha + 1e-9;
    if (m_fading)
        m_fading->setWindowOpacity(faded ? kFadedAlpha : alpha);
    if (faded)
        m_fadeTimer.stop();
}

void InfoPanelControl::fillPlace(InfoPanel& panel, double raDegrees, double decDegrees)
{
    panel.setValue("RA:", raText(raDegrees));
    panel.setValue("Dec:", decText(decDegrees));
}

void InfoPanelControl::fillTimes(InfoPanel& panel, double raDegrees, double decDegrees)
{
    calculateTransit(raDegrees, decDegrees);
    showTimes(panel);
}

void InfoPanelControl::showTimes(InfoPanel& panel)
{
    panel.setValue("Rise:", m_riseTime);
    panel.setValue("Set:", m_setTime);
    panel.setValue("Transit:", m_transitTime);
}

TransitTimes::Site InfoPanelControl::site() const
{
    return {m_prefs.latitude(), m_prefs.longitude()};
}

void InfoPanelControl::calculateTransit(double ra, double dec)
{
    const PlaceEvents::SkyPlace fixed{ra * Angles::kDegree, dec * Angles::kDegree};
    calculateTransit([fixed](double) { return fixed; });
}

void InfoPanelControl::calculateTransit(const PlaceEvents::PlaceAt& place)
{
    const QTimeZone zone = AppTimeZone::zone();
    const QDateTime chartDate = m_links.skyDate ? m_links.skyDate() : AppTimeZone::now();
    m_times = TransitTimes::calculateTransit(place, site(), chartDate.toTimeZone(zone).date(), zone);
    m_transitTime = TransitTimes::text(m_times.transit);
    m_riseTime = TransitTimes::text(m_times.rise);
    m_setTime = TransitTimes::text(m_times.set);
}

void InfoPanelControl::sendPlanner(double ra, double dec, double fov, double mag,
                                   std::optional<short> type, const QString& id,
                                   const QString& name)
{
    PlannerObjectLink* planner = m_links.planner;
    if (!planner)
        return;
    planner->setAPra(ra);
    planner->setAPdec(dec);
    planner->setAPfov(fov);
    planner->setAPmag(mag);
    if (type)
        planner->setAPtype(*type);
    planner->setAPid(id);
    planner->setAPname(name);
}

void InfoPanelControl::updatePanelInfo(bool toPlanner)
{
    const int index = m_prefs.findIndex();
    const ObjectIndexParts parts = splitObjectIndex(index);
    const auto k = std::size_t(parts.number);
    switch (parts.band) {
    case ObjectBand::Nothing:
        escapePanel();
        return;
    case ObjectBand::TypedPosition:
    case ObjectBand::Invalid:
        return;
    default:
        break;
    }
    hideObjectPanels();
    switch (parts.band) {
    case ObjectBand::Planet:
        planetInfo(parts.number, toPlanner);
        break;
    case ObjectBand::DeepSky:
        if (k < m_sky.deepSkyData().size())
            deepSkyInfo(m_sky.deepSkyData()[k], toPlanner);
        break;
    case ObjectBand::Comet:
        if (k < m_sky.comets().size())
            cometInfo(k, toPlanner);
        break;
    case ObjectBand::MinorPlanet:
        if (k < m_sky.minorPlanets().size())
            minorPlanetInfo(m_sky.minorPlanets()[k], toPlanner);
        break;
    case ObjectBand::JupiterMoon:
    case ObjectBand::SaturnMoon:
        satelliteInfo(index - kPlanetMoonIndexBase);
        break;
    case ObjectBand::Star:
        if (k < m_sky.stars().size())
            starInfo(m_sky.stars()[k], toPlanner);
        break;
    case ObjectBand::HT2Star:
        ht2StarInfo(k);
        break;
    case ObjectBand::NomadStar:
        nomadStarInfo(k);
        break;
    case ObjectBand::SimStar:
        simStarInfo();
        break;
    default:
        break;
    }
}

void InfoPanelControl::planetInfo(int number, bool toPlanner)
{
    const std::span<const planet> planets = m_sky.planets();
    if (number > BodyNumber::kMoon || std::size_t(number) >= planets.size())
        return;
    const planet& p = planets[std::size_t(number)];
    if (p.index == BodyNumber::kMoon) {
        moonInfo();
        return;
    }
    const QString name = FindNaming::planetName(p.index);
    const bool metric = m_prefs.isMetric();
    m_planet.get().setWindowTitle(p.index == BodyNumber::kSun     ? windows("Star")
                             : p.index == BodyNumber::kPluto ? QStringLiteral("Dwarf Planet")
                                                       : windows("Planet"));
    m_planet.get().setValue("Name:", name);
    m_planet.get().setValue("Mag:", QString::asprintf("%0.2f", p.mag));
    fillPlace(m_planet.get(), degrees(p.ra), degrees(p.dec));
    m_planet.get().setValue("Earth:", millionsText(p.geoDistance, metric));
    m_planet.get().setValue("Sun:", millionsText(p.helioDistance, metric));
    // The Sun and the planets move through the day.
    calculateTransit(BodyPlace::of(p.index, site()));
    showTimes(m_planet.get());
    present(m_planet.get(), name);
    if (toPlanner)
        sendPlanner(p.ra, p.dec, 0.0, p.mag, PlannerObjectLink::kPlanet, name, name);
}

void InfoPanelControl::deepSkyInfo(const deepSky& d, bool toPlanner)
{
    const QString name = fieldText(d.name);
    const QString ngc = fieldText(d.ngc);
    const QString messier = fieldText(d.messier);
    m_deepSky.get().setValue("Name:", name);
    m_deepSky.get().setValue("NGC:", ngc);
    m_deepSky.get().setValue("Messier:", messier);
    m_deepSky.get().setValue("Const:", fieldText(d.con));
    m_deepSky.get().setValue("Type:", deepSkyTypeText(d.type));
    m_deepSky.get().setValue("Catalog:", catalogueLine(d, {m_prefs.showCaldwell(), m_prefs.showArp(),
                                                      m_prefs.showHerschel(),
                                                      m_prefs.showHerschelII()}));
    m_deepSky.get().setValue("Mag:",
                        d.mag == kNoDeepSkyMag ? blank() : QString::asprintf("%0.1f", d.mag));
    double ra = 0.0;
    double dec = 0.0;
    m_finder.raDecOfDate(d.vecX, d.vecY, d.vecZ, &ra, &dec);
    fillPlace(m_deepSky.get(), degrees(ra), degrees(dec));
    fillTimes(m_deepSky.get(), degrees(ra), degrees(dec));

    m_photoName = name.size() >= 3 ? name : ngc.size() >= 3 ? ngc : messier;
    const QImage photo = m_links.deepSkyPhoto ? m_links.deepSkyPhoto(d) : QImage();
    if (!photo.isNull())
        m_photoImage = photo;
    m_deepSky.get().setThumbnail(photo);
    present(m_deepSky.get(), m_photoName);
    if (toPlanner)
        sendPlanner(ra, dec, d.size, d.mag, plannerDeepSkyType(d.type), ngc, name);
}

void InfoPanelControl::cometInfo(std::size_t k, bool toPlanner)
{
    const comet& c = m_sky.comets()[k];
    const bool metric = m_prefs.isMetric();
    const QString name = fieldText(c.name);
    m_comet.get().setWindowTitle(windows("Comet"));
    m_comet.get().setValue("Name:", name);
    m_comet.get().setValue("Mag:", QString::asprintf("%0.1f", c.mag));
    fillPlace(m_comet.get(), degrees(c.ra), degrees(c.dec));
    m_comet.get().setValue("Earth:", millionsText(c.geoDistance, metric));
    m_comet.get().setValue("Sun:", millionsText(c.helioDistance, metric));
    present(m_comet.get(), name);
    if (toPlanner)
        sendPlanner(c.ra, c.dec, 0.0, c.mag, PlannerObjectLink::kComet, name, name);
}

void InfoPanelControl::minorPlanetInfo(const minorPlanet& m, bool toPlanner)
{
    const bool metric = m_prefs.isMetric();
    const QString name = fieldText(m.name);
    m_comet.get().setWindowTitle(windows(m.source == kMPSourceUnusual ? "NEO" : "Minor Planet"));
    m_comet.get().setValue("Name:", name);
    m_comet.get().setValue("Mag:", QString::asprintf("%0.1f", m.mag));
    fillPlace(m_comet.get(), degrees(m.ra), degrees(m.dec));
    m_comet.get().setValue("Earth:", minorPlanetEarthText(m.geoDistance, metric));
    m_comet.get().setValue("Sun:", millionsText(m.helioDistance, metric));
    present(m_comet.get(), name);
    if (toPlanner)
        sendPlanner(m.ra, m.dec, 0.0, m.mag, PlannerObjectLink::kMinorPlanet, name, name);
}

void InfoPanelControl::satelliteInfo(int number)
{
    const Satellite* s = satellite(number);
    if (!s)
        return;
    const bool metric = m_prefs.isMetric();
    const QString name = QString::fromUtf8(s->name);
    m_satellite.get().setValue("Name:", name);
    m_satellite.get().setValue("Diameter:",
                          QString::fromUtf8(metric ? s->diameterKm : s->diameterMiles));
    m_satellite.get().setValue("Orbit:", QString::fromUtf8(metric ? s->orbitKm : s->orbitMiles));
    m_satellite.get().setValue("Mag:", QString::fromUtf8(s->mag));
    present(m_satellite.get(), name);
}

void InfoPanelControl::showStarRows(const QString& name, const QString& bf, const QString& sao,
                                    const QString& spectral, const QString& type)
{
    m_star.get().setValue("Name:", name);
    m_star.get().setValue("B/F:", bf);
    m_star.get().setValue("SAO:", sao);
    m_star.get().setValue("Class:", spectral);
    m_star.get().setValue("Type:", type);
}

void InfoPanelControl::starInfo(const star& s, bool toPlanner)
{
    const QString name = fieldText(s.name);
    const QString bayer = fieldText(s.bayer);
    const QString sao = fieldText(s.sao);
    const bool alignment = m_prefs.isGeminiAC() || m_prefs.isMeadeAC() || m_prefs.isNexStarAC();
    showStarRows(name, bayer, sao, fieldText(s.spectral), starTypeText(s.type, alignment));
    double ra = 0.0;
    double dec = 0.0;
    m_finder.starOfDate(s, &ra, &dec);
    fillPlace(m_star.get(), degrees(ra), degrees(dec));
    m_star.get().setValue("Mag:", QString::asprintf("%0.2f", s.mag));
    fillTimes(m_star.get(), degrees(ra), degrees(dec));
    const QString title = name.size() >= 3    ? name
                          : bayer.size() >= 3 ? QStringLiteral("BF: ") + bayer
                          : sao.size() >= 3   ? QStringLiteral("SAO: ") + sao
                                              : QString::fromLatin1(kStarTitle);
    present(m_star.get(), title);
    if (toPlanner) {
        const QString id = bayer.size() > 2 ? bayer : sao.size() > 2 ? sao : blank();
        sendPlanner(s.raDeg * Angles::kDegToRad, s.decDeg * Angles::kDegToRad, 0.0, s.mag,
                    PlannerObjectLink::kStar, id, name);
    }
}

void InfoPanelControl::ht2StarInfo(std::size_t k)
{
    if (!m_links.stars || k >= m_links.stars->ht2Stars().size())
        return;
    const ht2Star& s = m_links.stars->ht2Stars()[k];
    const QString name = QString::fromLatin1(kHT2Name);
    showStarRows(name, blank(), blank(), blank(), blank());
    const auto [ra, dec] = raDecOf(s);
    fillPlace(m_star.get(), degrees(ra), degrees(dec));
    m_star.get().setValue("Mag:", QString::asprintf("%0.2f", s.mag));
    fillTimes(m_star.get(), degrees(ra), degrees(dec));
    present(m_star.get(), name);
}

void InfoPanelControl::nomadStarInfo(std::size_t k)
{
    if (!m_links.stars || k >= m_links.stars->nomadStars().size())
        return;
    const nomadData& s = m_links.stars->nomadStars()[k];
    const QString id = fieldText(s.nomadId);
    showStarRows(QString::fromLatin1(kNomadName), id, blank(),
                 QString::asprintf("%0.1f RA mas", s.muRA / kDegreesPerMas),
                 QString::asprintf("%0.1f Dec mas", s.muDec / kDegreesPerMas));
    fillPlace(m_star.get(), s.raNow, s.decNow);
    m_star.get().setValue("Mag:", QString::asprintf("%0.3f", s.vMag));
    fillTimes(m_star.get(), s.raNow, s.decNow);
    present(m_star.get(), QStringLiteral("NOMAD: ") + id);
}

void InfoPanelControl::simStarInfo()
{
    const star* s = m_sky.simStar();
    if (!s)
        return;
    showStarRows(fieldText(s->name), blank(), fieldText(s->sao), blank(), blank());
    double ra = 0.0;
    double dec = 0.0;
    m_finder.starOfDate(*s, &ra, &dec);
    fillPlace(m_star.get(), degrees(ra), degrees(dec));
    m_star.get().setValue("Mag:", s->mag == kNoSimMag ? QStringLiteral("N/A")
                                                 : QString::asprintf("%.2f", s->mag));
    fillTimes(m_star.get(), degrees(ra), degrees(dec));
    present(m_star.get(), QString::fromLatin1(kSimbadTitle));
}

void InfoPanelControl::moonInfo()
{
    hideObjectPanels();
    if (m_sky.planets().size() <= std::size_t(BodyNumber::kMoon))
        return;
    const planet& moon = m_sky.planets()[BodyNumber::kMoon];
    const bool metric = m_prefs.isMetric();
    m_moon.get().setValue("Illumination:", QString::asprintf("%0.1f%%", moon.mag / 10.0));
    fillPlace(m_moon.get(), degrees(moon.ra), degrees(moon.dec));
    m_moon.get().setValue("Earth:", QString::asprintf(metric ? "%.2f x10³ km" : "%.2f x10³ miles",
                                                  moon.geoDistance));
    const double age = m_links.moonAge ? m_links.moonAge() : 0.0;
    m_moon.get().setValue("Age:", QString::asprintf("%.1f Days", age / 100.0));
    m_photoName = QStringLiteral("Moon");
    const QImage photo = m_links.moonPhoto ? m_links.moonPhoto() : QImage();
    if (!photo.isNull())
        m_photoImage = photo;
    m_moon.get().setThumbnail(photo);
    present(m_moon.get(), m_photoName);
}

void InfoPanelControl::showPhoto(const QImage& image, const QString& title)
{
    m_photoImage = image;
    m_photoName = title;
    displayPhotoAction();
}

void InfoPanelControl::displayPhotoAction()
{
    if (m_photoImage.isNull())
        return;
    m_photoView->setPhoto(m_photoImage);
    m_photoPanel->adjustSize();
    ScreenPlacement::toTopLeft(*m_photoPanel);
    m_photoPanel->setWindowTitle(m_photoName);
    if (m_photoPanel->isVisible()) {
        m_photoView->update();
    } else {
        m_photoPanel->show();
        m_photoPanel->raise();
    }
}
