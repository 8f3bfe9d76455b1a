#include "app/WindowFrames.h"

#include "model/settings/PrefControl.h"
#include "platform/widgets/KeptFrame.h"

void keepWindowFrame(PrefControl& prefs, QWidget& window, const QString& name)
{
    KeptFrame::keep(
        window, [&prefs, name] { return prefs.windowFrame(name); },
        [&prefs, name](const QByteArray& frame) { prefs.setWindowFrame(name, frame); })
        ->restore();
}
