#include "mount/panels/PanelPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void placeOnScreen(QWidget& panel)
{
    constexpr int kInset = 30;
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() != 1)
        return;
    const QRect visible = screens.front()->availableGeometry();
    const QRect frame = panel.frameGeometry();
    if (!visible.contains(frame))
        panel.move(visible.left() + kInset, visible.bottom() - frame.height() - kInset);
}
