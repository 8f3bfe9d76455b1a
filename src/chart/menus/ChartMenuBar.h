#pragma once

#include "chart/ChartMenus.h"
#include "chart/menus/EditMenuActions.h"
#include "chart/menus/FileMenuActions.h"
#include "chart/menus/NightVisionFade.h"
#include "chart/menus/SetupMenuActions.h"
#include "chart/menus/ShowMenuActions.h"
#include "chart/menus/SkyClickMenuActions.h"
#include "chart/menus/ViewMenuActions.h"
#include "chart/menus/WindowMenuActions.h"

#include <QPointer>

class DisplayGamma;
class PrefControl;
class PrintSkyView;
class QMenu;
class QMenuBar;
class QWidget;
class SkyTimeControl;
class TaggedMenu;
class UpdateChain;
struct ChartOutlets;

// The chart window's menus: each one's actions and its thin menu, titled
// from the "Menus" string table. Every main window of the program carries the
// same menus in its menu bar.
class ChartMenuBar final : public ChartMenus {
public:
    struct Links {
        PrefControl& prefs;
        const ChartOutlets& outlets;
        UpdateChain& chain;
        DisplayGamma& gamma;
        SkyTimeControl& time;
        PrintSkyView& printSkyView;
        QString tourDirectory;
    };
    // The menus belong to `owner`.
    ChartMenuBar(const Links& links, QWidget* owner);
    ~ChartMenuBar() override;

    // The application and help menus, and the Connect and Focuser menus when
    // the program has them, take their places among these.
    void setApplicationMenus(QMenu* applicationMenu, QMenu* helpMenu);
    void setConnectMenu(QMenu* connectMenu);
    void setFocuserMenu(QMenu* focuserMenu);
    // Puts every menu, in order, into a window's menu bar.
    void installIn(QMenuBar& bar) const;

    void setupMenuAction(int tag) override;
    void viewMenuAction(int tag) override;

    ShowMenuActions& showMenu() { return m_show; }
    ViewMenuActions& viewMenu() { return m_view; }
    SetupMenuActions& setupMenu() { return m_setup; }
    EditMenuActions& editMenu() { return m_edit; }
    FileMenuActions& fileMenu() { return m_file; }
    WindowMenuActions& windowMenu() { return m_window; }
    NightVisionFade& nightVisionFade() { return m_fade; }
    // The chart's context menu.
    QMenu* skyClickMenu() const;

private:
    TaggedMenu* buildShowMenu(QWidget* owner);
    TaggedMenu* buildViewMenu(QWidget* owner);
    TaggedMenu* buildSkyClickMenu(QWidget* owner);
    TaggedMenu* buildSetupMenu(QWidget* owner);
    TaggedMenu* buildEditMenu(QWidget* owner);
    TaggedMenu* buildFileMenu(QWidget* owner);
    TaggedMenu* buildWindowMenu(QWidget* owner);

    NightVisionFade m_fade;
    ShowMenuActions m_show;
    ViewMenuActions m_view;
    SkyClickMenuActions m_skyClick;
    SetupMenuActions m_setup;
    EditMenuActions m_edit;
    FileMenuActions m_file;
    WindowMenuActions m_window;
    QPointer<QMenu> m_applicationMenu;
    QPointer<QMenu> m_helpMenu;
    QPointer<QMenu> m_connectMenu;
    QPointer<QMenu> m_focuserMenu;
    QPointer<TaggedMenu> m_showMenu;
    QPointer<TaggedMenu> m_viewMenu;
    QPointer<TaggedMenu> m_skyClickMenu;
    QPointer<TaggedMenu> m_setupMenu;
    QPointer<TaggedMenu> m_editMenu;
    QPointer<TaggedMenu> m_fileMenu;
    QPointer<TaggedMenu> m_windowMenu;
};
