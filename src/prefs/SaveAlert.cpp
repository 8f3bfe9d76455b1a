#include "prefs/SaveAlert.h"

#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "prefs/PrefLocalization.h"

namespace SaveAlert {

bool writeOrAlert(PrefControl& prefs)
{
    const QString reason = prefs.writeSettings();
    if (reason.isEmpty())
        return true;
    AlertPanel::runAlert(PrefLocalization::localized(QStringLiteral("Your preferences could not be saved.")),
                         reason);
    return false;
}

}  // namespace SaveAlert
