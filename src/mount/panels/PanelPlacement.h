#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace PanelPlacement {

// With a single screen, a panel left outside it (a screen since removed)
// comes back near its top-left corner.
inline void keepOnScreen(QWidget& panel)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() != 1)
        return;
    if (!screens.front()->availableGeometry().contains(panel.frameGeometry()))
        panel.move(30, panel.height() + 30);
}

}  // namespace PanelPlacement
