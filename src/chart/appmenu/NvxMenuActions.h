#pragma once

#include "chart/VersionCheck.h"
#include "chart/appmenu/ElementUpdate.h"
#include "chart/appmenu/MpcorbUpdate.h"
#include "platform/UrlList.h"
#include "chart/appmenu/VersionChecker.h"

#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>

class AppMenuModel;
class LaunchWindow;
class MpcProgressPanel;
class PrefControl;

// What the application and help menus do, by item tag: the maker's site,
// the element-file updates, the MPCORB download, the version check and its
// launch switch, the toolbar switch, the catalogue rebuild and the manual.
// The web work runs in the background; the interface never waits for it.
// The element lists and the orbit file each replace the minor-planet table
// and its cache: while one runs, the other is refused with an alert.
class NvxMenuActions final : public VersionCheck {
public:
    enum Tag : int {
        kResetPreferences = 1,
        kTvkSite = 4,
        kUpdateCometsMP = 5,
        kVersionCheck = 6,
        kVersionCheckAtLaunch = 7,
        kMpcorbNumbered = 8,
        kMpcorbAll = 9,
        kToolbar = 10,
        kRebuild = 12,
        kHelp = 20,
    };

    struct Links {
        PrefControl& prefs;
        AppMenuModel& model;
        LaunchWindow& window;
        MpcProgressPanel& panel;
        // Opens a web page or a file with the user's default program; false
        // when no program took it.
        std::function<bool(const QUrl&)> openUrl;
    };

    // `ownVersion` is the program's version, `manualPath` the manual in the
    // per-user data folder.
    NvxMenuActions(Links links, QString ownVersion, QString manualPath);

    // Reads the web endpoints from "URL List.txt" in `miscDirectory` (ending
    // in "/") and hands the Great Red Spot's longitude to the settings.
    void awakeFromNib(const QString& miscDirectory);
    const UrlList& urls() const { return m_urls; }

    // One menu item chosen; `optionHeld` asks the element updates to work
    // from the files on disk. Unknown tags do nothing.
    void nvxMenuAction(int tag, bool optionHeld);
    void checkNvxVersion(bool userAsked) override;
    void updateMPCProgress(double percent) { m_mpcorb.updateMPCProgress(percent); }
    void mpcCancelAction() { m_mpcorb.cancel(); }

    // Every web request is abandoned after this long without a byte.
    void setTimeout(std::chrono::milliseconds timeout);
    void setDebugSink(const std::function<void(const QString&)>& sink);

    ElementUpdate& elementUpdate() { return m_elements; }
    MpcorbUpdate& mpcorbUpdate() { return m_mpcorb; }
    VersionChecker& versionChecker() { return m_version; }

private:
    // When `busy`, tells the user that another replacement of the
    // minor-planet table runs, and why; returns `busy`.
    static bool refusedWhile(bool busy, const QString& reason);
    // False when there was a page to open and nothing opened it.
    bool openUrl(const QUrl& url) const;
    void switchToolbar();
    void rebuild();

    Links m_links;
    QString m_manualPath;
    UrlList m_urls;
    QNetworkAccessManager m_network;
    ElementUpdate m_elements;
    MpcorbUpdate m_mpcorb;
    VersionChecker m_version;
};
