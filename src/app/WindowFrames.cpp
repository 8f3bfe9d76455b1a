#include "app/WindowFrames.h"

#include "model/settings/PrefControl.h"
#include "platform/widgets/FirstShowPlacement.h"
#include "platform/widgets/KeptFrame.h"
#include "platform/widgets/ScreenPlacement.h"
#include "platform/widgets/ScrollingContent.h"

#include <QWidget>

void keepWindowFrame(PrefControl& prefs, QWidget& window, const QString& name, const QWidget* over,
                     Qt::Corner corner)
{
    const bool restored = KeptFrame::keep(
                              window, [&prefs, name] { return prefs.windowFrame(name); },
                              [&prefs, name](const QByteArray& frame) { prefs.setWindowFrame(name, frame); })
                              ->restore();
    if (restored || !over)
        return;
    FirstShowPlacement::install(window, [&window, over, corner] {
        if (over->isVisible())
            ScreenPlacement::intoCorner(window, ScreenPlacement::contentArea(*over), corner);
    });
}

void keepScrollingWindowFrame(PrefControl& prefs, QWidget& window, const QString& name, const QWidget* over,
                              Qt::Corner corner)
{
    keepWindowFrame(prefs, window, name, over, corner);
    // Wrapped after: the window is fitted to the screen before its first placement.
    ScrollingContent::wrap(window);
}
