// The panel search: the find panel's entry and its candidate pull-down.
#include "find/FindMessages.h"
#include "find/FindObjects.h"
#include "find/FindObjectsMatch.h"
#include "find/FindSky.h"
#include "model/ObjectIndex.h"
#include "model/SkyCoordinates.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

using namespace FindMessages;

namespace {

constexpr qsizetype kShortestPartialName = 3;

// Trimmed and upper-cased; a catalogue prefix typed against its number gets
// a blank (ngc224 → NGC 224, ic434 → IC 434), a Messier number typed with one
// loses it (m 31 → M31). Letters followed by letters are a name: SPICA stays.
QString normalised(const QString& entry)
{
    static const QRegularExpression messier(QStringLiteral("^M\\s+(\\d+)$"));
    static const QRegularExpression ngc(QStringLiteral("NGC(?=\\d)"));
    static const QRegularExpression ic(QStringLiteral("IC(?=\\d)"));
    QString input = entry.trimmed().toUpper();
    if (input.contains(messier))
        return input.replace(messier, QStringLiteral("M\\1"));
    if (input.contains(u' '))
        return input;
    if (input.contains(ngc))
        input.replace(ngc, QStringLiteral("NGC "));
    else
        input.replace(ic, QStringLiteral("IC "));
    return input;
}

// The titles in order, each once, at the place it was last added.
QStringList uniqueTitles(std::vector<QString>& titles)
{
    QSet<QString> seen;
    QStringList kept;
    for (auto it = titles.rbegin(); it != titles.rend(); ++it)
        if (!seen.contains(*it)) {
            seen.insert(*it);
            kept.append(std::move(*it));
        }
    std::reverse(kept.begin(), kept.end());
    return kept;
}

}  // namespace

void FindObjects::findObjectName(const QString& entry)
{
    runPanelSearch(normalised(entry));
}

void FindObjects::findPulldownAction(const QString& title)
{
    m_scanDone = true;
    runPanelSearch(title);
}

void FindObjects::resetSelection()
{
    // An answer to an earlier lookup must not replace what this search finds.
    m_lookup.cancel();
    m_prefs.setFindIndex(kNoObjectIndex);
    m_isCoords = false;
    m_prefs.setIsMarkCenter(false);
}

void FindObjects::runPanelSearch(QString input)
{
    resetSelection();
    enableButtons(false, false);
    m_panel.pulldownItems.clear();
    m_panel.pulldownTitle.clear();
    m_panel.isPulldownEnabled = false;

    if (input.compare(u"clear", Qt::CaseInsensitive) == 0) {
        m_sky.clearSimStar();
        call(m_hooks.redrawScopeView);
        call(m_hooks.chartNeedsDisplay);
        call(m_hooks.escapePanel);
        call(m_hooks.orderOutFindPanel);
    } else if (input.compare(u"Linear", Qt::CaseInsensitive) == 0) {
        setResult(windows(kLinear));
    } else {
        if (input.compare(u"neo", Qt::CaseInsensitive) == 0)
            input = m_sky.neoName();
        if (!panelTypedPosition(input) && !panelPlanet(input) && partialPass(input))
            exactPass(input);
    }
    emit panelChanged();
}

bool FindObjects::panelTypedPosition(const QString& input)
{
    if (!input.contains(u':'))
        return false;
    const TypedPosition::Result typed = TypedPosition::parse(input);
    switch (typed.outcome) {
    case TypedPosition::Outcome::Name:
        return false;
    case TypedPosition::Outcome::BadFormat:
        setResult(windows(kFormat));
        return true;
    case TypedPosition::Outcome::Position:
        break;
    }
    storeTypedPosition(typed.position, input);
    enableButtons(true, true);
    setResult(input + windows(kHasBeenFound));
    return true;
}

bool FindObjects::panelPlanet(const QString& input)
{
    const std::span<const planet> planets = m_sky.planets();
    for (int k = FindNaming::kFirstPanelPlanet;
         k <= FindNaming::kLastNamedPlanet && std::size_t(k) < planets.size(); ++k) {
        const QString name = FindNaming::planetName(k);
        if (input.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const planet& p = planets[std::size_t(k)];
        if (isBelowHorizon(p.horZ) || isBehindProfile(p.ra, p.dec)) {
            setResult(name + windows(kBelowHorizon));
            return true;
        }
        setTrackRA(p.ra, p.dec);
        m_prefs.setFindPoint(QPointF(p.screenX, p.screenY));
        m_prefs.setFindIndex(kPlanetIndexBase + p.index);
        m_prefs.setFindName(input);
        enableButtons(true, true);
        setResult(name + windows(kHasBeenFound));
        return true;
    }
    return false;
}

bool FindObjects::partialPass(QString& input)
{
    if (m_scanDone)
        return true;
    using FieldMatch::contains;
    using FieldMatch::equals;
    using FieldMatch::text;
    const QByteArray wanted = input.toUtf8();
    const bool isLong = input.size() >= kShortestPartialName;
    std::vector<QString> titles;
    const auto add = [&titles](std::string_view field) {
        titles.push_back(QString::fromLatin1(field.data(), qsizetype(field.size())));
    };
    const auto addIfContains = [&](std::string_view field) {
        if (isLong && contains(field, wanted))
            add(field);
    };

    if (isLong)
        for (const conLocn& c : m_sky.conLocnArray())
            if (!c.name.isEmpty() && c.name.contains(input, Qt::CaseInsensitive))
                titles.push_back(c.name);
    for (const deepSky& d : m_sky.deepSkyData()) {
        addIfContains(text(d.name));
        addIfContains(text(d.ngc));
        if (equals(text(d.messier), wanted))
            add(text(d.messier));
    }
    if (isLong) {
        for (const comet& c : m_sky.comets())
            addIfContains(text(c.name));
        for (const minorPlanet& m : m_sky.minorPlanets())
            addIfContains(text(m.name));
        for (const star& s : m_sky.stars()) {
            addIfContains(text(s.name));
            addIfContains(text(s.bayer));
            addIfContains(text(s.sao));
        }
    }

    const QStringList found = uniqueTitles(titles);
    if (found.isEmpty()) {
        setResult(QString::fromLatin1(kSearching));
        if (!findSIMBAD(input))
            lookupFailed(input + windows(kCanNotBeFound));
        return false;
    }
    // A title that is the whole name typed beats those that only contain it.
    const auto exact = std::find_if(found.cbegin(), found.cend(), [&input](const QString& title) {
        return title.compare(input, Qt::CaseInsensitive) == 0;
    });
    if (found.size() == 1 || exact != found.cend()) {
        const QString title = exact != found.cend() ? *exact : found.first();
        m_panel.pulldownItems = QStringList{title};
        m_panel.pulldownTitle = title;
        input = title;
        return true;
    }
    m_panel.pulldownItems = QStringList{QString::fromLatin1(FindPanelState::kListTitle)} + found;
    m_panel.pulldownTitle = m_panel.pulldownItems.first();
    m_panel.isPulldownEnabled = true;
    setResult(QString::fromLatin1(kSelectFromList));
    return false;
}

void FindObjects::exactPass(const QString& input)
{
    m_scanDone = false;
    for (const conLocn& c : m_sky.conLocnArray()) {
        if (c.name.isEmpty() || input.compare(c.name, Qt::CaseInsensitive) != 0)
            continue;
        if (isBelowHorizon(c.horZ)) {
            setResult(c.name + windows(kBelowHorizon));
            return;
        }
        SkyCoordinates::raDecOfVector(c.vecX, c.vecY, c.vecZ, &m_ra, &m_dec);
        if (isBehindProfile(m_ra, m_dec)) {
            setResult(c.name + windows(kBelowHorizon));
            return;
        }
        m_isCoords = true;
        enableButtons(true, false);
        setResult(c.name + windows(kHasBeenFound));
        return;
    }
    if (const std::optional<Match> match = exactMatch(input.toUtf8()))
        selectMatch(*match, input);
}

void FindObjects::selectMatch(const Match& match, const QString& input)
{
    if (placeMatch(match) == Visibility::Hidden) {
        setResult(match.displayName + windows(kBelowHorizon));
        return;
    }
    const int index = match.indexBase + int(match.index);
    const bool isFiltered = match.state == kStateFiltered;
    if (isFiltered) {
        enableButtons(true, false);
        setResult(match.displayName + windows(kFilteredOut));
        m_prefs.setFindIndex(index);
        m_sky.calculateStarPositions(false);
    }
    m_prefs.setFindPoint(match.screenPoint());
    m_prefs.setFindIndex(index);
    m_prefs.setFindName(input);
    setTrackRA(m_ra, m_dec);
    enableButtons(true, true);
    if (!isFiltered)
        setResult(match.displayName + windows(kHasBeenFound));
}
