#pragma once

#include "chart/PrefWindowSetup.h"

class PrefWindowControl;

// The chart's launch and double click reach the preferences window here.
class PrefWindowLink final : public PrefWindowSetup {
public:
    explicit PrefWindowLink(PrefWindowControl& control) : m_control(control) {}

    void localizePrefPanel() override;
    void setupDate() override;
    void setupScopes(int slot) override;
    void setupShortcuts() override;
    void setupFontsAndColors() override;
    void setupHideBoxes() override;
    void showTab(int index) override;

private:
    PrefWindowControl& m_control;
};
