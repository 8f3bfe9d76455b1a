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
    alert(reason);
    return false;
}

void alert(const QString& reason)
{
    AlertPanel::runAlert(PrefLocalization::localized(QStringLiteral("Your preferences could not be saved.")),
                         reason);
}

}  // namespace SaveAlert
