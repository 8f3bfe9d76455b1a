#include "prefs/SaveAlert.h"

#include "platform/AlertPanel.h"
#include "prefs/PrefLocalization.h"

namespace SaveAlert {

namespace {

const QString kNotSavedTitle = QStringLiteral("Your preferences could not be saved.");
const QString kWaitingTitle = QStringLiteral("Your preferences are waiting to be saved.");

}  // namespace

void alert(const QString& reason) { AlertPanel::runAlert(PrefLocalization::localized(kNotSavedTitle), reason); }

void waiting(const QString& reason) { AlertPanel::runAlert(PrefLocalization::localized(kWaitingTitle), reason); }

}  // namespace SaveAlert
