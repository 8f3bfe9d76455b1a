#pragma once

#include "skydraw/AlphaMap.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

class PrefStyles;

// The images the chart draws from: the star sprites (white, four tinted
// copies and the print dots), the object symbols and marks, and the 22
// mythological figures. A file that does not load leaves an empty image in
// its place, which draws nothing; the others keep their places.
class ChartImageSet {
public:
    static constexpr int kNumStarClasses = 14;
    static constexpr int kNumFigures = 22;
    using StarSet = std::array<QImage, kNumStarClasses>;

    enum class Symbol : std::size_t {
        MoonFull, MoonLabel, Sun, LSun, Mars, SaturnBall, SaturnRings, SaturnRingsShadow,
        Uranus, Neptune,
        Galaxy, GlobularCluster, Nebula, OpenCluster, Comet, MinorPlanet, AstOrb, AstOrbYellow,
        NEO, Other, FindMark, NVFindMark,
        Count
    };

    // Figure numbers, in the order of their files.
    enum Figure {
        kAndromeda, kAquarius, kAuriga, kBootes, kCancer, kCanis, kCassiopeia, kCorona, kCorvus,
        kGemini, kHercules, kLeo, kLyra, kOrion, kPegasus, kPerseus, kSagittarius, kScorpius,
        kSerpens, kTaurus, kUrsaMajor, kVirgo
    };

    // Both folders end in "/": the chart images, the figure images.
    ChartImageSet(QString imagesDirectory, QString mythDirectory);

    // The white sprites (and, when first asked for, the print ones); the
    // colour sets start as white copies.
    void createStarArrays();
    // The colour sets anew from the white one, tinted with the colours at
    // the star-colour opacity.
    void recolorStarArrays(double starColorVal);
    // Every symbol and mark image.
    void createObjectSymbols();
    // The nine symbols the chart tints, in the order of their colours.
    static constexpr std::array<Symbol, 9> kTintedSymbols = {
        Symbol::Galaxy, Symbol::GlobularCluster, Symbol::Nebula, Symbol::OpenCluster, Symbol::Comet,
        Symbol::MinorPlanet, Symbol::AstOrb, Symbol::NEO, Symbol::Other};
    static bool isTinted(Symbol s);
    // The nine tinted symbols in their colours; the figures are separate.
    void recolorObjectSymbols(const PrefStyles& colors);
    // The figures in their colour. They are read from their files the first
    // time: they are large, and a chart without figures never needs them.
    void recolorMythForms(const QColor& mythColor);

    const StarSet& starArray() const { return m_white; }
    const StarSet& starRedArray() const { return m_red; }
    const StarSet& starYellowArray() const { return m_yellow; }
    const StarSet& starBlueArray() const { return m_blue; }
    const StarSet& starOrangeArray() const { return m_orange; }
    // Read from their files when first asked for, on the thread that prints.
    const StarSet& starPrintArray() const;
    // The set for a star's colour letter B, O, R, Y or W; none for another.
    const StarSet* starSetFor(char color) const;

    // Every symbol and mark image; empty until they were created. Those not
    // tinted are read from their files when first asked for, on the thread
    // that draws.
    const QImage& symbol(Symbol s) const;
    // Empty until the figures were first tinted.
    const QImage& figure(int number) const { return m_figures.at(std::size_t(number)); }
    // The parts of a figure image that hold any of the drawing: square tiles
    // (fewer at the edges) that leave out the empty ones.
    const std::vector<QRect>& figureTiles(int number) const { return m_figureTiles.at(std::size_t(number)); }
    // A figure's alpha map, for sampling it quickly; none until it was
    // tinted, or where its tint let its own shades through.
    const AlphaMap* figureAlpha(int number) const
    {
        const std::optional<AlphaMap>& map = m_figureAlphas.at(std::size_t(number));
        return map ? &*map : nullptr;
    }

    // Fills the image's opaque pixels with the colour, its alpha included,
    // and leaves the transparent ones: the chart's tint.
    static void tint(QImage& image, const QColor& color);
    // The tiles of an image that are not wholly transparent.
    static std::vector<QRect> drawnTiles(const QImage& image);

private:
    static QImage load(const QString& path);

    QString m_imagesDirectory;
    QString m_mythDirectory;
    StarSet m_white;
    StarSet m_red;
    StarSet m_yellow;
    StarSet m_blue;
    StarSet m_orange;
    mutable StarSet m_print;
    // Set once the print sprites were read, after the star arrays were created.
    mutable bool m_isPrintLoaded = true;
    mutable std::array<QImage, std::size_t(Symbol::Count)> m_symbols;
    // Which symbols were read since they were created; none to read before.
    mutable std::array<bool, std::size_t(Symbol::Count)> m_isSymbolRead{};
    std::array<QImage, kNumFigures> m_figures;
    std::array<std::vector<QRect>, kNumFigures> m_figureTiles;
    std::array<std::optional<AlphaMap>, kNumFigures> m_figureAlphas;
    bool m_isFiguresLoaded = false;
};
