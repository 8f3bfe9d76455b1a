#include "PrefFixture.h"

namespace {

using Written = QMap<QString, QVariant>;

const QColor kNightRed = QColor::fromRgbF(0.7f, 0.0f, 0.0f, 1.0f);

class PrefFontsTest : public PrefFixture {
protected:
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

    void nightVision(PrefControl& prefs)
    {
        prefs.setIsNightVision();
        prefs.setNightVisionColor();
    }

    const QFont serif = QFont(QStringLiteral("Serif"), 14);
};

TEST_F(PrefFontsTest, EachKindIsStoredAndComesBackAtTheNextLaunch)
{
    const auto fonts = [](const PrefControl& p) {
        return std::vector<QFont>{p.horizonLabelFont(), p.constellationNameFont(), p.planetNameFont(),
                                  p.starNameFont(), p.deepSkyNameFont(), p.gridLabelFont(), p.pathLabelFont(),
                                  p.angleSepFont(), p.nomadMagFont(), p.nomadGridFont(),
                                  p.constellationPrintFont(), p.planetPrintFont(), p.starPrintFont(),
                                  p.cometPrintFont(), p.deepSkyPrintFont(), p.cometNameAttributes().font};
    };
    PrefControl& prefs = launch();
    prefs.setIsMythColor(false);
    const QColor pathLabelColour = prefs.pathLabelAttributes().color;
    for (int kind = 1; kind <= 16; ++kind)
        prefs.saveColor(kind, QColor::fromRgb(kind, 0, 255));
    EXPECT_EQ(prefs.pathLabelAttributes().color, pathLabelColour);  // only the label kind sets it
    EXPECT_TRUE(prefs.isMythColor());
    EXPECT_EQ(writtenBy([&] { prefs.saveFont(7, QFont(QStringLiteral("Serif"), 17), Qt::green); }),
              (Written{{"PathLabelFontPref", "Serif;17;regular"}, {"PathColorPref", "0 1 0 1"}}));
    for (int kind = 1; kind <= 16; ++kind)
        prefs.saveFont(kind, QFont(QStringLiteral("Serif"), 10 + kind), QColor::fromRgb(0, kind, 255));
    EXPECT_EQ(prefs.constellationNameAttributes().font.pointSize(), 11);
    EXPECT_EQ(prefs.nomadMagFont().pointSize(), 25);
    const auto savedColours = colours(prefs);
    const auto savedFonts = fonts(prefs);

    const PrefControl& next = launch();
    EXPECT_EQ(colours(next), savedColours);
    EXPECT_EQ(fonts(next), savedFonts);
}

TEST_F(PrefFontsTest, RevertReloadsTheStoredValueAndRemovesKeysOnlyForTheDefault)
{
    PrefControl& prefs = launch();
    prefs.saveFont(6, serif, Qt::red);
    prefs.saveFont(13, serif, QColor());
    prefs.saveColor(3, Qt::blue);
    EXPECT_TRUE(writtenBy([&] {
        prefs.revertFont(6, false);
        prefs.revertFont(13, false);  // a print kind keeps its key too
        prefs.revertColor(3, false);
    }).isEmpty());
    EXPECT_EQ(prefs.cometPrintFont(), serif);
    EXPECT_EQ(prefs.gridLabelAttributes().color, QColor(Qt::red));
    EXPECT_EQ(prefs.gridLinesColor(), QColor(Qt::blue));

    const auto removed = writtenBy([&] {
        prefs.revertFont(6, true);
        prefs.revertFont(13, true);
        prefs.revertColor(3, true);
    });
    EXPECT_EQ(removed.keys(),
              (QStringList{"CometPrintFontPref", "GridLabelColorPref", "GridLinesColorPref", "GridlabelFontPref"}));
    EXPECT_EQ(prefs.cometPrintFont().family(), QStringLiteral("Geneva"));
    EXPECT_EQ(prefs.gridLabelAttributes().font.family(), QStringLiteral("Geneva"));
    EXPECT_EQ(prefs.gridLabelAttributes().color, QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f));
    EXPECT_EQ(prefs.gridLinesColor(), QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f));
}

TEST_F(PrefFontsTest, KindsOutOfRangeAreIgnored)
{
    PrefControl& prefs = launch();
    const auto colourBefore = colours(prefs);
    const auto written = writtenBy([&] {
        for (int kind : {0, -1, 17, 1000}) {
            prefs.saveFont(kind, serif, Qt::red);
            prefs.revertFont(kind, true);
            prefs.saveColor(kind, Qt::red);
            prefs.revertColor(kind, true);
        }
        prefs.saveFont(16, serif, Qt::red);
        prefs.revertFont(16, true);  // the date stamp's font is not reverted here
    });
    EXPECT_EQ(written.keys(), (QStringList{"AllSkyDateColorPref", "AllSkyDateFontPref"}));
    EXPECT_EQ(colours(prefs), colourBefore);
}

TEST_F(PrefFontsTest, NightVisionTurnsEveryColourRedAndBackWithoutStoring)
{
    PrefControl& prefs = launch();
    prefs.saveColor(4, Qt::yellow);
    const auto normal = colours(prefs);
    fakes.log.calls.clear();
    const auto written = writtenBy([&] {
        prefs.setIsMythColor(false);
        nightVision(prefs);
        EXPECT_TRUE(prefs.isMythColor());  // the figures are tinted again
        prefs.setIsMythColor(false);
        for (const QColor& c : colours(prefs))
            EXPECT_EQ(c, kNightRed);
        EXPECT_EQ(prefs.scopeViewGridColor(), QColor::fromRgbF(0.0f, 0.2f, 0.0f, 1.0f));
        EXPECT_EQ(prefs.mistColor(), QColor::fromRgbF(0.6f, 0.5f, 0.8f, 1.0f));
        nightVision(prefs);
        EXPECT_TRUE(prefs.isMythColor());
    });
    EXPECT_EQ(colours(prefs), normal);
    EXPECT_TRUE(written.isEmpty());
    EXPECT_EQ(fakes.log.calls, QStringList(2, "chart.updateSkyAndColor"));
}

TEST_F(PrefFontsTest, ColourSavedDuringNightVisionShowsAtOnceAndStays)
{
    PrefControl& prefs = launch();
    nightVision(prefs);
    prefs.saveColor(3, Qt::blue);
    EXPECT_EQ(prefs.gridLinesColor(), QColor(Qt::blue));
    EXPECT_EQ(stored("GridLinesColorPref"), QStringLiteral("0 0 1 1"));
    nightVision(prefs);
    EXPECT_EQ(prefs.gridLinesColor(), QColor(Qt::blue));
}

}  // namespace
