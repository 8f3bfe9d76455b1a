#include "prefs/SaveAlert.h"

#include "platform/AlertPanel.h"
#include "prefs/PrefLocalization.h"

namespace SaveAlert {

void alert(const QString& reason)
{
    AlertPanel::runAlert(PrefLocalization::localized(QStringLiteral("Your preferences could not be saved.")),
                         reason);
}

}  // namespace SaveAlert
