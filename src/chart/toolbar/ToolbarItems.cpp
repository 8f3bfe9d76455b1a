#include "chart/toolbar/ToolbarItems.h"

#include <QSet>

#include <algorithm>

namespace ToolbarItems {

namespace {

constexpr Item kItems[] = {
    {1, "Star Name Toolbar ID", "Star", "Show star names", "ToolbarButtonStar.png"},
    {2, "Planet Name Toolbar ID", "Planet", "Show planet names", "ToolbarButtonPlanet.png"},
    {3, "Comet Name Toolbar ID", "Comet", "Show comet names", "ToolbarButtonComet.png"},
    {4, "Deep Sky Name Toolbar ID", "Deep Sky", "Show deep sky names", "ToolbarButtonDeepSky.png"},
    {5, "Constellations Toolbar ID", "Const.", "Show constellations", "ToolbarButtonConstellations.png"},
    {6, "Boundaries Toolbar ID", "Boundary", "Show constellation boundaries", "ToolbarButtonBoundary.png"},
    {7, "RA/Dec Toolbar ID", "RA/Dec", "Show RA and Dec grid lines", "ToolbarButtonRADec.png"},
    {8, "Alt/Az Toolbar ID", "Alt/Az", "Show altitude and azimuth grid lines", "ToolbarButtonAltAz.png"},
    {9, "Ecliptic Toolbar ID", "Ecliptic", "Show the ecliptic line", "ToolbarButtonEcliptic.png"},
    {10, "Equator Toolbar ID", "Equator", "Show the celestial equator line", "ToolbarButtonEquator.png"},
    {11, "Milky Way Toolbar ID", "Milky Way", "Show the Milky Way", "ToolbarButtonMilkyWay.png"},
    {12, "Comet Path Toolbar ID", "Path", "Plot planet and comet paths", "ToolbarButtonPath.png"},
    {13, "Deep Sky Photo Toolbar ID", "Photo", "Show deep sky photographs", "ToolbarButtonPhoto.png"},
    {14, "Below Horizon Toolbar ID", "Below", "Show what is below the horizon", "ToolbarButtonBelowHorizon.png"},
    {15, "Time Toolbar ID", "Time", "Open Time Control Window", "ToolbarButtonTime.png"},
    {16, "Direction Toolbar ID", "Direction", "Open Direction/View Angle Control Window",
     "ToolbarButtonDirection.png"},
    {17, "Horizon Mist Toolbar ID", "Mist", "Show a mist 15 deg above the horizon", "ToolbarButtonMist.png"},
    {0, "Time View Toolbar ID", "S  M  H  D", "Control time in the toolbar", ""},
    {19, "Solar System Window Toolbar ID", "Orbits", "Open Solar System Window", "ToolbarButtonSS.png"},
    {20, "Scope Window Toolbar ID", "Scope", "Open Scope View Window", "ToolbarButtonSV.png"},
    {21, "Myth Toolbar ID", "Myth", "Show constellation mythological forms", "ToolbarButtonMyth.png"},
    {22, "Meridian Toolbar ID", "Meridian", "Show local meridian", "ToolbarButtonMeridian.png"},
    {23, "Outlines Toolbar ID", "Outlines", "Show outlines in ScopeView window", "ToolbarButtonOutlines.png"},
    {kFindTag, "Find Toolbar ID", "Find Object", "Find and center object", ""},
};

}  // namespace

bool isSpacer(const QString& identifier)
{
    return identifier == kFlexibleSpace || identifier == kSpace || identifier == kSeparator;
}

const Item* item(const QString& identifier)
{
    for (const Item& i : kItems)
        if (identifier == QLatin1String(i.identifier))
            return &i;
    return nullptr;
}

const Item* itemWithTag(int tag)
{
    for (const Item& i : kItems)
        if (tag != 0 && i.tag == tag)
            return &i;
    return nullptr;
}

QStringList defaultItemIdentifiers()
{
    return {"Star Name Toolbar ID", "Planet Name Toolbar ID", "Comet Name Toolbar ID", "Deep Sky Name Toolbar ID",
            kSeparator, "Constellations Toolbar ID", "RA/Dec Toolbar ID", "Alt/Az Toolbar ID",
            "Milky Way Toolbar ID", "Comet Path Toolbar ID", "Deep Sky Photo Toolbar ID", kSeparator,
            "Time Toolbar ID", "Direction Toolbar ID", kFlexibleSpace, kFind, kCustomize};
}

QStringList allowedItemIdentifiers()
{
    QStringList allowed = {kFlexibleSpace, kSpace, kSeparator, kCustomize};
    for (const char* words : {"Star Name", "Planet Name", "Comet Name", "Deep Sky Name", "Constellations",
                              "Boundaries", "Myth", "RA/Dec", "Alt/Az", "Ecliptic", "Equator", "Milky Way",
                              "Comet Path", "Deep Sky Photo", "Below Horizon", "Horizon Mist", "Time",
                              "Direction", "Time View", "Solar System Window", "Scope Window", "Meridian",
                              "Outlines", "Find"})
        allowed.append(QString::fromLatin1(words) + QStringLiteral(" Toolbar ID"));
    return allowed;
}

QStringList restoredItemIdentifiers(const QStringList& saved)
{
    const QStringList allowed = allowedItemIdentifiers();
    QStringList restored;
    QSet<QString> placed;
    for (const QString& identifier : saved) {
        if (!allowed.contains(identifier))
            continue;
        if (!isSpacer(identifier) && placed.contains(identifier))
            continue;
        placed.insert(identifier);
        restored.append(identifier);
    }
    const bool hasItem = std::any_of(restored.begin(), restored.end(),
                                     [](const QString& identifier) { return !isSpacer(identifier); });
    return hasItem ? restored : defaultItemIdentifiers();
}

}  // namespace ToolbarItems
