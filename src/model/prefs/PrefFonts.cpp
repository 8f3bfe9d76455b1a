#include "model/prefs/PrefControl.h"

#include "model/prefs/links/AllSkyDateStamp.h"
#include "model/prefs/links/ChartRefresh.h"

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
    changeMythColor(m_store.readColor("MythColorPref"));
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

// A label kind: its font and colour fields, its attribute set and its keys.
// Print kinds have no colour; the all-sky date stamp (16) has only keys.
struct PrefControl::LabelKind {
    QFont PrefControl::*font;
    QColor PrefControl::*color;
    TextAttributes PrefControl::*attributes;
    const char* fontKey;
    const char* colorKey;
};

struct PrefControl::ColorKind {
    QColor PrefControl::*color;
    const char* key;
};

const PrefControl::LabelKind* PrefControl::labelKind(int kind)
{
    using P = PrefControl;
    static const LabelKind kKinds[16] = {
        {&P::m_constellationNameFont, &P::m_constellationNameColor, &P::m_constellationNameAttributes,
         "ConstellationNameFontPref", "ConstellationNameColorPref"},
        {&P::m_planetNameFont, &P::m_planetNameColor, &P::m_planetNameAttributes, "PlanetNameFontPref",
         "PlanetNameColorPref"},
        {&P::m_starNameFont, &P::m_starNameColor, &P::m_starNameAttributes, "StarNameFontPref",
         "StarNameColorPref"},
        {&P::m_cometNamefont, &P::m_cometNameColor, &P::m_cometNameAttributes, "CometNameFontPref",
         "CometNameColorPref"},
        {&P::m_deepSkyNameFont, &P::m_deepSkyNameColor, &P::m_deepSkyNameAttributes, "DeepSkyNameFontPref",
         "DeepSkyNameColorPref"},
        {&P::m_gridLabelFont, &P::m_gridLabelColor, &P::m_gridLabelAttributes, "GridlabelFontPref",
         "GridLabelColorPref"},
        {&P::m_pathLabelFont, &P::m_pathColor, &P::m_pathLabelAttributes, "PathLabelFontPref", "PathColorPref"},
        {&P::m_angleSepFont, &P::m_angleSepColor, &P::m_angleSepAttributes, "AngleSepLabelFontPref",
         "angleSepColorPref"},
        {&P::m_horizonLabelFont, &P::m_horizonLabelColor, &P::m_horizonLabelAttributes, "HorizonLabelFontPref",
         "HorizonLabelColorPref"},
        {&P::m_constellationPrintFont, nullptr, nullptr, "ConstellationPrintFontPref", nullptr},
        {&P::m_planetPrintFont, nullptr, nullptr, "PlanetPrintFontPref", nullptr},
        {&P::m_starPrintFont, nullptr, nullptr, "StarPrintFontPref", nullptr},
        {&P::m_cometPrintFont, nullptr, nullptr, "CometPrintFontPref", nullptr},
        {&P::m_deepSkyPrintFont, nullptr, nullptr, "DeepSkyPrintFontPref", nullptr},
        {&P::m_nomadMagFont, &P::m_nomadMagColor, &P::m_nomadMagAttributes, "NomadMagFontPref",
         "NomadMagColorPref"},
        {nullptr, nullptr, nullptr, "AllSkyDateFontPref", "AllSkyDateColorPref"},
    };
    return kind >= 1 && kind <= 16 ? &kKinds[kind - 1] : nullptr;
}

const PrefControl::ColorKind* PrefControl::colorKind(int kind)
{
    using P = PrefControl;
    static const ColorKind kKinds[16] = {
        {&P::m_constellationColor, "ConstellationColorPref"},
        {&P::m_constellationBoundaryColor, "ConstellationBoundaryColorPref"},
        {&P::m_gridLinesColor, "GridLinesColorPref"},
        {&P::m_eclipticColor, "EclipticColorPref"},
        {&P::m_horizonColor, "HorizonColorPref"},
        {&P::m_pathColor, "PathColorPref"},
        {&P::m_milkyWayColor, "MilkyWayColorPref"},
        {&P::m_galaxyColor, "GalaxyColorPref"},
        {&P::m_globularColor, "GlobularColorPref"},
        {&P::m_openColor, "OpenColorPref"},
        {&P::m_nebulaColor, "NebulaColorPref"},
        {&P::m_cometColor, "CometColorPref"},
        {&P::m_minorPlanetColor, "MinorPlanetColorPref"},
        {&P::m_neoColor, "NEOColorPref"},
        {&P::m_mythColor, "MythColorPref"},
        {&P::m_nomadGridColor, "NomadGridColorPref"},
    };
    return kind >= 1 && kind <= 16 ? &kKinds[kind - 1] : nullptr;
}

void PrefControl::changeMythColor(const QColor& color)
{
    // The chart tints its figure images again while this flag is set.
    if (m_mythColor != color)
        m_isMythColor = true;
    m_mythColor = color;
}

void PrefControl::saveFont(int labelStyleKind, const QFont& font, const QColor& color)
{
    const LabelKind* kind = labelKind(labelStyleKind);
    if (kind == nullptr)
        return;
    // A colour that is not given (as for the print kinds) is neither held nor stored.
    const bool hasColor = kind->colorKey != nullptr && color.isValid();
    if (kind->font)
        this->*kind->font = font;
    if (kind->color && hasColor)
        this->*kind->color = color;
    if (kind->attributes) {
        (this->*kind->attributes).font = font;
        if (hasColor)
            (this->*kind->attributes).color = color;
    }
    m_store.writeFont(kind->fontKey, font);
    if (hasColor)
        m_store.writeColor(kind->colorKey, color);
}

void PrefControl::revertFont(int labelStyleKind, bool toDefault)
{
    const LabelKind* kind = labelStyleKind == 16 ? nullptr : labelKind(labelStyleKind);
    if (kind == nullptr)
        return;
    if (toDefault) {
        m_store.remove(kind->fontKey);
        if (kind->colorKey)
            m_store.remove(kind->colorKey);
    }
    this->*kind->font = m_store.readFont(kind->fontKey);
    if (kind->color)
        this->*kind->color = m_store.readColor(kind->colorKey);
    if (kind->attributes)
        this->*kind->attributes = {this->*kind->font, this->*kind->color};
}

void PrefControl::saveColor(int objectColorKind, const QColor& color)
{
    const ColorKind* kind = colorKind(objectColorKind);
    if (kind == nullptr || !color.isValid())
        return;
    if (kind->color == &PrefControl::m_mythColor) {
        m_mythColor = color;
        m_isMythColor = true;
    } else {
        this->*kind->color = color;
    }
    if (kind->color == &PrefControl::m_nomadGridColor)
        m_nomadGridAttributes.color = color;
    m_store.writeColor(kind->key, color);
}

void PrefControl::revertColor(int objectColorKind, bool toDefault)
{
    const ColorKind* kind = colorKind(objectColorKind);
    if (kind == nullptr)
        return;
    if (toDefault)
        m_store.remove(kind->key);
    const QColor color = m_store.readColor(kind->key);
    if (kind->color == &PrefControl::m_mythColor)
        changeMythColor(color);
    else
        this->*kind->color = color;
    if (kind->color == &PrefControl::m_nomadGridColor)
        m_nomadGridAttributes.color = color;
}

void PrefControl::setNightVisionColor()
{
    static const int kLabelKindsWithColor[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 15};
    if (m_isNightVision) {
        const QColor red = QColor::fromRgbF(0.7f, 0.0f, 0.0f, 1.0f);
        for (int k : kLabelKindsWithColor) {
            const LabelKind* kind = labelKind(k);
            this->*kind->color = red;
            (this->*kind->attributes).color = red;
        }
        for (int k = 1; k <= 16; ++k) {
            const ColorKind* kind = colorKind(k);
            if (kind->color == &PrefControl::m_mythColor)
                changeMythColor(red);
            else
                this->*kind->color = red;
        }
        m_nomadGridAttributes.color = red;
    } else {
        for (int k : kLabelKindsWithColor)
            revertFont(k, false);
        for (int k = 1; k <= 16; ++k)
            revertColor(k, false);
    }
    if (m_links.chartRefresh)
        m_links.chartRefresh->updateSkyAndColor();
}
