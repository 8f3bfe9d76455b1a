#pragma once

#include <QMenu>

class NvxMenuActions;
class PrefControl;

// The application menu and the help menu. Titles come from the "Menus"
// string table; each item carries its tag and hands it to the actions, with
// whether the Alt key (the Option key of other systems) is held. About and
// Quit (Ctrl+Q) are the menu's own.
class NvxMenu final : public QMenu {
public:
    NvxMenu(NvxMenuActions& actions, const PrefControl& prefs, QWidget* parent = nullptr);

    QMenu* helpMenu() const { return m_helpMenu; }

private:
    QAction* addItem(QMenu& menu, const QString& title, int tag);
    void showAbout();
    // Before the menu opens: the toolbar item's title and the launch check's mark.
    void validateMenuItems();

    NvxMenuActions& m_actions;
    const PrefControl& m_prefs;
    QMenu* m_helpMenu;
    QAction* m_versionCheckAtLaunch = nullptr;
    QAction* m_toolbarItem = nullptr;
};
