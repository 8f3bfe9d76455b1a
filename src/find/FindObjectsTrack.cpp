#include "find/AlignmentDelta.h"
#include "find/FindObjects.h"
#include "find/FindObjectsMatch.h"
#include "find/FindSky.h"
#include "find/TrackMount.h"
#include "find/TrackView.h"
#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/UnitVector.h"
#include "model/projection/PrecessionMatrix.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace {

constexpr float kMinPickRadius = 3.0f;
constexpr float kPickShare = 0.004f;
// Comets and minor planets a little fainter than the chart's limit still pick.
constexpr double kPickMagMargin = 0.4;
constexpr float kMarkDim = 0.25f;
constexpr float kMarkBright = 1.0f;
constexpr const char* kStarName = "Star";
constexpr const char* kDeepSkyName = "Deep Sky Object";
constexpr const char* kSimStarName = "SIMBAD";
constexpr const char* kCoordsName = "EI Location";

template <class Record>
bool isPicked(const Record& r, QPointF at, float radius)
{
    // A point on the box's lower or left edge is in it, one on the upper or right edge is not.
    const float x = float(at.x());
    const float y = float(at.y());
    return r.screenX >= x - radius && r.screenX < x + radius && r.screenY >= y - radius
        && r.screenY < y + radius;
}

QString debugPosition(const char* prefix, double ra, double dec)
{
    return QString::asprintf("%s RA: %.4f Dec:%.4f", prefix, ra, dec);
}

}  // namespace

float FindObjects::pickRadius(double chartWidth)
{
    return std::max(kMinPickRadius, kPickShare * float(chartWidth));
}

void FindObjects::starOfDate(const star& s, double* ra, double* dec) const
{
    const double T = PrecessionMatrix::julianCenturies(m_sky.julianDay());
    const UnitVector v = UnitVector::fromRADec(s.raDeg * Angles::kDegToRad + s.pmRA * T,
                                               s.decDeg * Angles::kDegToRad + s.pmDec * T);
    raDecOfDate(v.x, v.y, v.z, ra, dec);
}

void FindObjects::findObject(QPointF point)
{
    using FieldMatch::text;
    const float r = pickRadius(m_hooks.chartWidth ? m_hooks.chartWidth() : 0.0);
    auto select = [&](const auto& record, int index, const QString& name) {
        m_prefs.setFindPoint(QPointF(record.screenX, record.screenY));
        m_prefs.setFindIndex(index);
        m_prefs.setFindName(name);
    };
    // Of everything inside the pick box the nearest wins, the brighter of two
    // as near; catalogue order would hand a bright star's click to a faint
    // neighbour listed before it.
    struct Pick {
        float distance2;
        float mag;
        std::function<void()> choose;
    };
    std::optional<Pick> best;
    auto consider = [&](const auto& record, float mag, std::function<void()> choose) {
        if (!isPicked(record, point, r))
            return;
        const float dx = record.screenX - float(point.x());
        const float dy = record.screenY - float(point.y());
        const float distance2 = dx * dx + dy * dy;
        if (!best || distance2 < best->distance2 || (distance2 == best->distance2 && mag < best->mag))
            best = Pick{distance2, mag, std::move(choose)};
    };

    const std::span<const planet> planets = m_sky.planets();
    for (int k = 0; k <= FindNaming::kLastNamedPlanet && std::size_t(k) < planets.size(); ++k) {
        const planet& p = planets[std::size_t(k)];
        if (p.state == kStateOffView)
            continue;
        consider(p, p.mag, [&] {
            select(p, kPlanetIndexBase + p.index, FindNaming::planetName(p.index));
            setTrackRA(p.ra, p.dec);
        });
    }
    for (const deepSky& d : m_sky.deepSkyData()) {
        if (d.state == kStateOffView)
            continue;
        consider(d, d.mag, [&] {
            select(d, kDeepSkyIndexBase + int(d.index),
                   FindNaming::firstNamed({text(d.name), text(d.messier), text(d.ngc)}, kDeepSkyName));
            raDecOfDate(d.vecX, d.vecY, d.vecZ, &m_ra, &m_dec);
            setTrackRA(m_ra, m_dec);
        });
    }
    const double magLimit = m_prefs.cometMagLimit() + kPickMagMargin;
    for (const comet& c : m_sky.comets()) {
        if (c.state == kStateOffView || c.mag > magLimit)
            continue;
        consider(c, c.mag, [&] {
            select(c, kCometIndexBase + int(c.index), QString::fromLatin1(text(c.name)));
            setTrackRA(c.ra, c.dec);
        });
    }
    const std::optional<std::uint32_t> neo = m_sky.neoIndex();
    for (const minorPlanet& m : m_sky.minorPlanets()) {
        if (m.state == kStateOffView || (m.mag > magLimit && neo != m.index))
            continue;
        consider(m, m.mag, [&] {
            select(m, kMinorPlanetIndexBase + int(m.index), QString::fromLatin1(text(m.name)));
            setTrackRA(m.ra, m.dec);
        });
    }
    for (const star& s : m_sky.stars()) {
        if (s.state == kStateOffView)
            continue;
        consider(s, s.mag, [&] {
            select(s, kStarIndexBase + int(s.index), FindNaming::firstNamed({text(s.name), text(s.bayer)}, kStarName));
            starOfDate(s, &m_ra, &m_dec);
            setTrackRA(m_ra, m_dec);
        });
    }
    if (const star* sim = m_sky.simStar()) {
        consider(*sim, sim->mag, [&, sim] {
            m_prefs.setFindIndex(kSimStarIndex);
            m_prefs.setFindName(QString::fromLatin1(kSimStarName));
            starOfDate(*sim, &m_ra, &m_dec);
            setTrackRA(m_ra, m_dec);
        });
    }
    if (best)
        best->choose();
    else
        m_prefs.setFindIndex(kNoObjectIndex);
}

void FindObjects::findCenterAction()
{
    if (m_prefs.findIndex() == kNoObjectIndex && !m_isCoords)
        return;
    if (!m_isCoords) {
        m_sky.centerObject();
        call(m_hooks.updateSky);
        m_panel.isCenterEnabled = false;
        emit panelChanged();
        return;
    }
    double az = 0.0;
    double alt = 0.0;
    m_sky.CalculateAzFromRA(m_ra, m_dec, &az, &alt);
    m_prefs.setIsMarkCenter(true);
    m_prefs.setAzimuth(az * Angles::kRadToDeg);
    m_prefs.setAltitude(alt * Angles::kRadToDeg);
    call(m_hooks.updateSky);
    m_panel.isCenterEnabled = false;
    m_panel.isTrackCenterEnabled = false;
    emit panelChanged();
    // A Center while the mark still blinks starts the blink again.
    m_markCount = 0;
    m_markTimer.start();
}

void FindObjects::markTimer()
{
    ++m_markCount;
    if (m_markCount < kMarkTicks) {
        if (m_hooks.setMarkAlpha)
            m_hooks.setMarkAlpha(m_markCount % 2 == 1 ? kMarkDim : kMarkBright);
        call(m_hooks.chartNeedsDisplay);
        return;
    }
    if (m_hooks.setMarkAlpha)
        m_hooks.setMarkAlpha(kMarkBright);
    call(m_hooks.chartNeedsDisplay);
    m_markTimer.stop();
}

void FindObjects::writeDebug(const QString& line) const
{
    if (m_prefs.isDebug() && m_hooks.writeDebugFile)
        m_hooks.writeDebugFile(line);
}

void FindObjects::findTrackAction()
{
    if (m_prefs.findIndex() == kNoObjectIndex)
        return;
    if (TrackView* view = m_track.view) {
        view->setTrackIndex(m_prefs.findIndex());
        view->dropFieldImages();
        view->resetDeltas();
    }
    const bool connected = m_track.mount && m_track.mount->isConnected();
    bool done = false;
    if (m_isAlignAdjust && connected) {
        m_isAlignAdjust = false;
        if (m_track.alignment && m_track.alignment->calcDelta()) {
            trackAligned();
            done = true;
        }
    }
    if (!done)
        trackPlain();
    call(m_hooks.orderOutFindPanel);
    if (TrackView* view = m_track.view) {
        view->setTitle(m_prefs.findName());
        if (view->isWindowVisible()) {
            view->display();
        } else if (!view->keepSVClosed() && !view->isMiniaturized()) {
            view->orderFront();
            view->display();
        }
    }
    call(m_hooks.chartNeedsDisplay);
}

void FindObjects::trackAligned()
{
    TrackMount& mount = *m_track.mount;
    const bool viewFollows =
        !(m_track.view && m_track.view->keepSVClosed()) || m_prefs.isScopeRetainPolling();
    if (!viewFollows) {
        if (m_track.view)
            m_track.view->setTrackRA(m_trackRA, m_trackDec);
        return;
    }
    if (mount.scopeProtocol() == TrackMount::kTemmaIIProtocol && !mount.isTemmaSync()) {
        if (m_track.view)
            m_track.view->setTrackRA(m_trackRA, m_trackDec);
        mount.setGotoRA(m_trackRA, m_trackDec);
    } else {
        mount.gotoRA(m_trackRA + m_track.alignment->dRA(), m_trackDec + m_track.alignment->dDec());
    }
    writeDebug(debugPosition("findTrackAction", m_trackRA, m_trackDec));
    writeDebug(debugPosition("findTrackAction align", m_track.alignment->dRA(),
                             m_track.alignment->dDec()));
}

void FindObjects::trackPlain()
{
    TrackMount* mount = m_track.mount;
    if (mount && mount->isConnected() && mount->scopeProtocol() == TrackMount::kTemmaIIProtocol
        && !mount->isTemmaSync()) {
        if (m_track.view)
            m_track.view->setTrackRA(m_trackRA, m_trackDec);
        mount->setGotoRA(m_trackRA, m_trackDec);
        writeDebug(debugPosition("findTrackAction Temma Sync", m_trackRA, m_trackDec));
    } else if (mount && mount->isConnected()) {
        if (!(m_track.view && m_track.view->keepSVClosed()) || m_prefs.isScopeRetainPolling())
            mount->gotoRA(m_trackRA, m_trackDec);
    } else if (m_track.view) {
        m_track.view->setTrackRA(m_trackRA, m_trackDec);
    }
    writeDebug(debugPosition("findTrackAction", m_trackRA, m_trackDec));
}

void FindObjects::trackObject()
{
    if (m_prefs.findIndex() == kNoObjectIndex)
        return;
    TrackView* view = m_track.view;
    if (view)
        view->setTrackIndex(m_prefs.findIndex());
    const bool viewFollows = !(view && view->keepSVClosed()) || m_prefs.isScopeRetainPolling();
    if (m_track.mount && m_track.mount->isConnected() && viewFollows)
        m_track.mount->gotoRA(m_trackRA, m_trackDec);
    else if (view)
        view->setTrackRA(m_trackRA, m_trackDec);
    if (view) {
        view->resetDeltas();
        view->setTitle(m_prefs.findName());
        if (!view->keepSVClosed() && !view->isMiniaturized()) {
            if (view->isWindowVisible())
                view->display();
            else
                view->orderFront();
        }
    }
    call(m_hooks.chartNeedsDisplay);
}

void FindObjects::findTCAction()
{
    findTrackAction();
    findCenterAction();
}

bool FindObjects::gotoCoordsRA(double ra, double dec)
{
    setTrackRA(ra, dec);
    m_isCoords = true;
    m_prefs.setFindIndex(kTypedPositionIndex);
    m_prefs.setFindName(QString::fromLatin1(kCoordsName));
    findTrackAction();
    return true;
}
