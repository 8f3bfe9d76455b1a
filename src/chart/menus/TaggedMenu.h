#pragma once

#include <QMenu>

class TaggedMenuActions;

// A menu whose items carry tags: choosing one hands its tag to the actions,
// and each time the menu (or one of its submenus) opens, every item's check
// mark, enabling and title are taken from the actions.
class TaggedMenu final : public QMenu {
public:
    TaggedMenu(const QString& title, TaggedMenuActions& actions, QWidget* parent = nullptr);

    QAction* addItem(const QString& title, int tag);
    // A submenu on the same actions; its own item carries `tag`.
    TaggedMenu* addSubmenu(const QString& title, int tag);
    // Brings every item up to date, as opening the menu does.
    void validateMenuItems();

private:
    TaggedMenuActions& m_actions;
};
