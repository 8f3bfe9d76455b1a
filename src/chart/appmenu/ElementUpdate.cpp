#include "chart/appmenu/ElementUpdate.h"

#include "chart/appmenu/AppMenuModel.h"
#include "platform/AlertPanel.h"
#include "platform/AppTimeZone.h"
#include "platform/SafeWrite.h"
#include "platform/StringTables.h"
#include "solarsystem/smallbodies/CometImport.h"
#include "solarsystem/smallbodies/CometTable.h"
#include "solarsystem/smallbodies/ElementFile.h"
#include "solarsystem/smallbodies/MinorPlanetImport.h"
#include "solarsystem/smallbodies/SmallBodyPass.h"

#include <QFile>

#include <string_view>
#include <vector>

namespace {

const QString kCometUrlMissing = QStringLiteral("Comet database URL not found.");
const QString kCometWriteFailed = QStringLiteral("Failed to write comet data.");
const QString kMinorPlanetWriteFailed = QStringLiteral("Failed to write minor planet data.");
const QString kNeoWriteFailed = QStringLiteral("Failed to write NEO data.");
const QString kNeedsDownload = QStringLiteral("Comet/MP database needs to be downloaded.");
constexpr const char* kUpdated = "Comet/MP database has been updated.";
// Far more than any element list holds; a larger answer is no list.
constexpr qint64 kMaximumList = qint64(16) << 20;

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

bool isCometList(const QByteArray& bytes)
{
    if (!ElementFile::isAscii(bytes))
        return false;
    const CometImport::Result parsed = CometImport::parse(view(bytes));
    return parsed.status == CometImport::Status::Ok && !parsed.comets.empty();
}

bool isOrbitList(const QByteArray& bytes)
{
    if (!ElementFile::isAscii(bytes))
        return false;
    std::vector<minorPlanet> orbits;
    MinorPlanetImport::appendList(view(bytes), 0, orbits);
    return !orbits.empty();
}

// What keeps a fetched list from replacing its file, saying what failed;
// empty when it may.
QString unusable(const WebFetch::Result& result, bool (*isList)(const QByteArray&))
{
    if (result.status != WebFetch::Status::Ok)
        return QStringLiteral("The download failed: %1").arg(result.error);
    if (!isList(result.body))
        return QStringLiteral("The downloaded file holds no element lines.");
    return {};
}

// Writes the file; empty when it was saved. The element formats are ASCII,
// which Mac OS Roman stores unchanged.
QString save(const QString& path, const QByteArray& bytes)
{
    const QString reason = SafeWrite::replace(path, bytes);
    return reason.isEmpty() ? QString() : QStringLiteral("The file could not be written: %1").arg(reason);
}

// The list checked, and then the file written; empty when it was saved.
QString store(const WebFetch::Result& result, bool (*isList)(const QByteArray&),
              const QString& path)
{
    const QString error = unusable(result, isList);
    return error.isEmpty() ? save(path, result.body) : error;
}

}  // namespace

ElementUpdate::ElementUpdate(QNetworkAccessManager& network, AppMenuModel& model, QObject* parent)
    : QObject(parent), m_network(network), m_model(model)
{
}

QString ElementUpdate::path(const char* fileName) const
{
    return m_model.buildDirectory() + QLatin1String(fileName);
}

void ElementUpdate::start(const UrlList& urls)
{
    if (m_running)
        return;
    m_running = true;
    m_urls = urls;
    if (m_urls.cometSite.isEmpty()) {
        AlertPanel::runAlert(kCometUrlMissing, QStringLiteral(" "));
        finish();
        return;
    }
    WebFetch::fetch(m_network, m_urls.cometSite, m_timeout, kMaximumList, this,
                    [this](const WebFetch::Result& result) { cometsFetched(result); });
}

void ElementUpdate::cometsFetched(const WebFetch::Result& result)
{
    const QString error = store(result, isCometList, path(CometTable::kElementFile));
    if (!error.isEmpty()) {
        // The minor planets do not depend on the comets: their update goes on.
        fail(kCometWriteFailed, error);
    } else if (!m_model.createCometData(true)) {
        // The import has shown its own alert.
        finish();
        return;
    }
    fetchMinorPlanets();
}

void ElementUpdate::fetchMinorPlanets()
{
    if (m_urls.mpSite.isEmpty() || m_urls.neoSite.isEmpty()) {
        finish();
        return;
    }
    // The list is filed under the year it is for: the address's year is this year's.
    const QUrl bright = UrlList::forYear(m_urls.mpSite, AppTimeZone::now().date().year());
    WebFetch::fetch(m_network, bright, m_timeout, kMaximumList, this,
                    [this](const WebFetch::Result& result) { brightFetched(result); });
}

void ElementUpdate::brightFetched(const WebFetch::Result& result)
{
    const QString error = unusable(result, isOrbitList);
    if (!error.isEmpty()) {
        fail(kMinorPlanetWriteFailed, error);
        finish();
        return;
    }
    m_bright = result.body;
    WebFetch::fetch(m_network, m_urls.neoSite, m_timeout, kMaximumList, this,
                    [this](const WebFetch::Result& result) { unusualFetched(result); });
}

void ElementUpdate::unusualFetched(const WebFetch::Result& result)
{
    // Both lists are in hand before either file is replaced, so that the two
    // files on disk always come from the same update.
    const QString unusualError = store(result, isOrbitList, path(MinorPlanetTable::kUnusualFile));
    if (!unusualError.isEmpty()) {
        fail(kNeoWriteFailed, unusualError);
        finish();
        return;
    }
    const QString brightError = save(path(MinorPlanetTable::kBrightFile), m_bright);
    if (!brightError.isEmpty()) {
        fail(kMinorPlanetWriteFailed, brightError);
        finish();
        return;
    }
    m_model.createMinorPlanetData(true, false, false);
    m_model.calculateCometPositions(kSmallBodyBoth);
    m_model.calculateStarPositions(true);
    AlertPanel::runAlert(StringTables::localizedString(QStringLiteral("Global"),
                                                       QString::fromLatin1(kUpdated)),
                         QString());
    finish();
}

void ElementUpdate::fail(const QString& alert, const QString& reason)
{
    if (m_debug)
        m_debug(alert + QLatin1Char(' ') + reason);
    AlertPanel::runAlert(alert, reason);
}

void ElementUpdate::finish()
{
    m_bright.clear();
    m_running = false;
    m_model.display();
    emit finished();
}

void ElementUpdate::rebuildFromDisk()
{
    if (!QFile::exists(path(CometTable::kElementFile))
        || !QFile::exists(path(MinorPlanetTable::kBrightFile))) {
        AlertPanel::runAlert(kNeedsDownload, QStringLiteral(" "));
        return;
    }
    m_model.createCometData(true);
    m_model.createMinorPlanetData(true, false, false);
    m_model.calculateCometPositions(kSmallBodyBoth);
    m_model.calculateStarPositions(true);
    m_model.display();
}
