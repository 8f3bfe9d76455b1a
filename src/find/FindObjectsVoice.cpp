// The search without a window: spoken commands, scripting, the companion
// app, tours and the planner.
#include "find/FindObjects.h"
#include "find/FindObjectsMatch.h"
#include "find/FindSky.h"
#include "model/ObjectIndex.h"
#include "model/UnitVector.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"

namespace {

constexpr qsizetype kShortestPartialName = 3;

}  // namespace

FindResultCode FindObjects::findVoiceName(const QString& name)
{
    resetSelection();
    if (name.compare(u"Linear", Qt::CaseInsensitive) == 0)
        return findResultAmbiguous;
    if (name.isEmpty() || name == u" ")
        return findResultNotFound;
    if (const std::optional<FindResultCode> code = voicePlanet(name))
        return *code;
    if (const std::optional<FindResultCode> code = voiceCatalogues(name))
        return *code;
    if (const std::optional<FindResultCode> code = voiceTypedPosition(name))
        return *code;
    return findSimFile(name).value_or(findResultNotFound);
}

std::optional<FindResultCode> FindObjects::voicePlanet(const QString& name)
{
    const std::span<const planet> planets = m_sky.planets();
    for (int k = FindNaming::kFirstNamedPlanet;
         k <= FindNaming::kLastNamedPlanet && std::size_t(k) < planets.size(); ++k) {
        if (name.compare(QLatin1String(FindNaming::kPlanetNames[k]), Qt::CaseInsensitive) != 0)
            continue;
        const planet& p = planets[std::size_t(k)];
        if (isBelowHorizon(p.horZ) || isBehindProfile(p.ra, p.dec))
            return findResultBelowHorizon;
        setTrackRA(p.ra, p.dec);
        m_prefs.setFindPoint(QPointF(p.screenX, p.screenY));
        m_prefs.setFindIndex(kPlanetIndexBase + p.index);
        m_prefs.setFindName(name);
        return findResultFound;
    }
    return std::nullopt;
}

std::optional<FindResultCode> FindObjects::voiceCatalogues(const QString& name)
{
    using FieldMatch::contains;
    using FieldMatch::equals;
    using FieldMatch::text;
    const QByteArray wanted = name.toUtf8();
    // NGC224 and ngc224, typed without the blank, find NGC 224.
    const QByteArray spaced =
        name.toLower().replace(QStringLiteral("ngc"), QStringLiteral("ngc ")).toUtf8();
    for (const deepSky& d : m_sky.deepSkyData())
        if (equals(text(d.name), wanted) || equals(text(d.ngc), wanted)
            || equals(text(d.ngc), spaced) || equals(text(d.messier), wanted))
            return voiceMatch(Match::of(d, kDeepSkyIndexBase, false, {}), name);
    if (name.size() >= kShortestPartialName) {
        for (const comet& c : m_sky.comets())
            if (contains(text(c.name), wanted))
                return voiceMatch(Match::of(c, kCometIndexBase, true, {}), name);
        for (const minorPlanet& m : m_sky.minorPlanets())
            if (contains(text(m.name), wanted))
                return voiceMatch(Match::of(m, kMinorPlanetIndexBase, true, {}), name);
    }
    for (const star& s : m_sky.stars())
        if (equals(text(s.name), wanted) || equals(text(s.bayer), wanted)
            || equals(text(s.sao), wanted))
            return voiceMatch(Match::of(s, kStarIndexBase, false, {}), name);
    return std::nullopt;
}

std::optional<FindResultCode> FindObjects::voiceMatch(const Match& match, const QString& name)
{
    if (placeMatch(match) == Visibility::Hidden)
        return findResultBelowHorizon;
    if (match.state == kStateFiltered)
        return findResultFiltered;
    m_prefs.setFindPoint(match.screenPoint());
    m_prefs.setFindIndex(match.indexBase + int(match.index));
    m_prefs.setFindName(name);
    setTrackRA(m_ra, m_dec);
    return findResultFound;
}

std::optional<FindResultCode> FindObjects::voiceTypedPosition(const QString& name)
{
    if (!name.contains(u':'))
        return std::nullopt;
    const TypedPosition::Result typed = TypedPosition::parse(name);
    if (typed.outcome != TypedPosition::Outcome::Position)
        return std::nullopt;
    TypedPosition::Position position = typed.position;
    if (position.form == TypedPosition::Form::FourPart) {
        // The planners and the companion app send J2000 positions in this form.
        const UnitVector v = UnitVector::fromRADec(position.ra, position.dec);
        raDecOfDate(v.x, v.y, v.z, &position.ra, &position.dec);
    }
    if (position.form != TypedPosition::Form::J2000 && isBehindProfile(position.ra, position.dec))
        return findResultBelowHorizon;
    storeTypedPosition(position, name);
    return findResultFound;
}
