#include "chart/menus/ChartMenuBar.h"

#include "chart/menus/MenuText.h"
#include "chart/menus/StandardDialogs.h"
#include "chart/menus/TaggedMenu.h"

#include <QKeySequence>
#include <QMenuBar>

namespace {

struct Item {
    int tag;
    const char* title;  // a key of the "Menus" table
};

constexpr Item kShowItems[] = {
    {1, "Constellations"}, {2, "Const. Boundaries"}, {3, "RA/Dec Grid"}, {4, "Alt/Az Grid"},
    {5, "Ecliptic"}, {6, "Celestial Equator"}, {7, "Planet Names"}, {8, "Star Names"},
    {9, "Deep Sky Names"}, {10, "Comet Names"}, {11, "Milky Way"}, {12, "Planet/Comet Path"},
    {13, "Deep Sky Photos"}, {14, "Below Horizon"}, {15, "Horizon Mist"}, {16, "Meteor Showers"},
    {17, "Mythological Forms"}, {18, "Meridian"}, {19, "Outlines"},
};

constexpr Item kSkyClickItems[] = {
    {1, "Track Object (Command)"}, {2, "Angular Separation (Option)"}, {3, "Copy Marquee (Shift)"},
    {4, "Hand Move"}, {5, "Click to center (Command+Shift)"},
};

constexpr Item kSites[] = {{1, "Home"}, {2, "Site 1"}, {3, "Site 2"}, {4, "Site 3"}, {5, "Site 4"}};
constexpr Item kClocks[] = {{10, "Run Real Time"}, {11, "Run Set Time"}, {12, "Startup Date/Time"}};

constexpr Item kEditItems[] = {
    {2, "Find Object"}, {3, "Show All"}, {4, "Monitor Adjust"}, {6, "Spoken Commands"},
};
constexpr Item kPositionItems[] = {
    {7, "Save Scope Position"}, {8, "Restore Scope Position"}, {9, "Reset Scope Position"},
};

constexpr Item kFileTours[] = {{1, "Open Photo..."}, {2, "Open Tour..."}, {3, "Create Tour/Filter"}};
constexpr Item kFilePrinting[] = {{4, "Page Setup..."}, {5, "Print..."}, {6, "Print Scope View..."}};

constexpr Item kWindows[] = {{1, "Direction Panel"}, {2, "Time Panel"}, {3, "Scope View"}, {4, "Solar System"}};

constexpr Item kViewDirections[] = {
    {1, "North"}, {2, "South"}, {3, "East"}, {4, "West"}, {5, "Alt 45°"}, {6, "Alt 90°"},
};
constexpr Item kViewAngles[] = {
    {7, "Angle 5°"}, {8, "Angle 30°"}, {9, "Angle 60°"}, {10, "Angle 90°"},
    {11, "Angle 120°"}, {12, "Angle 180°"}, {17, "Angle 360°"},
};
constexpr Item kViewActions[] = {
    {14, "Center Object"}, {16, "Track Object"}, {15, "Night Vision"}, {18, "Full Screen"},
};
constexpr Item kLenses[] = {
    {21, "28mm"}, {22, "50mm"}, {23, "100mm"}, {24, "200mm"}, {25, "300mm"}, {26, "400mm"}, {27, "500mm"},
};
constexpr Item kBinoculars[] = {
    {31, "6 power"}, {32, "7 power"}, {33, "8 power"}, {34, "10 power"}, {35, "20 power"},
};
constexpr Item kAngles[] = {
    {41, "50°"}, {42, "40°"}, {43, "30°"}, {44, "20°"}, {45, "10°"}, {46, "5°"}, {47, "1°"}, {48, "Finder"},
};

template <std::size_t N>
void addItems(TaggedMenu& menu, const Item (&items)[N])
{
    for (const Item& item : items)
        menu.addItem(menuText(item.title), item.tag);
}

}  // namespace

ChartMenuBar::ChartMenuBar(const Links& links, QWidget* owner)
    : m_fade(links.gamma),
      m_show(links.prefs, links.outlets, links.chain),
      m_view(links.prefs, links.outlets, links.chain, m_fade),
      m_skyClick(links.outlets),
      m_setup(links.prefs, links.outlets, links.chain, links.time),
      m_edit(links.prefs, links.outlets, links.chain, links.time),
      m_file(links.prefs, links.outlets, &links.printSkyView, links.tourDirectory, standardDialogs(owner)),
      m_window(links.prefs, links.outlets, links.chain)
{
    m_windowMenu = buildWindowMenu(owner);
    m_fileMenu = buildFileMenu(owner);
    m_editMenu = buildEditMenu(owner);
    m_viewMenu = buildViewMenu(owner);
    m_showMenu = buildShowMenu(owner);
    m_skyClickMenu = buildSkyClickMenu(owner);
    m_setupMenu = buildSetupMenu(owner);
}

ChartMenuBar::~ChartMenuBar() = default;

TaggedMenu* ChartMenuBar::buildShowMenu(QWidget* owner)
{
    auto* menu = new TaggedMenu(menuText("Show"), m_show, owner);
    addItems(*menu, kShowItems);
    return menu;
}

TaggedMenu* ChartMenuBar::buildViewMenu(QWidget* owner)
{
    auto* menu = new TaggedMenu(menuText("View"), m_view, owner);
    addItems(*menu, kViewDirections);
    menu->addSeparator();
    addItems(*menu, kViewAngles);
    menu->addSeparator();
    addItems(*menu, kViewActions);
    menu->addSeparator();
    addItems(*menu->addSubmenu(menuText("DSLR Lens"), 20), kLenses);
    addItems(*menu->addSubmenu(menuText("Binocular"), 30), kBinoculars);
    addItems(*menu->addSubmenu(menuText("Angle"), 40), kAngles);
    return menu;
}

TaggedMenu* ChartMenuBar::buildSetupMenu(QWidget* owner)
{
    auto* menu = new TaggedMenu(menuText("Setup"), m_setup, owner);
    addItems(*menu, kSites);
    menu->addSeparator();
    menu->addItem(menuText("Photo Horizon Adjust"), SetupMenuActions::kPhotoHorizonTag);
    menu->addSeparator();
    addItems(*menu, kClocks);
    return menu;
}

TaggedMenu* ChartMenuBar::buildWindowMenu(QWidget* owner)
{
    auto* menu = new TaggedMenu(menuText("Windows"), m_window, owner);
    addItems(*menu, kWindows);
    menu->addSeparator();
    menu->addItem(StringTables::localizedString(QStringLiteral("PrefPanel"), QStringLiteral("Sky Window")),
                  WindowMenuActions::kSkyWindowTag);
    menu->addItem(menuText("Night Planner"), WindowMenuActions::kPlannerTag);
    menu->addItem(menuText("Information Panels"), WindowMenuActions::kInfoPanelTag);
    return menu;
}

TaggedMenu* ChartMenuBar::buildFileMenu(QWidget* owner)
{
    auto* menu = new TaggedMenu(menuText("File"), m_file, owner);
    addItems(*menu, kFileTours);
    menu->addSeparator();
    addItems(*menu, kFilePrinting);
    menu->addSeparator();
    menu->addItem(menuText("Build Custom Horizon"), FileMenuActions::kCustomHorizonTag);
    menu->addItem(menuText("Calendar Event..."), FileMenuActions::kCalendarEventTag);
    return menu;
}

TaggedMenu* ChartMenuBar::buildEditMenu(QWidget* owner)
{
    auto* menu = new TaggedMenu(menuText("Edit"), m_edit, owner);
    menu->addItem(menuText("Copy"), EditMenuActions::kCopyTag)->setShortcut(QKeySequence::Copy);
    menu->addItem(menuText("Paste"), EditMenuActions::kPasteTag)->setShortcut(QKeySequence::Paste);
    menu->addSeparator();
    addItems(*menu, kEditItems);
    menu->addSeparator();
    addItems(*menu, kPositionItems);
    return menu;
}

TaggedMenu* ChartMenuBar::buildSkyClickMenu(QWidget* owner)
{
    auto* menu = new TaggedMenu(QString(), m_skyClick, owner);
    addItems(*menu, kSkyClickItems);
    return menu;
}

QMenu* ChartMenuBar::skyClickMenu() const { return m_skyClickMenu; }

void ChartMenuBar::setApplicationMenus(QMenu* applicationMenu, QMenu* helpMenu)
{
    m_applicationMenu = applicationMenu;
    m_helpMenu = helpMenu;
}

void ChartMenuBar::setConnectMenu(QMenu* connectMenu) { m_connectMenu = connectMenu; }

void ChartMenuBar::setFocuserMenu(QMenu* focuserMenu) { m_focuserMenu = focuserMenu; }

void ChartMenuBar::installIn(QMenuBar& bar) const
{
    bar.clear();
    const QMenu* const order[] = {m_applicationMenu, m_fileMenu, m_editMenu, m_viewMenu, m_showMenu, m_setupMenu, m_connectMenu, m_focuserMenu, m_windowMenu, m_helpMenu};
    for (const QMenu* menu : order)
        if (menu)
            bar.addAction(menu->menuAction());
}

void ChartMenuBar::setupMenuAction(int tag) { m_setup.menuAction(tag); }

void ChartMenuBar::viewMenuAction(int tag) { m_view.menuAction(tag); }
