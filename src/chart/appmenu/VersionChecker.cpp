#include "chart/appmenu/VersionChecker.h"

#include "chart/appmenu/VersionNumber.h"
#include "platform/WebFetch.h"
#include "platform/AlertPanel.h"
#include "platform/MacRoman.h"
#include "platform/StringTables.h"

#include <utility>

namespace {

const QString kBetaVersion = QStringLiteral("You have a beta version of Norvane Pro");
const QString kUnreadable = QStringLiteral("The version file could not be read.");

QString global(const char* key)
{
    return StringTables::localizedString(QStringLiteral("Global"), QString::fromLatin1(key));
}

}  // namespace

VersionChecker::VersionChecker(QNetworkAccessManager& network, QString ownVersion,
                               std::function<void(const QUrl&)> openUrl, QObject* parent)
    : QObject(parent),
      m_network(network),
      m_ownVersion(std::move(ownVersion)),
      m_openUrl(std::move(openUrl)),
      m_timeout(WebFetch::kTimeout)
{
}

void VersionChecker::check(const QUrl& versionSite, const QUrl& softwareSite, bool userAsked)
{
    if (versionSite.isEmpty()) {
        failed(QStringLiteral("The list of web addresses names no version file."), userAsked);
        emit finished();
        return;
    }
    WebFetch::fetch(m_network, versionSite, m_timeout, kMaximumAnswer, this,
                    [this, softwareSite, userAsked](const WebFetch::Result& result) {
                        switch (result.status) {
                        case WebFetch::Status::Ok:
                            answered(MacRoman::decode(result.body), softwareSite, userAsked);
                            break;
                        case WebFetch::Status::Failed:
                            failed(result.error, userAsked);
                            break;
                        case WebFetch::Status::TooLong:
                            failed(kUnreadable, userAsked);
                            break;
                        }
                        emit finished();
                    });
}

void VersionChecker::answered(const QString& available, const QUrl& softwareSite, bool userAsked)
{
    const std::optional<std::strong_ordering> order =
        VersionNumber::compare(available, m_ownVersion);
    if (!order) {
        // Without a version of its own the program has nothing to compare.
        if (VersionNumber::isVersion(m_ownVersion))
            failed(kUnreadable, userAsked);
        return;
    }
    if (*order > 0) {
        if (AlertPanel::runChoice(global("There is a new version of Norvane Pro"),
                                  global("Do you want to download it now?"), global("YES"),
                                  global("Later"))
            && !softwareSite.isEmpty() && m_openUrl)
            m_openUrl(softwareSite);
    } else if (!userAsked) {
        return;
    } else if (*order == 0) {
        AlertPanel::runAlert(global("You have the current version of Norvane Pro"),
                             available.trimmed());
    } else {
        AlertPanel::runAlert(kBetaVersion, m_ownVersion);
    }
}

void VersionChecker::failed(const QString& reason, bool userAsked)
{
    // The check at launch stays silent: the user did not ask and may be offline.
    if (userAsked)
        AlertPanel::runAlert(global("Internet connection failed."), reason);
}
