#pragma once

#include "model/settings/TextAttributes.h"

#include <QColor>
#include <QFont>

// The fonts and colours the chart, its print view and the telescope view
// draw with, and the text attributes of each label kind. The settings object
// reads, saves, reverts and dims them; the attribute sets keep their identity
// for the whole run, so a drawing object may keep a reference.
class PrefStyles {
public:
    // Colours.
    QColor constellationColor() const { return m_constellationColor; }
    QColor constellationNameColor() const { return m_constellationNameColor; }
    QColor constellationBoundaryColor() const { return m_constellationBoundaryColor; }
    QColor planetNameColor() const { return m_planetNameColor; }
    QColor starNameColor() const { return m_starNameColor; }
    QColor deepSkyNameColor() const { return m_deepSkyNameColor; }
    QColor gridLinesColor() const { return m_gridLinesColor; }
    QColor gridLabelColor() const { return m_gridLabelColor; }
    QColor eclipticColor() const { return m_eclipticColor; }
    QColor horizonColor() const { return m_horizonColor; }
    QColor cometNameColor() const { return m_cometNameColor; }
    QColor scopeViewGridColor() const { return m_scopeViewGridColor; }
    QColor horizonLabelColor() const { return m_horizonLabelColor; }
    QColor angleSepColor() const { return m_angleSepColor; }
    QColor pathColor() const { return m_pathColor; }
    QColor milkyWayColor() const { return m_milkyWayColor; }
    QColor mythColor() const { return m_mythColor; }
    QColor nomadMagColor() const { return m_nomadMagColor; }
    QColor nomadGridColor() const { return m_nomadGridColor; }
    QColor galaxyColor() const { return m_galaxyColor; }
    QColor globularColor() const { return m_globularColor; }
    QColor openColor() const { return m_openColor; }
    QColor nebulaColor() const { return m_nebulaColor; }
    QColor cometColor() const { return m_cometColor; }
    QColor minorPlanetColor() const { return m_minorPlanetColor; }
    QColor neoColor() const { return m_neoColor; }

    // Fonts.
    QFont horizonLabelFont() const { return m_horizonLabelFont; }
    QFont constellationNameFont() const { return m_constellationNameFont; }
    QFont planetNameFont() const { return m_planetNameFont; }
    QFont starNameFont() const { return m_starNameFont; }
    QFont cometNamefont() const { return m_cometNamefont; }
    QFont deepSkyNameFont() const { return m_deepSkyNameFont; }
    QFont gridLabelFont() const { return m_gridLabelFont; }
    QFont pathLabelFont() const { return m_pathLabelFont; }
    QFont angleSepFont() const { return m_angleSepFont; }
    QFont nomadMagFont() const { return m_nomadMagFont; }
    QFont nomadGridFont() const { return m_nomadGridFont; }
    QFont constellationPrintFont() const { return m_constellationPrintFont; }
    QFont planetPrintFont() const { return m_planetPrintFont; }
    QFont starPrintFont() const { return m_starPrintFont; }
    QFont cometPrintFont() const { return m_cometPrintFont; }
    QFont deepSkyPrintFont() const { return m_deepSkyPrintFont; }

    // What the chart draws each label kind with.
    const TextAttributes& horizonLabelAttributes() const { return m_horizonLabelAttributes; }
    const TextAttributes& constellationNameAttributes() const { return m_constellationNameAttributes; }
    const TextAttributes& planetNameAttributes() const { return m_planetNameAttributes; }
    const TextAttributes& starNameAttributes() const { return m_starNameAttributes; }
    const TextAttributes& cometNameAttributes() const { return m_cometNameAttributes; }
    const TextAttributes& deepSkyNameAttributes() const { return m_deepSkyNameAttributes; }
    const TextAttributes& gridLabelAttributes() const { return m_gridLabelAttributes; }
    const TextAttributes& pathLabelAttributes() const { return m_pathLabelAttributes; }
    const TextAttributes& angleSepAttributes() const { return m_angleSepAttributes; }
    const TextAttributes& nomadMagAttributes() const { return m_nomadMagAttributes; }
    const TextAttributes& nomadGridAttributes() const { return m_nomadGridAttributes; }

protected:
    ~PrefStyles() = default;

    QColor m_constellationColor;
    QColor m_constellationNameColor;
    QColor m_constellationBoundaryColor;
    QColor m_planetNameColor;
    QColor m_starNameColor;
    QColor m_deepSkyNameColor;
    QColor m_gridLinesColor;
    QColor m_gridLabelColor;
    QColor m_eclipticColor;
    QColor m_horizonColor;
    QColor m_cometNameColor;
    QColor m_scopeViewGridColor;
    QColor m_horizonLabelColor;
    QColor m_angleSepColor;
    QColor m_pathColor;
    QColor m_milkyWayColor;
    QColor m_mythColor;
    QColor m_nomadMagColor;
    QColor m_nomadGridColor;
    QColor m_galaxyColor;
    QColor m_globularColor;
    QColor m_openColor;
    QColor m_nebulaColor;
    QColor m_cometColor;
    QColor m_minorPlanetColor;
    QColor m_neoColor;

    QFont m_horizonLabelFont;
    QFont m_constellationNameFont;
    QFont m_planetNameFont;
    QFont m_starNameFont;
    QFont m_cometNamefont;
    QFont m_deepSkyNameFont;
    QFont m_gridLabelFont;
    QFont m_pathLabelFont;
    QFont m_angleSepFont;
    QFont m_nomadMagFont;
    QFont m_nomadGridFont;
    QFont m_constellationPrintFont;
    QFont m_planetPrintFont;
    QFont m_starPrintFont;
    QFont m_cometPrintFont;
    QFont m_deepSkyPrintFont;

    TextAttributes m_horizonLabelAttributes;
    TextAttributes m_constellationNameAttributes;
    TextAttributes m_planetNameAttributes;
    TextAttributes m_starNameAttributes;
    TextAttributes m_cometNameAttributes;
    TextAttributes m_deepSkyNameAttributes;
    TextAttributes m_gridLabelAttributes;
    TextAttributes m_pathLabelAttributes;
    TextAttributes m_angleSepAttributes;
    TextAttributes m_nomadMagAttributes;
    TextAttributes m_nomadGridAttributes;
};
