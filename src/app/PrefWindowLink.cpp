#include "app/PrefWindowLink.h"

#include "prefs/PrefWindowControl.h"

void PrefWindowLink::localizePrefPanel() { m_control.localizePrefPanel(); }

void PrefWindowLink::setupDate() { m_control.setupDate(); }

void PrefWindowLink::setupScopes(int slot) { m_control.setupScopes(slot); }

void PrefWindowLink::setupShortcuts() { m_control.setupShortcuts(); }

void PrefWindowLink::setupFontsAndColors() { m_control.setupFontsAndColors(); }

void PrefWindowLink::setupHideBoxes() { m_control.setupHideBoxes(); }

void PrefWindowLink::showTab(int index) { m_control.showTab(index); }
