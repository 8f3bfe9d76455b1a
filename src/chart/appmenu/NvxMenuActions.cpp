#include "chart/appmenu/NvxMenuActions.h"

#include "chart/LaunchWindow.h"
#include "chart/appmenu/AppMenuModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <utility>

namespace {

const QString kTableBusy = QStringLiteral("The minor planet table is being replaced.");
const QString kOrbitFileBusy =
    QStringLiteral("The MPCORB database is being updated; try again when it has finished.");
const QString kElementsBusy =
    QStringLiteral("The Comet/MP database is being updated; try again when it has finished.");

}  // namespace

NvxMenuActions::NvxMenuActions(Links links, QString ownVersion, QString manualPath)
    : m_links(std::move(links)),
      m_manualPath(std::move(manualPath)),
      m_elements(m_network, m_links.model),
      m_mpcorb(m_network, m_links.model, m_links.panel),
      m_version(m_network, std::move(ownVersion), m_links.openUrl)
{
}

void NvxMenuActions::awakeFromNib(const QString& miscDirectory)
{
    m_urls = UrlList::read(miscDirectory + QLatin1String(UrlList::kFileName));
    m_links.prefs.setGRSLong(float(m_urls.grsLong));
}

void NvxMenuActions::setTimeout(std::chrono::milliseconds timeout)
{
    m_elements.setTimeout(timeout);
    m_mpcorb.setTimeout(timeout);
    m_version.setTimeout(timeout);
}

void NvxMenuActions::setDebugSink(const std::function<void(const QString&)>& sink)
{
    m_elements.setDebugSink(sink);
    m_mpcorb.setDebugSink(sink);
}

void NvxMenuActions::nvxMenuAction(int tag, bool optionHeld)
{
    switch (tag) {
    case kResetPreferences:
        m_links.prefs.restoreDefaultPrefsAction();
        break;
    case kTvkSite:
        if (!openUrl(m_urls.tvkSite))
            AlertPanel::runAlert(
                QStringLiteral("No web browser is installed; the page is at %1").arg(m_urls.tvkSite.toString()),
                QStringLiteral(" "));
        break;
    case kUpdateCometsMP:
        // Both this and the orbit file's import replace the minor-planet
        // table and its cache: one at a time. The lists' download is refused
        // during the orbit file's too, whose import could start before the
        // lists are in.
        if (refusedWhile(optionHeld ? m_mpcorb.isImporting() : m_mpcorb.isRunning(), kOrbitFileBusy))
            break;
        if (optionHeld)
            m_elements.rebuildFromDisk();
        else
            m_elements.start(m_urls);
        break;
    case kVersionCheck:
        checkNvxVersion(true);
        break;
    case kVersionCheckAtLaunch:
        m_links.prefs.setIsVersionCheck(!m_links.prefs.isVersionCheck());
        break;
    case kMpcorbNumbered:
    case kMpcorbAll:
        // The lists still coming would replace the table under the import.
        if (refusedWhile(m_elements.isRunning(), kElementsBusy))
            break;
        if (optionHeld)
            m_mpcorb.reprocess(tag == kMpcorbAll);
        else
            m_mpcorb.download(m_urls.mpcorbSite, tag == kMpcorbAll);
        break;
    case kToolbar:
        switchToolbar();
        break;
    case kRebuild:
        if (!refusedWhile(m_mpcorb.isImporting(), kOrbitFileBusy))
            rebuild();
        break;
    case kHelp:
        if (!openUrl(QUrl::fromLocalFile(m_manualPath)))
            AlertPanel::runAlert(QStringLiteral("No PDF viewer is installed; the manual is at %1").arg(m_manualPath),
                                 QStringLiteral(" "));
        break;
    default:
        break;
    }
}

void NvxMenuActions::checkNvxVersion(bool userAsked)
{
    m_version.check(m_urls.versionSite, m_urls.softwareSite, userAsked);
}

bool NvxMenuActions::refusedWhile(bool busy, const QString& reason)
{
    if (busy)
        AlertPanel::runAlert(kTableBusy, reason);
    return busy;
}

bool NvxMenuActions::openUrl(const QUrl& url) const
{
    if (url.isEmpty() || !m_links.openUrl)
        return true;
    return m_links.openUrl(url);
}

void NvxMenuActions::switchToolbar()
{
    m_links.prefs.setIsShowToolbar();
    m_links.window.setToolbarShown(m_links.prefs.isShowToolbar());
}

void NvxMenuActions::rebuild()
{
    // A cache that cannot be rebuilt keeps its old table and shows its own
    // alert, so the chart drawn next is never empty.
    m_links.model.rebuildDatabase();
    m_links.model.display();
}
