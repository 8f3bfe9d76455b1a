#include "model/PrefControl.h"

#include "model/AllSkyDateStamp.h"

namespace {

struct ColorKey {
    QColor PrefControl::*field;
    const char* key;
};

struct FontKey {
    QFont PrefControl::*field;
    const char* key;
};

}  // namespace

void PrefControl::readColors()
{
    static const ColorKey kBeforeAllSky[] = {
        {&PrefControl::m_constellationColor, "ConstellationColorPref"},
        {&PrefControl::m_constellationNameColor, "ConstellationNameColorPref"},
        {&PrefControl::m_constellationBoundaryColor, "ConstellationBoundaryColorPref"},
        {&PrefControl::m_planetNameColor, "PlanetNameColorPref"},
        {&PrefControl::m_starNameColor, "StarNameColorPref"},
        {&PrefControl::m_deepSkyNameColor, "DeepSkyNameColorPref"},
        {&PrefControl::m_gridLinesColor, "GridLinesColorPref"},
        {&PrefControl::m_gridLabelColor, "GridLabelColorPref"},
        {&PrefControl::m_eclipticColor, "EclipticColorPref"},
        {&PrefControl::m_horizonColor, "HorizonColorPref"},
        {&PrefControl::m_cometNameColor, "CometNameColorPref"},
        {&PrefControl::m_scopeViewGridColor, "ScopeViewGridColorPref"},
        {&PrefControl::m_horizonLabelColor, "HorizonLabelColorPref"},
        {&PrefControl::m_angleSepColor, "angleSepColorPref"},
        {&PrefControl::m_pathColor, "PathColorPref"},
        {&PrefControl::m_milkyWayColor, "MilkyWayColorPref"},
        {&PrefControl::m_mythColor, "MythColorPref"},
        {&PrefControl::m_nomadMagColor, "NomadMagColorPref"},
        {&PrefControl::m_nomadGridColor, "NomadGridColorPref"},
    };
    static const ColorKey kAfterAllSky[] = {
        {&PrefControl::m_galaxyColor, "GalaxyColorPref"},
        {&PrefControl::m_globularColor, "GlobularColorPref"},
        {&PrefControl::m_openColor, "OpenColorPref"},
        {&PrefControl::m_nebulaColor, "NebulaColorPref"},
        {&PrefControl::m_cometColor, "CometColorPref"},
        {&PrefControl::m_minorPlanetColor, "MinorPlanetColorPref"},
        {&PrefControl::m_neoColor, "NEOColorPref"},
    };
    for (const ColorKey& c : kBeforeAllSky)
        this->*c.field = m_store.readColor(c.key);
    // The date stamp's colour belongs to its panel; nothing here keeps it.
    if (m_links.allSkyDateStamp)
        m_links.allSkyDateStamp->setDateColor(m_store.readColor("AllSkyDateColorPref"));
    for (const ColorKey& c : kAfterAllSky)
        this->*c.field = m_store.readColor(c.key);
}

void PrefControl::readFonts()
{
    static const FontKey kBeforeAllSky[] = {
        {&PrefControl::m_horizonLabelFont, "HorizonLabelFontPref"},
        {&PrefControl::m_constellationNameFont, "ConstellationNameFontPref"},
        {&PrefControl::m_planetNameFont, "PlanetNameFontPref"},
        {&PrefControl::m_starNameFont, "StarNameFontPref"},
        {&PrefControl::m_cometNamefont, "CometNameFontPref"},
        {&PrefControl::m_deepSkyNameFont, "DeepSkyNameFontPref"},
        {&PrefControl::m_gridLabelFont, "GridlabelFontPref"},
        {&PrefControl::m_pathLabelFont, "PathLabelFontPref"},
        {&PrefControl::m_angleSepFont, "AngleSepLabelFontPref"},
        {&PrefControl::m_nomadMagFont, "NomadMagFontPref"},
    };
    static const FontKey kAfterAllSky[] = {
        {&PrefControl::m_constellationPrintFont, "ConstellationPrintFontPref"},
        {&PrefControl::m_planetPrintFont, "PlanetPrintFontPref"},
        {&PrefControl::m_starPrintFont, "StarPrintFontPref"},
        {&PrefControl::m_cometPrintFont, "CometPrintFontPref"},
        {&PrefControl::m_deepSkyPrintFont, "DeepSkyPrintFontPref"},
    };
    for (const FontKey& f : kBeforeAllSky)
        this->*f.field = m_store.readFont(f.key);
    // The telescope view's catalogue grid labels have no setting of their own.
    m_nomadGridFont = QFont(QStringLiteral("Geneva"), 9);
    if (m_links.allSkyDateStamp)
        m_links.allSkyDateStamp->setDateFont(m_store.readFont("AllSkyDateFontPref"));
    for (const FontKey& f : kAfterAllSky)
        this->*f.field = m_store.readFont(f.key);
}

void PrefControl::buildAttributeSets()
{
    m_horizonLabelAttributes = {m_horizonLabelFont, m_horizonLabelColor};
    m_constellationNameAttributes = {m_constellationNameFont, m_constellationNameColor};
    m_planetNameAttributes = {m_planetNameFont, m_planetNameColor};
    m_starNameAttributes = {m_starNameFont, m_starNameColor};
    m_cometNameAttributes = {m_cometNamefont, m_cometNameColor};
    m_deepSkyNameAttributes = {m_deepSkyNameFont, m_deepSkyNameColor};
    m_gridLabelAttributes = {m_gridLabelFont, m_gridLabelColor};
    m_pathLabelAttributes = {m_pathLabelFont, m_pathColor};
    m_angleSepAttributes = {m_angleSepFont, m_angleSepColor};
    m_nomadMagAttributes = {m_nomadMagFont, m_nomadMagColor};
    m_nomadGridAttributes = {m_nomadGridFont, m_nomadGridColor};
}
