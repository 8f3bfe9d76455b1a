#pragma once

#include <QString>

class PrefControl;
class QWidget;

// Keeps `window`'s place and size in the settings under `name` and puts back
// the saved ones now: the window then opens where the user left it.
void keepWindowFrame(PrefControl& prefs, QWidget& window, const QString& name);
