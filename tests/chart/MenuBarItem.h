#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

// The item with `tag` in the menu titled `menu` of a window's menu bar, or null.
inline QAction* menuBarItem(const QMenuBar& bar, const QString& menu, int tag)
{
    for (const QAction* entry : bar.actions()) {
        if (!entry->menu() || entry->menu()->title() != menu)
            continue;
        for (QAction* item : entry->menu()->actions())
            if (item->data().isValid() && item->data().toInt() == tag)
                return item;
    }
    return nullptr;
}
