// The search without a window: spoken commands, scripting, the companion
// app, tours and the planner.
#include "find/FindObjects.h"
#include "find/FindObjectsMatch.h"
#include "find/FindSky.h"
#include "model/ObjectIndex.h"
#include "model/UnitVector.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr qsizetype kShortestPartialName = 3;

// The record of the two that comes first in the catalogue.
std::optional<std::uint32_t> earliest(std::optional<std::uint32_t> a, std::optional<std::uint32_t> b)
{
    if (a && b)
        return std::min(*a, *b);
    return a ? a : b;
}

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
    const CatalogueNames& names = catalogueNames();
    const QByteArray wanted = CatalogueNames::lowered(name.toUtf8());
    // NGC224 and ngc224, typed without the blank, find NGC 224.
    const QByteArray spaced = CatalogueNames::lowered(
        name.toLower().replace(QStringLiteral("ngc"), QStringLiteral("ngc ")).toUtf8());
    const std::string_view w(wanted.constData(), std::size_t(wanted.size()));
    const std::string_view s(spaced.constData(), std::size_t(spaced.size()));
    if (const std::optional<std::uint32_t> k = earliest(names.deepSkyNamed(w), names.deepSkyByNgc(s)))
        return voiceMatch(Match::of(m_sky.deepSkyData()[*k], kDeepSkyIndexBase, false, {}), name);
    if (name.size() >= kShortestPartialName) {
        if (const std::optional<std::uint32_t> k = names.cometContaining(w))
            return voiceMatch(Match::of(m_sky.comets()[*k], kCometIndexBase, true, {}), name);
        if (const std::optional<std::uint32_t> k = names.minorPlanetContaining(w))
            return voiceMatch(Match::of(m_sky.minorPlanets()[*k], kMinorPlanetIndexBase, true, {}), name);
    }
    if (const std::optional<std::uint32_t> k = names.starNamed(w))
        return voiceMatch(Match::of(m_sky.stars()[*k], kStarIndexBase, false, {}), name);
    return std::nullopt;
}

const CatalogueNames& FindObjects::catalogueNames()
{
    const std::uint64_t version = m_sky.catalogueVersion();
    if (!m_names || version != m_namesVersion) {
        m_names.emplace(m_sky);
        m_namesVersion = version;
    }
    return *m_names;
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
