#include "prefs/MythMiscTab.h"

#include "model/settings/PrefControl.h"
#include "prefs/PrefLocalization.h"
#include "prefs/ShowChecked.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using Getter = bool (PrefSwitches::*)() const;
using Setter = void (PrefSwitches::*)(bool);

struct HideWindow {
    int tag;
    const char* title;
    bool isKey;  // the title is a key of the string table
    Getter get;
    Setter set;
};

constexpr std::array<HideWindow, MythMiscTab::kHideBoxes> kHide{{
    {1, "Sky Window", true, &PrefSwitches::isSkyHide, &PrefSwitches::setIsSkyHide},
    {2, "Scope View Window", true, &PrefSwitches::isSVHide, &PrefSwitches::setIsSVHide},
    {3, "Scope Control Panel", true, &PrefSwitches::isScopeHide, &PrefSwitches::setIsScopeHide},
    {4, "Solar System Window", true, &PrefSwitches::isSSHide, &PrefSwitches::setIsSSHide},
    {6, "Webcam Panels", false, &PrefSwitches::isWebcamHide, &PrefSwitches::setIsWebcamHide},
    {7, "Focuser Windows", false, &PrefSwitches::isFocuserHide, &PrefSwitches::setIsFocuserHide},
    {8, "Dome Panels", false, &PrefSwitches::isDomeHide, &PrefSwitches::setIsDomeHide},
}};

// The figure boxes' titles until the constellation table's names are known.
constexpr std::array<const char*, MythMiscTab::kFigures> kFigureTitles{
    "Andromeda", "Aquarius", "Auriga", "Bootes", "Cancer", "Canis Major", "Cassiopeia", "Corona Borealis",
    "Corvus", "Gemini", "Hercules", "Leo", "Lyra", "Ophiuchus", "Orion", "Pegasus", "Perseus", "Sagittarius",
    "Scorpius", "Taurus", "Ursa Major", "Virgo"};

const HideWindow* hideWindow(int tag)
{
    const auto* found = std::find_if(kHide.begin(), kHide.end(), [tag](const HideWindow& h) { return h.tag == tag; });
    return found == kHide.end() ? nullptr : found;
}

}  // namespace

MythMiscTab::MythMiscTab(PrefControl& prefs, PrefLocalization& texts, QWidget* parent)
    : QWidget(parent), m_prefs(prefs)
{
    auto* layout = new QVBoxLayout(this);
    auto* figures = texts.label(new QGroupBox(this), "Constellations");
    auto* grid = new QGridLayout(figures);
    for (int box = 0; box < kFigures; ++box) {
        const int index = kFigureIndexes[size_t(box)];
        auto* check = new QCheckBox(QString::fromLatin1(kFigureTitles[size_t(box)]), figures);
        connect(check, &QCheckBox::toggled, this, [this, index](bool on) { mythAction(index, on); });
        grid->addWidget(check, box / 4, box % 4);
        m_figures[size_t(box)] = check;
    }
    m_showAll = new QCheckBox(figures);
    texts.label(m_showAll, "Show All Mythological Forms");
    connect(m_showAll, &QCheckBox::toggled, this, [this](bool on) { mythAction(kShowAll, on); });
    grid->addWidget(m_showAll, kFigures / 4 + 1, 0, 1, 4);
    layout->addWidget(figures);

    auto* windows = texts.label(new QGroupBox(this), "Show When Inactive");
    auto* windowGrid = new QGridLayout(windows);
    for (size_t i = 0; i < kHide.size(); ++i) {
        const HideWindow& h = kHide[i];
        auto* check = new QCheckBox(windows);
        if (h.isKey)
            texts.label(check, h.title);
        else
            check->setText(tr(h.title));
        connect(check, &QCheckBox::toggled, this, [this, tag = h.tag](bool on) { hideAction(tag, on); });
        windowGrid->addWidget(check, int(i) / 4, int(i) % 4);
        m_hide[i] = check;
    }
    layout->addWidget(windows);

    m_redCursor = new QCheckBox(tr("Red cursor"), this);
    m_hideNames = new QCheckBox(tr("Hide constellation names"), this);
    connect(m_redCursor, &QCheckBox::toggled, this, [this](bool on) { miscAction(kRedCursor, on); });
    connect(m_hideNames, &QCheckBox::toggled, this, [this](bool on) { miscAction(kHideNames, on); });
    layout->addWidget(m_redCursor);
    layout->addWidget(m_hideNames);
    layout->addStretch();
}

void MythMiscTab::setFigureTitles(const std::function<QString(int)>& constellationName)
{
    for (int box = 0; box < kFigures; ++box) {
        const QString name = constellationName(kFigureIndexes[size_t(box)]);
        if (!name.isEmpty())
            m_figures[size_t(box)]->setText(PrefLocalization::mnemonicFree(name));
    }
}

QCheckBox* MythMiscTab::figureBox(int index) const
{
    const auto* found = std::find(kFigureIndexes.begin(), kFigureIndexes.end(), index);
    return found == kFigureIndexes.end() ? nullptr : m_figures[size_t(found - kFigureIndexes.begin())];
}

QCheckBox* MythMiscTab::hideBox(int tag) const
{
    const HideWindow* h = hideWindow(tag);
    return h ? m_hide[size_t(h - kHide.data())] : nullptr;
}

void MythMiscTab::setupDate()
{
    showChecked(m_showAll, m_prefs.mythArray().value(kShowAll) == QLatin1String("YES"));
    showFigures();
}

void MythMiscTab::showFigures()
{
    const QStringList& myth = m_prefs.mythArray();
    const bool all = myth.value(kShowAll) == QLatin1String("YES");
    for (int box = 0; box < kFigures; ++box)
        showChecked(m_figures[size_t(box)], all || myth.value(kFigureIndexes[size_t(box)]) == QLatin1String("YES"));
}

void MythMiscTab::setupHideBoxes()
{
    for (size_t i = 0; i < kHide.size(); ++i)
        showChecked(m_hide[i], !(m_prefs.*kHide[i].get)());
    showChecked(m_redCursor, m_prefs.isRedCursor());
    showChecked(m_hideNames, m_prefs.isHideCNames());
}

void MythMiscTab::mythAction(int index, bool on)
{
    QStringList& myth = m_prefs.mythArray();
    if (index < 0 || index >= myth.size())
        return;
    myth[index] = on ? QStringLiteral("YES") : QStringLiteral("NO");
    m_prefs.setMythArray();
    if (index == kShowAll)
        showFigures();
}

void MythMiscTab::hideAction(int tag, bool shownWhenInactive)
{
    if (const HideWindow* h = hideWindow(tag))
        (m_prefs.*h->set)(!shownWhenInactive);
    if (m_links.setAllHide)
        m_links.setAllHide();
}

void MythMiscTab::miscAction(int tag, bool on)
{
    if (tag == kRedCursor) {
        m_prefs.setIsRedCursor(on);
        if (m_links.resetCursorRects)
            m_links.resetCursorRects();
    } else if (tag == kHideNames) {
        m_prefs.setIsHideCNames(on);
        if (m_links.redrawChart)
            m_links.redrawChart();
    }
}
