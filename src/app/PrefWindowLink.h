#pragma once

#include "chart/PrefWindowSetup.h"
#include "model/FirstRunNotice.h"
#include "mount/links/SiteHandOver.h"
#include "platform/LazyOwner.h"
#include "platform/widgets/ToolTipOwner.h"

#include <QString>

#include <functional>

class CustomFilter;
class PrefControl;
class PrefWindowControl;

// The preferences window as the rest of the program reaches it, made only
// when it is first shown or handed a location. What fills only the window
// waits until it is made; what the chart itself uses (the custom filter's
// objects, the first-run notice) holds whether or not it is made.
class PrefWindowLink final : public PrefWindowSetup,
                             public SiteHandOver,
                             public FirstRunNotice,
                             public ToolTipOwner {
public:
    PrefWindowLink(LazyOwner<PrefWindowControl>& window, PrefControl& prefs, CustomFilter& customFilter,
                   std::function<QString()> tourDirectory);

    // Fills a window just made from the settings, as the launch fills it.
    void fill(PrefWindowControl& window);

    void localizePrefPanel() override;
    void setupDate() override;
    void setupScopes(int slot) override;
    void setupShortcuts() override;
    void setupFontsAndColors() override;
    void setupHideBoxes() override;
    void showTab(int index) override;

    void setLocation(double latitude, double longitude, double timeZoneHours) override;
    void lumarikSiteGoto(const QString& siteName) override;
    void setIsInstall(bool isInstall) override;

    void setToolTips() override;
    void clearToolTips() override;

    // Every tab read again from the settings after a reset.
    void reloadSettings();
    // Lists the custom filter files again (after a tour file was saved).
    void setupCustomFilters();

private:
    // The chart's filter from the settings, without the window's tab.
    void loadCustomFilter();

    LazyOwner<PrefWindowControl>& m_window;
    PrefControl& m_prefs;
    CustomFilter& m_customFilter;
    std::function<QString()> m_tourDirectory;
    bool m_isInstall = false;
};
