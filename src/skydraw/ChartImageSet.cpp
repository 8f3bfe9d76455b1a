#include "skydraw/ChartImageSet.h"

#include "model/settings/PrefStyles.h"
#include "platform/widgets/ImageFile.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

constexpr std::array<const char*, ChartImageSet::kNumStarClasses> kStarFiles = {
    "Star1VF.png", "Star1F.png", "Star1.png",  "Star3F.png",  "Star3.png",  "Star5F.png", "Star5.png",
    "Star7F.png",  "Star7.png",  "Star9F.png", "Star9.png",   "Star11F.png", "Star11.png", "Star11B.png",
};

constexpr std::array<const char*, ChartImageSet::kNumStarClasses> kPrintFiles = {
    "StarP1.png",  "StarP3.png",  "StarP5.png",  "StarP7.png",  "StarP9.png",  "StarP11.png", "StarP13.png",
    "StarP15.png", "StarP17.png", "StarP19.png", "StarP21.png", "StarP23.png", "StarP25.png", "StarP27.png",
};

// In the order of ChartImageSet::Symbol.
constexpr std::array<const char*, std::size_t(ChartImageSet::Symbol::Count)> kSymbolFiles = {
    "MoonFull.png", "MoonLabel.png", "Sun.png", "LSun.png", "Mars.png", "SaturnBall.png",
    "SaturnRings.png", "SaturnRingsShadow.png", "Uranus.png", "Neptune.png",
    "Galaxy.png", "GlobulaCluster.png", "Nebula.png", "OpenCluster.png", "Comet.png",
    "MinorPlanet.png", "AstOrb.png", "AstOrbYellow.png", "NEO.png", "Other.png",
    "MarkSymbol.png", "NVMarkSymbol.png",
};

// In the order of ChartImageSet::Figure.
constexpr std::array<const char*, ChartImageSet::kNumFigures> kFigureFiles = {
    "AndromedaMyth.png", "AquariusMyth.png",   "AurigaMyth.png",  "BootesMyth.png",
    "CancerMyth.png",    "CanisMyth.png",      "CassiopeiaMyth.png", "CoronaMyth.png",
    "CorvusMyth.png",    "GeminiMyth.png",     "HerculesMyth.png", "LeoMyth.png",
    "LyraMyth.png",      "OrionMyth.png",      "PegasusMyth.png", "PerseusMyth.png",
    "SagittariusMyth.png", "ScorpiusMyth.png", "SerpensMyth.png", "TaurusMyth.png",
    "UrsaMajorMyth.png", "VirgoMyth.png",
};

// The system's standard colours the star sets are tinted with.
const QColor kStarRed = QColor::fromRgbF(1.0f, 0.0f, 0.0f);
const QColor kStarYellow = QColor::fromRgbF(1.0f, 1.0f, 0.0f);
const QColor kStarBlue = QColor::fromRgbF(0.0f, 0.0f, 1.0f);
const QColor kStarOrange = QColor::fromRgbF(1.0f, 0.5f, 0.0f);

}  // namespace

ChartImageSet::ChartImageSet(QString imagesDirectory, QString mythDirectory)
    : m_imagesDirectory(std::move(imagesDirectory)), m_mythDirectory(std::move(mythDirectory))
{
    m_isSymbolRead.fill(true);
}

QImage ChartImageSet::load(const QString& path)
{
    QImage image = ImageFile::image(path);
    // Premultiplied: the format the chart's painter blends fastest.
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void ChartImageSet::createStarArrays()
{
    for (std::size_t k = 0; k < kStarFiles.size(); ++k)
        m_white[k] = load(m_imagesDirectory + kStarFiles[k]);
    m_isPrintLoaded = false;
    m_red = m_white;
    m_yellow = m_white;
    m_blue = m_white;
    m_orange = m_white;
}

void ChartImageSet::recolorStarArrays(double starColorVal)
{
    const std::pair<StarSet*, QColor> sets[] = {
        {&m_red, kStarRed}, {&m_yellow, kStarYellow}, {&m_blue, kStarBlue}, {&m_orange, kStarOrange}};
    for (const auto& [set, base] : sets) {
        QColor color = base;
        color.setAlphaF(float(starColorVal));
        for (std::size_t k = 0; k < m_white.size(); ++k) {
            // A copy of its own, not one sharing the white sprite's pixels.
            QImage sprite = m_white[k].copy();
            tint(sprite, color);
            (*set)[k] = std::move(sprite);
        }
    }
}

const ChartImageSet::StarSet& ChartImageSet::starPrintArray() const
{
    // Only paper uses them: read the first time they are asked for.
    if (!m_isPrintLoaded) {
        for (std::size_t k = 0; k < kPrintFiles.size(); ++k)
            m_print[k] = load(m_imagesDirectory + kPrintFiles[k]);
        m_isPrintLoaded = true;
    }
    return m_print;
}

const ChartImageSet::StarSet* ChartImageSet::starSetFor(char color) const
{
    switch (color) {
    case 'B':
        return &m_blue;
    case 'O':
        return &m_orange;
    case 'R':
        return &m_red;
    case 'Y':
        return &m_yellow;
    case 'W':
        return &m_white;
    default:
        return nullptr;
    }
}

bool ChartImageSet::isTinted(Symbol s)
{
    return std::find(kTintedSymbols.begin(), kTintedSymbols.end(), s) != kTintedSymbols.end();
}

void ChartImageSet::createObjectSymbols()
{
    // The tinted symbols now, for their tint; the others (the Moon's and
    // the planets' pictures, the largest, and the marks) the first time
    // they are drawn, which many charts never do.
    for (std::size_t s = 0; s < kSymbolFiles.size(); ++s) {
        m_isSymbolRead[s] = isTinted(Symbol(s));
        m_symbols[s] = m_isSymbolRead[s] ? load(m_imagesDirectory + kSymbolFiles[s]) : QImage();
    }
}

const QImage& ChartImageSet::symbol(Symbol s) const
{
    const auto k = std::size_t(s);
    if (!m_isSymbolRead[k]) {
        m_symbols[k] = load(m_imagesDirectory + kSymbolFiles[k]);
        m_isSymbolRead[k] = true;
    }
    return m_symbols[k];
}

std::vector<QRect> ChartImageSet::drawnTiles(const QImage& image)
{
    // Small enough to leave out most of the empty paper between the lines
    // of a drawing (filtering a turned figure is paid per pixel), large
    // enough that drawing a figure stays a few hundred calls.
    constexpr int kTile = 32;
    std::vector<QRect> tiles;
    if (image.isNull())
        return tiles;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int top = 0; top < pixels.height(); top += kTile) {
        for (int left = 0; left < pixels.width(); left += kTile) {
            const QRect tile = QRect(left, top, kTile, kTile) & pixels.rect();
            bool isDrawn = false;
            for (int y = tile.top(); y <= tile.bottom() && !isDrawn; ++y) {
                const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
                for (int x = tile.left(); x <= tile.right() && !isDrawn; ++x)
                    isDrawn = qAlpha(row[x]) != 0;
            }
            if (isDrawn)
                tiles.push_back(tile);
        }
    }
    return tiles;
}

void ChartImageSet::recolorObjectSymbols(const PrefStyles& colors)
{
    const std::array<QColor, kTintedSymbols.size()> colours = {
        colors.galaxyColor(),      colors.globularColor(),    colors.nebulaColor(),
        colors.openColor(),        colors.cometColor(),       colors.minorPlanetColor(),
        colors.minorPlanetColor(), colors.neoColor(),         colors.nebulaColor(),
    };
    for (std::size_t k = 0; k < kTintedSymbols.size(); ++k)
        tint(m_symbols[std::size_t(kTintedSymbols[k])], colours[k]);
}

void ChartImageSet::recolorMythForms(const QColor& mythColor)
{
    if (!m_isFiguresLoaded) {
        for (std::size_t f = 0; f < kFigureFiles.size(); ++f) {
            m_figures[f] = load(m_mythDirectory + kFigureFiles[f]);
            m_figureTiles[f] = drawnTiles(m_figures[f]);
        }
        m_isFiguresLoaded = true;
    }
    for (std::size_t f = 0; f < m_figures.size(); ++f) {
        tint(m_figures[f], mythColor);
        m_figureAlphas[f] = AlphaMap::of(m_figures[f]);
    }
}

void ChartImageSet::tint(QImage& image, const QColor& color)
{
    if (image.isNull())
        return;
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.fillRect(image.rect(), color);
    }
    // Pixels once painted on keep their paint engine for as long as they
    // live; the kept sprite is a copy, without one.
    image = image.copy();
}
