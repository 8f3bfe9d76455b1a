#include "app/PrefWindowLink.h"

#include "prefs/PrefWindowControl.h"

void PrefWindowLink::localizePrefPanel() { m_control.localizePrefPanel(); }

void PrefWindowLink::setupDate() { m_control.setupDate(); }

void PrefWindowLink::showTab(int index) { m_control.showTab(index); }
