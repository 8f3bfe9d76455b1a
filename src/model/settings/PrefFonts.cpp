#include "model/settings/PrefControl.h"

#include "model/settings/PrefKeys.h"
#include "model/settings/links/AllSkyDateStamp.h"
#include "model/settings/links/ChartRefresh.h"

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
        {&PrefControl::m_constellationColor, PrefKeys::ConstellationColor},
        {&PrefControl::m_constellationNameColor, PrefKeys::ConstellationNameColor},
        {&PrefControl::m_constellationBoundaryColor, PrefKeys::ConstellationBoundaryColor},
        {&PrefControl::m_planetNameColor, PrefKeys::PlanetNameColor},
        {&PrefControl::m_starNameColor, PrefKeys::StarNameColor},
        {&PrefControl::m_deepSkyNameColor, PrefKeys::DeepSkyNameColor},
        {&PrefControl::m_gridLinesColor, PrefKeys::GridLinesColor},
        {&PrefControl::m_gridLabelColor, PrefKeys::GridLabelColor},
        {&PrefControl::m_eclipticColor, PrefKeys::EclipticColor},
        {&PrefControl::m_horizonColor, PrefKeys::HorizonColor},
        {&PrefControl::m_cometNameColor, PrefKeys::CometNameColor},
        {&PrefControl::m_scopeViewGridColor, PrefKeys::ScopeViewGridColor},
        {&PrefControl::m_horizonLabelColor, PrefKeys::HorizonLabelColor},
        {&PrefControl::m_angleSepColor, PrefKeys::angleSepColor},
        {&PrefControl::m_pathColor, PrefKeys::PathColor},
        {&PrefControl::m_milkyWayColor, PrefKeys::MilkyWayColor},
        {&PrefControl::m_nomadMagColor, PrefKeys::NomadMagColor},
        {&PrefControl::m_nomadGridColor, PrefKeys::NomadGridColor},
    };
    static const ColorKey kAfterAllSky[] = {
        {&PrefControl::m_galaxyColor, PrefKeys::GalaxyColor},
        {&PrefControl::m_globularColor, PrefKeys::GlobularColor},
        {&PrefControl::m_openColor, PrefKeys::OpenColor},
        {&PrefControl::m_nebulaColor, PrefKeys::NebulaColor},
        {&PrefControl::m_cometColor, PrefKeys::CometColor},
        {&PrefControl::m_minorPlanetColor, PrefKeys::MinorPlanetColor},
        {&PrefControl::m_neoColor, PrefKeys::NEOColor},
    };
    for (const ColorKey& c : kBeforeAllSky)
        this->*c.field = m_store.readColor(c.key);
    changeMythColor(m_store.readColor(PrefKeys::MythColor));
    // The date stamp's colour belongs to its panel; nothing here keeps it.
    if (m_links.allSkyDateStamp)
        m_links.allSkyDateStamp->setDateColor(m_store.readColor(PrefKeys::AllSkyDateColor));
    for (const ColorKey& c : kAfterAllSky)
        this->*c.field = m_store.readColor(c.key);
}

void PrefControl::readFonts()
{
    static const FontKey kBeforeAllSky[] = {
        {&PrefControl::m_horizonLabelFont, PrefKeys::HorizonLabelFont},
        {&PrefControl::m_constellationNameFont, PrefKeys::ConstellationNameFont},
        {&PrefControl::m_planetNameFont, PrefKeys::PlanetNameFont},
        {&PrefControl::m_starNameFont, PrefKeys::StarNameFont},
        {&PrefControl::m_cometNamefont, PrefKeys::CometNameFont},
        {&PrefControl::m_deepSkyNameFont, PrefKeys::DeepSkyNameFont},
        {&PrefControl::m_gridLabelFont, PrefKeys::GridlabelFont},
        {&PrefControl::m_pathLabelFont, PrefKeys::PathLabelFont},
        {&PrefControl::m_angleSepFont, PrefKeys::AngleSepLabelFont},
        {&PrefControl::m_nomadMagFont, PrefKeys::NomadMagFont},
    };
    static const FontKey kAfterAllSky[] = {
        {&PrefControl::m_constellationPrintFont, PrefKeys::ConstellationPrintFont},
        {&PrefControl::m_planetPrintFont, PrefKeys::PlanetPrintFont},
        {&PrefControl::m_starPrintFont, PrefKeys::StarPrintFont},
        {&PrefControl::m_cometPrintFont, PrefKeys::CometPrintFont},
        {&PrefControl::m_deepSkyPrintFont, PrefKeys::DeepSkyPrintFont},
    };
    for (const FontKey& f : kBeforeAllSky)
        this->*f.field = m_store.readFont(f.key);
    // The telescope view's catalogue grid labels have no setting of their own.
    m_nomadGridFont = QFont(QStringLiteral("Geneva"), 9);
    if (m_links.allSkyDateStamp)
        m_links.allSkyDateStamp->setDateFont(m_store.readFont(PrefKeys::AllSkyDateFont));
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
         PrefKeys::ConstellationNameFont, PrefKeys::ConstellationNameColor},
        {&P::m_planetNameFont, &P::m_planetNameColor, &P::m_planetNameAttributes, PrefKeys::PlanetNameFont,
         PrefKeys::PlanetNameColor},
        {&P::m_starNameFont, &P::m_starNameColor, &P::m_starNameAttributes, PrefKeys::StarNameFont,
         PrefKeys::StarNameColor},
        {&P::m_cometNamefont, &P::m_cometNameColor, &P::m_cometNameAttributes, PrefKeys::CometNameFont,
         PrefKeys::CometNameColor},
        {&P::m_deepSkyNameFont, &P::m_deepSkyNameColor, &P::m_deepSkyNameAttributes, PrefKeys::DeepSkyNameFont,
         PrefKeys::DeepSkyNameColor},
        {&P::m_gridLabelFont, &P::m_gridLabelColor, &P::m_gridLabelAttributes, PrefKeys::GridlabelFont,
         PrefKeys::GridLabelColor},
        {&P::m_pathLabelFont, &P::m_pathColor, &P::m_pathLabelAttributes, PrefKeys::PathLabelFont, PrefKeys::PathColor},
        {&P::m_angleSepFont, &P::m_angleSepColor, &P::m_angleSepAttributes, PrefKeys::AngleSepLabelFont,
         PrefKeys::angleSepColor},
        {&P::m_horizonLabelFont, &P::m_horizonLabelColor, &P::m_horizonLabelAttributes, PrefKeys::HorizonLabelFont,
         PrefKeys::HorizonLabelColor},
        {&P::m_constellationPrintFont, nullptr, nullptr, PrefKeys::ConstellationPrintFont, nullptr},
        {&P::m_planetPrintFont, nullptr, nullptr, PrefKeys::PlanetPrintFont, nullptr},
        {&P::m_starPrintFont, nullptr, nullptr, PrefKeys::StarPrintFont, nullptr},
        {&P::m_cometPrintFont, nullptr, nullptr, PrefKeys::CometPrintFont, nullptr},
        {&P::m_deepSkyPrintFont, nullptr, nullptr, PrefKeys::DeepSkyPrintFont, nullptr},
        {&P::m_nomadMagFont, &P::m_nomadMagColor, &P::m_nomadMagAttributes, PrefKeys::NomadMagFont,
         PrefKeys::NomadMagColor},
        {nullptr, nullptr, nullptr, PrefKeys::AllSkyDateFont, PrefKeys::AllSkyDateColor},
    };
    return kind >= 1 && kind <= 16 ? &kKinds[kind - 1] : nullptr;
}

const PrefControl::ColorKind* PrefControl::colorKind(int kind)
{
    using P = PrefControl;
    static const ColorKind kKinds[16] = {
        {&P::m_constellationColor, PrefKeys::ConstellationColor},
        {&P::m_constellationBoundaryColor, PrefKeys::ConstellationBoundaryColor},
        {&P::m_gridLinesColor, PrefKeys::GridLinesColor},
        {&P::m_eclipticColor, PrefKeys::EclipticColor},
        {&P::m_horizonColor, PrefKeys::HorizonColor},
        {&P::m_pathColor, PrefKeys::PathColor},
        {&P::m_milkyWayColor, PrefKeys::MilkyWayColor},
        {&P::m_galaxyColor, PrefKeys::GalaxyColor},
        {&P::m_globularColor, PrefKeys::GlobularColor},
        {&P::m_openColor, PrefKeys::OpenColor},
        {&P::m_nebulaColor, PrefKeys::NebulaColor},
        {&P::m_cometColor, PrefKeys::CometColor},
        {&P::m_minorPlanetColor, PrefKeys::MinorPlanetColor},
        {&P::m_neoColor, PrefKeys::NEOColor},
        {&P::m_mythColor, PrefKeys::MythColor},
        {&P::m_nomadGridColor, PrefKeys::NomadGridColor},
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
