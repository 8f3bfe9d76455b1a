#include "PrefFixture.h"

namespace {

const QColor kNightRed = QColor::fromRgbF(0.7f, 0.0f, 0.0f, 1.0f);

class PrefFontsTest : public PrefFixture {
protected:
    QString stored(const char* key) { return storedValues().value(QString::fromLatin1(key)).toString(); }

    // Every label and line colour the settings object holds.
    static std::vector<QColor> colours(const PrefControl& p)
    {
        return {p.constellationColor(), p.constellationNameColor(), p.constellationBoundaryColor(),
                p.planetNameColor(), p.starNameColor(), p.deepSkyNameColor(), p.gridLinesColor(),
                p.gridLabelAttributes().color, p.eclipticColor(), p.horizonColor(), p.cometNameColor(),
                p.horizonLabelColor(), p.angleSepColor(), p.pathColor(), p.milkyWayColor(), p.mythColor(),
                p.nomadMagColor(), p.nomadGridColor(), p.galaxyColor(), p.globularColor(), p.openColor(),
                p.nebulaColor(), p.cometColor(), p.minorPlanetColor(), p.neoColor(),
                p.constellationNameAttributes().color, p.planetNameAttributes().color,
                p.starNameAttributes().color, p.cometNameAttributes().color, p.deepSkyNameAttributes().color,
                p.pathLabelAttributes().color, p.angleSepAttributes().color, p.horizonLabelAttributes().color,
                p.nomadMagAttributes().color, p.nomadGridAttributes().color};
    }

    const QFont serif = QFont(QStringLiteral("Serif"), 14);
};

TEST_F(PrefFontsTest, SavingALabelKindHoldsAndStoresFontAndColour)
{
    PrefControl& prefs = launch();
    const auto before = storedValues();
    prefs.saveFont(1, serif, Qt::green);
    EXPECT_EQ(changedKeys(before, storedValues()),
              (QStringList{"ConstellationNameColorPref", "ConstellationNameFontPref"}));
    EXPECT_EQ(stored("ConstellationNameFontPref"), QStringLiteral("Serif;14;regular"));
    EXPECT_EQ(stored("ConstellationNameColorPref"), QStringLiteral("0 1 0 1"));
    EXPECT_EQ(prefs.constellationNameFont(), serif);
    EXPECT_EQ(prefs.constellationNameAttributes().font, serif);
    EXPECT_EQ(prefs.constellationNameAttributes().color, QColor(Qt::green));
}

TEST_F(PrefFontsTest, PrintKindStoresOnlyItsFont)
{
    PrefControl& prefs = launch();
    const auto before = storedValues();
    prefs.saveFont(12, serif, QColor());
    EXPECT_EQ(changedKeys(before, storedValues()), QStringList{"StarPrintFontPref"});
    EXPECT_EQ(prefs.starPrintFont(), serif);
    EXPECT_NE(prefs.starNameFont(), serif);
}

TEST_F(PrefFontsTest, DateStampKindStoresBothKeysAndHoldsNothing)
{
    PrefControl& prefs = launch();
    const auto before = storedValues();
    prefs.saveFont(16, serif, Qt::yellow);
    EXPECT_EQ(changedKeys(before, storedValues()), (QStringList{"AllSkyDateColorPref", "AllSkyDateFontPref"}));
    for (const QFont& font : {prefs.horizonLabelFont(), prefs.nomadMagFont(), prefs.deepSkyPrintFont()})
        EXPECT_NE(font, serif);
}

TEST_F(PrefFontsTest, PathColourIsSharedButOnlyTheLabelKindSetsItsAttributes)
{
    PrefControl& prefs = launch();
    const QColor labelColour = prefs.pathLabelAttributes().color;
    prefs.saveColor(6, Qt::cyan);
    EXPECT_EQ(prefs.pathColor(), QColor(Qt::cyan));
    EXPECT_EQ(prefs.pathLabelAttributes().color, labelColour);
    prefs.saveFont(7, serif, Qt::magenta);
    EXPECT_EQ(prefs.pathColor(), QColor(Qt::magenta));
    EXPECT_EQ(prefs.pathLabelAttributes().color, QColor(Qt::magenta));
    EXPECT_EQ(stored("PathColorPref"), QStringLiteral("1 0 1 1"));
}

TEST_F(PrefFontsTest, ColourKindsWithSideEffects)
{
    PrefControl& prefs = launch();
    prefs.setIsMythColor(false);
    prefs.saveColor(15, Qt::blue);
    EXPECT_TRUE(prefs.isMythColor());
    EXPECT_EQ(stored("MythColorPref"), QStringLiteral("0 0 1 1"));
    prefs.saveColor(16, Qt::white);
    EXPECT_EQ(prefs.nomadGridColor(), QColor(Qt::white));
    EXPECT_EQ(prefs.nomadGridAttributes().color, QColor(Qt::white));
}

TEST_F(PrefFontsTest, RevertingToTheDefaultRemovesBothKeys)
{
    PrefControl& prefs = launch();
    prefs.saveFont(6, serif, Qt::red);
    prefs.revertFont(6, true);
    const auto values = storedValues();
    EXPECT_FALSE(values.contains("GridlabelFontPref"));
    EXPECT_FALSE(values.contains("GridLabelColorPref"));
    EXPECT_EQ(prefs.gridLabelFont().family(), QStringLiteral("Geneva"));
    EXPECT_EQ(prefs.gridLabelAttributes().font.pointSizeF(), 9.0);
    EXPECT_EQ(prefs.gridLabelAttributes().color, QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f));
}

TEST_F(PrefFontsTest, RevertingAPrintFontWithoutDefaultKeepsItsKey)
{
    PrefControl& prefs = launch();
    prefs.saveFont(13, serif, QColor());
    prefs.revertFont(13, false);
    EXPECT_EQ(stored("CometPrintFontPref"), QStringLiteral("Serif;14;regular"));
    EXPECT_EQ(prefs.cometPrintFont(), serif);
    prefs.revertFont(13, true);
    EXPECT_FALSE(storedValues().contains("CometPrintFontPref"));
    EXPECT_EQ(prefs.cometPrintFont().family(), QStringLiteral("Geneva"));
}

TEST_F(PrefFontsTest, RevertColourReloadsTheStoredOrDefaultColour)
{
    PrefControl& prefs = launch();
    prefs.saveColor(3, Qt::blue);
    prefs.revertColor(3, false);
    EXPECT_EQ(prefs.gridLinesColor(), QColor(Qt::blue));
    prefs.revertColor(3, true);
    EXPECT_EQ(prefs.gridLinesColor(), QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f));
    EXPECT_FALSE(storedValues().contains("GridLinesColorPref"));
}

TEST_F(PrefFontsTest, KindsOutOfRangeAreIgnored)
{
    PrefControl& prefs = launch();
    const auto before = storedValues();
    const auto colourBefore = colours(prefs);
    for (int kind : {0, -1, 17, 1000}) {
        prefs.saveFont(kind, serif, Qt::red);
        prefs.revertFont(kind, true);
        prefs.saveColor(kind, Qt::red);
        prefs.revertColor(kind, true);
    }
    prefs.saveFont(16, serif, Qt::red);
    prefs.revertFont(16, true);  // the date stamp's font is not reverted here
    EXPECT_EQ(changedKeys(before, storedValues()), (QStringList{"AllSkyDateColorPref", "AllSkyDateFontPref"}));
    EXPECT_EQ(colours(prefs), colourBefore);
}

TEST_F(PrefFontsTest, NightVisionTurnsEveryColourRedAndBackWithoutStoring)
{
    PrefControl& prefs = launch();
    prefs.saveColor(4, Qt::yellow);
    const auto normal = colours(prefs);
    const auto before = storedValues();
    fakes.log.calls.clear();

    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    for (const QColor& c : colours(prefs))
        EXPECT_EQ(c, kNightRed);
    EXPECT_EQ(prefs.scopeViewGridColor(), QColor::fromRgbF(0.0f, 0.2f, 0.0f, 1.0f));
    EXPECT_EQ(prefs.mistColor(), QColor::fromRgbF(0.6f, 0.5f, 0.8f, 1.0f));

    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    EXPECT_EQ(colours(prefs), normal);
    EXPECT_EQ(storedValues(), before);
    EXPECT_EQ(fakes.log.calls, (QStringList{"chart.updateSkyAndColor", "chart.updateSkyAndColor"}));
}

TEST_F(PrefFontsTest, ColourSavedDuringNightVisionShowsAtOnceAndStays)
{
    PrefControl& prefs = launch();
    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    prefs.saveColor(3, Qt::blue);
    EXPECT_EQ(prefs.gridLinesColor(), QColor(Qt::blue));
    EXPECT_EQ(stored("GridLinesColorPref"), QStringLiteral("0 0 1 1"));
    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    EXPECT_EQ(prefs.gridLinesColor(), QColor(Qt::blue));
}

TEST_F(PrefFontsTest, NightVisionRetintsTheMythologyFigures)
{
    PrefControl& prefs = launch();
    prefs.setIsMythColor(false);
    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    EXPECT_TRUE(prefs.isMythColor());
    prefs.setIsMythColor(false);
    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    EXPECT_TRUE(prefs.isMythColor());
}

}  // namespace
