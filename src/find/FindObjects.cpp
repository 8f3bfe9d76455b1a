#include "find/FindObjects.h"

#include "find/FindMessages.h"
#include "find/FindObjectsMatch.h"
#include "find/FindSky.h"
#include "find/LookupName.h"
#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/SkyCoordinates.h"
#include "model/projection/PrecessionMatrix.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"
#include "model/settings/links/PhotoHorizonAdjustments.h"

using namespace FindMessages;

FindObjects::FindObjects(FindSky& sky, PrefControl& prefs, SimbadLookup& lookup, Hooks hooks,
                         QObject* parent)
    : QObject(parent), m_sky(sky), m_prefs(prefs), m_lookup(lookup)
{
    setHooks(std::move(hooks));
    m_markTimer.setInterval(kMarkTickMs);
    connect(&m_markTimer, &QTimer::timeout, this, &FindObjects::markTimer);
}

void FindObjects::setHooks(Hooks hooks)
{
    m_hooks = std::move(hooks);
    if (!m_hooks.now)
        m_hooks.now = [] { return QDateTime::currentDateTimeUtc(); };
}

void FindObjects::raDecOfDate(double x, double y, double z, double* ra, double* dec) const
{
    const auto v = PrecessionMatrix::multiply(m_sky.precessionMatrix(), x, y, z);
    SkyCoordinates::raDecOfVector(v[0], v[1], v[2], ra, dec);
}

bool FindObjects::isBelowHorizon(double horZ) const
{
    return !m_prefs.isBelow() && horZ > 0.0;
}

bool FindObjects::isBehindProfile(double ra, double dec) const
{
    if (m_prefs.isBelow() || !(m_prefs.isCustomHorizon() || m_prefs.isPhotoHorizon()))
        return false;
    const std::optional<QPainterPath>& profile = m_sky.horizonAltAzPath();
    if (!profile)
        return false;
    double az = 0.0;
    double alt = 0.0;
    m_sky.CalculateAzFromRA(ra, dec, &az, &alt);
    const int site = m_prefs.currentSite();
    if (m_prefs.isPhotoHorizon() && m_photoHorizon && site >= 0 && site < 5) {
        const float toRadians = float(Angles::kDegToRad);
        az += m_photoHorizon->photoDirAdjArray()[std::size_t(site)] * toRadians;
        if (az >= Angles::kTwoPi)
            az -= Angles::kTwoPi;
        alt += m_photoHorizon->photoElevAdjArray()[std::size_t(site)] * toRadians;
    }
    return profile->contains(QPointF(az, alt));
}

FindObjects::Visibility FindObjects::placeMatch(const Match& match)
{
    if (isBelowHorizon(match.horZ))
        return Visibility::Hidden;
    if (match.isOfDate)
        SkyCoordinates::raDecOfVector(match.vecX, match.vecY, match.vecZ, &m_ra, &m_dec);
    else
        raDecOfDate(match.vecX, match.vecY, match.vecZ, &m_ra, &m_dec);
    if (isBehindProfile(m_ra, m_dec))
        return Visibility::Hidden;
    m_isCoords = true;
    return Visibility::Visible;
}

std::optional<FindObjects::Match> FindObjects::exactMatch(QByteArrayView wanted) const
{
    using FieldMatch::equals;
    using FieldMatch::text;
    for (const deepSky& d : m_sky.deepSkyData())
        if (equals(text(d.name), wanted) || equals(text(d.ngc), wanted)
            || equals(text(d.messier), wanted))
            return Match::of(d, kDeepSkyIndexBase, false,
                             FindNaming::displayName(text(d.name), text(d.ngc), text(d.messier)));
    for (const comet& c : m_sky.comets())
        if (equals(text(c.name), wanted))
            return Match::of(c, kCometIndexBase, true, text(c.name));
    for (const minorPlanet& m : m_sky.minorPlanets())
        if (equals(text(m.name), wanted))
            return Match::of(m, kMinorPlanetIndexBase, true, text(m.name));
    for (const star& s : m_sky.stars())
        if (equals(text(s.name), wanted) || equals(text(s.bayer), wanted)
            || equals(text(s.sao), wanted))
            return Match::of(s, kStarIndexBase, false,
                             FindNaming::displayName(text(s.name), text(s.bayer), text(s.sao)));
    return std::nullopt;
}

void FindObjects::storeTypedPosition(const TypedPosition::Position& position, const QString& input)
{
    m_ra = position.ra;
    m_dec = position.dec;
    if (position.form == TypedPosition::Form::J2000) {
        const TypedPosition::RaDec moved = TypedPosition::annualRates(
            position.ra, position.dec, TypedPosition::yearsSinceJ2000(m_hooks.now()));
        setTrackRA(moved.ra, moved.dec);
    } else {
        setTrackRA(m_ra, m_dec);
    }
    m_isCoords = true;
    m_prefs.setFindIndex(kTypedPositionIndex);
    m_prefs.setFindName(input);
}

void FindObjects::setResult(const QString& text)
{
    m_panel.resultText = text;
}

void FindObjects::enableButtons(bool center, bool track)
{
    m_panel.isCenterEnabled = center;
    m_panel.isTrackEnabled = track;
    m_panel.isTrackCenterEnabled = track;
}

void FindObjects::lookupFailed(const QString& text)
{
    setResult(text);
    m_panel.pulldownTitle = QString::fromLatin1(FindPanelState::kNotFound);
}

bool FindObjects::findSIMBAD(const QString& name)
{
    m_simName = LookupName::simName(name);
    if (const std::optional<QByteArray> cached = m_lookup.readCache(m_simName))
        if (parseSimFile(*cached))
            return true;
    const QString simName = m_simName;
    const bool started = m_lookup.start(simName, [this, simName](SimbadLookup::Outcome outcome) {
        m_simName = simName;
        lookupDone(outcome);
    });
    if (!started)
        lookupFailed(QString::fromLatin1(kCouldNotConnect));
    return started;
}

void FindObjects::lookupDone(const SimbadLookup::Outcome& outcome)
{
    if (!outcome.error.isEmpty())
        lookupFailed(m_simName + windows(kCanNotBeFoundBecause) + outcome.error);
    else if (!outcome.answer)
        lookupFailed(m_simName + windows(kCanNotBeFound));
    else
        selectSimStar(*outcome.answer);
    emit panelChanged();
}

std::optional<FindResultCode> FindObjects::findSimFile(const QString& name)
{
    const QString simName = LookupName::simName(name);
    const std::optional<QByteArray> cached = m_lookup.readCache(simName);
    if (!cached)
        return std::nullopt;
    const std::optional<SimAnswer> answer = SimAnswer::parseEither(*cached);
    if (!answer)
        return std::nullopt;
    // The star carries the name it was found under.
    m_simName = simName;
    return selectSimStar(*answer) ? findResultFound : findResultBelowHorizon;
}

bool FindObjects::parseSimFile(QByteArrayView text)
{
    const std::optional<SimAnswer> answer = SimAnswer::parseEither(text);
    if (!answer)
        return false;
    selectSimStar(*answer);
    return true;
}

bool FindObjects::selectSimStar(const SimAnswer& answer)
{
    m_sky.createSimStar(answer.ra, answer.dec, m_simName, answer.number, answer.pmRA, answer.pmDec,
                        answer.mag);
    m_sky.calculateStarPositions(true);
    const star* simStar = m_sky.simStar();
    if (!simStar || isBelowHorizon(simStar->horZ)) {
        setResult(m_simName + windows(kBelowHorizon));
        return false;
    }
    raDecOfDate(simStar->vecX, simStar->vecY, simStar->vecZ, &m_ra, &m_dec);
    setTrackRA(m_ra, m_dec);
    enableButtons(true, true);
    m_prefs.setFindIndex(kSimStarIndex);
    m_prefs.setFindName(m_simName);
    setResult(m_simName + windows(kHasBeenFound));
    call(m_hooks.updateSky);
    return true;
}
