#include "prefs/FontPrefControl.h"

#include "model/settings/PrefControl.h"
#include "prefs/PrefLocalization.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <QEvent>

#include <algorithm>
#include <array>

namespace {

using FontOf = QFont (PrefStyles::*)() const;
using ColorOf = QColor (PrefStyles::*)() const;

struct LabelKind {
    const char* title;
    bool isKey;  // the title is a key of the string table
    FontOf font;
    ColorOf color;  // none for the print kinds, whose sample is white
};

// By kind, from 1.
constexpr std::array<LabelKind, FontPrefControl::kLabelKinds> kKinds{{
    {"Constellation Name", true, &PrefStyles::constellationNameFont, &PrefStyles::constellationNameColor},
    {"Planet Name", true, &PrefStyles::planetNameFont, &PrefStyles::planetNameColor},
    {"Star Name", true, &PrefStyles::starNameFont, &PrefStyles::starNameColor},
    {"Comet/MP Name", true, &PrefStyles::cometNamefont, &PrefStyles::cometNameColor},
    {"Deep Sky Name", true, &PrefStyles::deepSkyNameFont, &PrefStyles::deepSkyNameColor},
    // The grid labels have a colour of their own, apart from the grid lines.
    {"Grid Label", true, &PrefStyles::gridLabelFont, &PrefStyles::gridLabelColor},
    {"Path Label", true, &PrefStyles::pathLabelFont, &PrefStyles::pathColor},
    {"Angle Label", true, &PrefStyles::angleSepFont, &PrefStyles::angleSepColor},
    {"Horizon Label", true, &PrefStyles::horizonLabelFont, &PrefStyles::horizonLabelColor},
    {"Constellation Print", true, &PrefStyles::constellationPrintFont, nullptr},
    {"Planet Name Print", true, &PrefStyles::planetPrintFont, nullptr},
    {"Star Name Print", true, &PrefStyles::starPrintFont, nullptr},
    {"Comet/MP Name Print", true, &PrefStyles::cometPrintFont, nullptr},
    {"Deep Sky Name Print", true, &PrefStyles::deepSkyPrintFont, nullptr},
    {"Magnitude Labels", false, &PrefStyles::nomadMagFont, &PrefStyles::nomadMagColor},
}};

struct ObjectColor {
    const char* title;
    bool isKey;
    ColorOf color;
};

// By tag, from 1.
constexpr std::array<ObjectColor, FontPrefControl::kObjectColors> kColors{{
    {"Constellations", true, &PrefStyles::constellationColor},
    {"Constellation Boundary", true, &PrefStyles::constellationBoundaryColor},
    {"Grid Lines", true, &PrefStyles::gridLinesColor},
    {"Ecliptic/Meridian", true, &PrefStyles::eclipticColor},
    {"Horizon", true, &PrefStyles::horizonColor},
    {"Path", true, &PrefStyles::pathColor},
    {"Milky Way Outline", true, &PrefStyles::milkyWayColor},
    {"Galaxy Symbol", true, &PrefStyles::galaxyColor},
    {"Globular Cluster Symbol", true, &PrefStyles::globularColor},
    {"Open Cluster Symbol", true, &PrefStyles::openColor},
    {"Nebula Symbol", true, &PrefStyles::nebulaColor},
    {"Comet Symbol", true, &PrefStyles::cometColor},
    {"Minor Planet Symbol", true, &PrefStyles::minorPlanetColor},
    {"NEO Symbol", true, &PrefStyles::neoColor},
    {"Mythological Forms", true, &PrefStyles::mythColor},
    {"Catalogue Grid", false, &PrefStyles::nomadGridColor},
}};

const LabelKind& kindAt(int kind) { return kKinds[size_t(kind - 1)]; }

QPushButton* button(QWidget* owner, PrefLocalization& texts, const char* title, const char* tip)
{
    auto* push = new QPushButton(owner);
    texts.label(push, title);
    texts.tip(push, tip);
    return push;
}

}  // namespace

FontPrefControl::FontPrefControl(PrefControl& prefs, PrefLocalization& texts, QWidget* parent)
    : QWidget(parent),
      m_prefs(prefs),
      m_fontMatrix(new QButtonGroup(this)),
      m_colorMatrix(new QButtonGroup(this)),
      m_panels(*this),
      m_exampleText(new QLabel(tr("Sample"), this)),
      m_exampleColor(new QLabel(QStringLiteral("--------"), this))
{
    m_exampleColor->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    for (QLabel* sample : {m_exampleText, m_exampleColor}) {
        sample->setAutoFillBackground(true);
        QPalette palette = sample->palette();
        palette.setColor(QPalette::Window, Qt::black);
        sample->setPalette(palette);
    }

    auto* layout = new QGridLayout(this);
    auto* fonts = texts.label(new QGroupBox(this), "Fonts");
    auto* fontColumn = new QVBoxLayout(fonts);
    for (int kind = 1; kind <= kLabelKinds; ++kind) {
        auto* row = new QRadioButton(fonts);
        if (kindAt(kind).isKey)
            texts.label(row, kindAt(kind).title);
        else
            row->setText(tr(kindAt(kind).title));
        m_fontMatrix->addButton(row, kind - 1);
        fontColumn->addWidget(row);
    }
    m_fontMatrix->button(0)->setChecked(true);
    connect(m_fontMatrix, &QButtonGroup::idClicked, this, &FontPrefControl::fontAction);
    fontColumn->addWidget(m_exampleText);
    layout->addWidget(fonts, 0, 0);

    auto* colors = texts.label(new QGroupBox(this), "Colors");
    auto* colorColumn = new QVBoxLayout(colors);
    for (int tag = 1; tag <= kObjectColors; ++tag) {
        const ObjectColor& c = kColors[size_t(tag - 1)];
        auto* cell = new QRadioButton(colors);
        if (c.isKey)
            texts.label(cell, c.title);
        else
            cell->setText(tr(c.title));
        m_colorMatrix->addButton(cell, tag);
        colorColumn->addWidget(cell);
    }
    m_colorMatrix->button(1)->setChecked(true);
    connect(m_colorMatrix, &QButtonGroup::idClicked, this, &FontPrefControl::colorAction);
    colorColumn->addWidget(m_exampleColor);
    layout->addWidget(colors, 0, 1);

    auto* changeFont = texts.label(new QGroupBox(this), "Change Font");
    auto* fontButtons = new QVBoxLayout(changeFont);
    QPushButton* showFont = button(changeFont, texts, "Change Font", "Display the font control panel");
    QPushButton* saveFont = button(changeFont, texts, "Save Font", "Preview the font change and save as a preference");
    QPushButton* revertFont = button(changeFont, texts, "Revert Font", "Revert the font and color to the default values");
    for (QPushButton* push : {showFont, saveFont, revertFont})
        fontButtons->addWidget(push);
    connect(showFont, &QPushButton::clicked, this, &FontPrefControl::changeFontAction);
    connect(saveFont, &QPushButton::clicked, this, &FontPrefControl::previewFont);
    connect(revertFont, &QPushButton::clicked, this, &FontPrefControl::revertFontAction);
    layout->addWidget(changeFont, 1, 0);

    auto* changeColor = texts.label(new QGroupBox(this), "Change Color");
    auto* colorButtons = new QVBoxLayout(changeColor);
    QPushButton* showColor = button(changeColor, texts, "Change Color", "Display the Color panel");
    QPushButton* saveColor = button(changeColor, texts, "Save Color", "Preview the color change and save as a preference");
    QPushButton* revertColor = button(changeColor, texts, "Revert Color", "Revert the color to the default values");
    for (QPushButton* push : {showColor, saveColor, revertColor})
        colorButtons->addWidget(push);
    connect(showColor, &QPushButton::clicked, this, &FontPrefControl::changeColorAction);
    connect(saveColor, &QPushButton::clicked, this, &FontPrefControl::previewColor);
    connect(revertColor, &QPushButton::clicked, this, &FontPrefControl::revertColorAction);
    layout->addWidget(changeColor, 1, 1);
}

void FontPrefControl::setTextColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

int FontPrefControl::selectedKind() const { return std::max(0, m_fontMatrix->checkedId()) + 1; }

int FontPrefControl::selectedColorTag() const { return std::max(1, m_colorMatrix->checkedId()); }

QFontDialog* FontPrefControl::fontPanel()
{
    const bool isNew = !m_panels.madeFontPanel();
    QFontDialog& panel = m_panels.fontPanel();
    if (isNew) {
        panel.setCurrentFont(m_storedFont);
        m_panelFont = panel.currentFont();
        m_exampleText->setFont(m_panelFont);
    }
    return &panel;
}

QColorDialog* FontPrefControl::colorPanel()
{
    const bool isNew = !m_panels.madeColorPanel();
    QColorDialog& panel = m_panels.colorPanel();
    if (isNew)
        panel.setCurrentColor(m_panelColor);
    return &panel;
}

void FontPrefControl::showFont(const QFont& font)
{
    m_storedFont = font;
    if (QFontDialog* panel = m_panels.madeFontPanel()) {
        panel->setCurrentFont(font);
        m_panelFont = panel->currentFont();
    } else {
        m_panelFont = font;
    }
}

QFont FontPrefControl::panelFont() const
{
    const QFontDialog* panel = m_panels.madeFontPanel();
    return panel ? panel->currentFont() : m_panelFont;
}

void FontPrefControl::setPanelColor(const QColor& color)
{
    m_panelColor = color;
    if (QColorDialog* panel = m_panels.madeColorPanel())
        panel->setCurrentColor(color);
}

QColor FontPrefControl::panelColor() const
{
    const QColorDialog* panel = m_panels.madeColorPanel();
    // The panel keeps 8 bits a channel.
    return panel ? panel->currentColor() : QColor::fromRgba(m_panelColor.rgba());
}

void FontPrefControl::showEvent(QShowEvent* event)
{
    // The sample shows the font as the panel matches it, as soon as it shows.
    fontPanel();
    QWidget::showEvent(event);
}

void FontPrefControl::setupFontsAndColors()
{
    showFont(m_prefs.constellationNameFont());
    setPanelColor(m_prefs.constellationNameColor());
    setTextColor(m_exampleText, panelColor());
    m_exampleText->setFont(m_panelFont);
    m_color = m_prefs.constellationColor();
    setTextColor(m_exampleColor, m_color);
}

void FontPrefControl::showKind(int kind)
{
    const LabelKind& k = kindAt(kind);
    showFont((m_prefs.*k.font)());
    if (k.color) {
        setPanelColor((m_prefs.*k.color)());
        setTextColor(m_exampleText, panelColor());
    } else {
        setTextColor(m_exampleText, Qt::white);
    }
    m_exampleText->setFont(m_panelFont);
}

void FontPrefControl::fontAction(int row)
{
    if (row < 0 || row >= kLabelKinds)
        return;
    m_fontMatrix->button(row)->setChecked(true);
    showKind(row + 1);
}

void FontPrefControl::colorAction(int tag)
{
    if (tag < 1 || tag > kObjectColors)
        return;
    m_colorMatrix->button(tag)->setChecked(true);
    m_color = (m_prefs.*kColors[size_t(tag - 1)].color)();
    setTextColor(m_exampleColor, m_color);
}

void FontPrefControl::changeFontAction()
{
    QFontDialog* panel = fontPanel();
    panel->show();
    panel->raise();
}

void FontPrefControl::changeColorAction()
{
    QColorDialog* panel = colorPanel();
    panel->show();
    panel->raise();
    colorAction(selectedColorTag());
    setPanelColor(m_color);
}

void FontPrefControl::previewFont()
{
    const int kind = selectedKind();
    const bool hasColor = kindAt(kind).color != nullptr;
    const QColor color = panelColor();
    const QFont chosen = panelFont();
    const QFont font = chosen == m_panelFont ? m_storedFont : chosen;
    setTextColor(m_exampleText, hasColor ? color : QColor(Qt::white));
    m_exampleText->setFont(font);
    // The settings keep no colour for the print kinds.
    m_prefs.saveFont(kind, font, hasColor ? color : QColor());
    m_prefs.writeSettings();
}

void FontPrefControl::previewColor()
{
    const QColor color = panelColor();
    setTextColor(m_exampleColor, color);
    m_prefs.saveColor(selectedColorTag(), color);
    m_prefs.writeSettings();
}

void FontPrefControl::revertFontAction()
{
    const int kind = selectedKind();
    m_prefs.revertFont(kind, true);
    showKind(kind);
}

void FontPrefControl::revertColorAction()
{
    const int tag = selectedColorTag();
    m_prefs.revertColor(tag, true);
    m_color = (m_prefs.*kColors[size_t(tag - 1)].color)();
    setTextColor(m_exampleColor, m_color);
    // The chart tints its figure images again at the next redraw.
    if (tag == kMythColor)
        m_prefs.setIsMythColor(true);
}

bool FontPrefControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close)
        closePanels();
    return QWidget::eventFilter(watched, event);
}

void FontPrefControl::closePanels()
{
    m_panels.hide();
}
