#include "chart/menus/TaggedMenu.h"

#include "chart/menus/TaggedMenuActions.h"

TaggedMenu::TaggedMenu(const QString& title, TaggedMenuActions& actions, QWidget* parent)
    : QMenu(title, parent), m_actions(actions)
{
    connect(this, &QMenu::aboutToShow, this, &TaggedMenu::validateMenuItems);
}

QAction* TaggedMenu::addItem(const QString& title, int tag)
{
    QAction* item = addAction(title);
    item->setData(tag);
    connect(item, &QAction::triggered, this, [this, tag] { m_actions.menuAction(tag); });
    return item;
}

TaggedMenu* TaggedMenu::addSubmenu(const QString& title, int tag)
{
    auto* submenu = new TaggedMenu(title, m_actions, this);
    addMenu(submenu)->setData(tag);
    return submenu;
}

void TaggedMenu::validateMenuItems()
{
    for (QAction* item : actions()) {
        if (item->isSeparator() || !item->data().isValid())
            continue;
        const MenuItemState state = m_actions.validateMenuItem(item->data().toInt());
        item->setEnabled(state.enabled);
        if (state.checked) {
            item->setCheckable(true);
            item->setChecked(*state.checked);
        }
        if (state.title)
            item->setText(*state.title);
    }
}
