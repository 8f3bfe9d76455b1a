#include "find/tours/TourControl.h"

#include "find/tours/CaptureLink.h"
#include "find/tours/PlannerExport.h"
#include "find/tours/TourCamera.h"
#include "find/tours/TourCommands.h"
#include "find/tours/TourFile.h"
#include "find/tours/TourFinder.h"
#include "find/tours/TourMount.h"
#include "model/ObjectIndex.h"
#include "platform/AlertPanel.h"

#include <QFileInfo>

using namespace TourCommands;

namespace {

const QString kCreatingTitle = QStringLiteral("Creating tour/filter");
const QString kNext = QStringLiteral("Next");
const QString kPrevious = QStringLiteral("Previous");
const QString kOpenFailed = QStringLiteral("Can not open file:");
const QString kSaveFailed = QStringLiteral("Can not save file:");
const QString kNoListener = QStringLiteral("Nebulosity is not running or not in Listen mode.");

// The panel's title for a tour file: its name without ".txt".
QString titleOf(const QString& path)
{
    const QFileInfo info(path);
    return info.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0 ? info.completeBaseName()
                                                                                 : info.fileName();
}

}  // namespace

TourControl::TourControl(Links links, Delays delays, QObject* parent)
    : QObject(parent), m_links(std::move(links)), m_delays(delays)
{
    m_panel.nextTitle = kNext;
    m_panel.previousTitle = kPrevious;
    m_panel.expTitle = modeTitle("Start");
    m_tourTimer.setInterval(m_delays.tickMs);
    connect(&m_tourTimer, &QTimer::timeout, this, &TourControl::tourExpTimer);
}

QString TourControl::modeTitle(const char* verb) const
{
    const char* mode = m_isCanonExp ? " EOS" : m_isNebExp ? " Neb" : "";
    return QStringLiteral("%1%2 Exposures").arg(QLatin1String(verb), QLatin1String(mode));
}

QString TourControl::rowName(int row) const
{
    if (m_isAPTour && row < m_APtourArray.size() && m_APtourArray.at(row) != QLatin1String(PlannerExport::kFindByName))
        return m_APtourArray.at(row);
    return m_tourArray.at(row);
}

bool TourControl::isCommandRow(int row) const
{
    return row >= 0 && row < m_tourArray.size() && isCommand(m_tourArray.at(row));
}

bool TourControl::isSlewing() const
{
    return m_links.mount && m_links.mount->isSlewing();
}

bool TourControl::isMountConnected() const
{
    return m_links.mount && m_links.mount->isConnected();
}

void TourControl::setTourTitle(const QString& title)
{
    m_panel.title = title;
    emit panelChanged();
}

void TourControl::setNumTourObjects(int count)
{
    const int kept = qBound(0, count, numTourObjects());
    m_tourArray.resize(kept);
    if (m_APtourArray.size() > kept)
        m_APtourArray.resize(kept);
    reload();
}

void TourControl::reload()
{
    if (m_currentObjectRow >= numTourObjects())
        m_currentObjectRow = -1;
    if (m_panel.selectedRow >= numTourObjects())
        m_panel.selectedRow = -1;
    emit tableChanged();
}

void TourControl::select(int row)
{
    m_currentObjectRow = row;
    m_panel.selectedRow = row;
    emit panelChanged();
}

void TourControl::showPanel(const QString& title)
{
    m_panel.title = title;
    m_panel.visible = true;
    emit panelChanged();
}

void TourControl::initTourPanel(bool clear)
{
    if (clear) {
        if (!m_tourArray.isEmpty())
            clearTour();
        m_panel.title = kCreatingTitle;
    }
    showPanel(m_panel.title);
}

void TourControl::clearTour()
{
    if (m_isRunningTourExp)
        endTour();
    if (!m_tourArray.isEmpty()) {
        m_tourArray.clear();
        m_APtourArray.clear();
    }
    m_isAPTour = false;
    reload();
    m_panel.visible = false;
    emit panelChanged();
}

void TourControl::panelClosed()
{
    m_panel.visible = false;
    emit panelChanged();
}

void TourControl::openTourFile(const QString& path)
{
    const std::optional<QString> text = TourFile::readText(path);
    if (!text) {
        AlertPanel::runAlert(kOpenFailed, path);
        return;
    }
    if (m_isRunningTourExp)
        endTour();
    ++m_generation;
    m_isAPTour = PlannerExport::isExport(*text);
    if (m_isAPTour) {
        const PlannerExport plan = PlannerExport::parse(*text);
        m_tourArray = plan.names;
        m_APtourArray = plan.coordinates;
    } else {
        m_tourArray = TourFile::splitLines(*text);
        m_APtourArray.clear();
    }
    m_currentObjectRow = -1;
    reload();
    m_panel.selectedRow = m_tourArray.isEmpty() ? -1 : 0;
    showPanel(titleOf(path));
    chooseExposureMode();
}

void TourControl::chooseExposureMode()
{
    m_isCanonExp = false;
    m_isNebExp = false;
    m_panel.expEnabled = false;
    if (m_isAPTour) {
        // A planner's list is stepped by hand only.
    } else if (m_links.canon && m_links.canon->isCanonConnected()) {
        m_isCanonExp = true;
        m_panel.expEnabled = true;
    } else if (!m_tourArray.isEmpty() && holds(m_tourArray.front(), tourNebMarker)) {
        // The capture program takes the probe off the shared text when it listens.
        m_links.capture.clearContents();
        m_links.capture.setString(QLatin1String(nebProbe));
        const quint64 generation = m_generation;
        QTimer::singleShot(m_delays.probeMs, this, [this, generation] { answerProbe(generation); });
    }
    m_panel.expTitle = modeTitle("Start");
    emit panelChanged();
}

void TourControl::answerProbe(quint64 generation)
{
    if (generation != m_generation)
        return;
    if (m_links.capture.string() == QLatin1String(nebProbe)) {
        m_panel.visible = false;
        emit panelChanged();
        AlertPanel::runAlert(kNoListener, QStringLiteral(" "));
        return;
    }
    m_isNebExp = true;
    m_panel.expEnabled = true;
    m_panel.expTitle = modeTitle("Start");
    emit panelChanged();
}

bool TourControl::saveTourFile(const QString& path)
{
    if (!m_tourArray.isEmpty()) {
        // Lines picked while typed coordinates are selected go to the end of the file.
        const bool append = m_links.finder.findIndex() == kTypedPositionIndex;
        const QString error = TourFile::save(path, m_tourArray, append);
        if (!error.isEmpty()) {
            AlertPanel::runAlert(kSaveFailed, path + QLatin1Char('\n') + error);
            return false;
        }
        clearTour();
        if (m_links.setupCustomFilters)
            m_links.setupCustomFilters();
        return true;
    }
    panelClosed();
    return true;
}

void TourControl::addTourObject()
{
    if (m_links.finder.findIndex() == kNoObjectIndex)
        return;
    if (m_tourArray.isEmpty()) {
        m_isAPTour = false;
        m_APtourArray.clear();
        m_panel.title = kCreatingTitle;
    }
    m_tourArray.append(m_links.finder.findName());
    if (m_isAPTour)
        m_APtourArray.append(QLatin1String(PlannerExport::kFindByName));
    reload();
    m_panel.selectedRow = numTourObjects() - 1;
    if (!m_panel.visible)
        m_panel.title = kCreatingTitle;
    m_panel.visible = true;
    m_panel.expEnabled = false;
    emit panelChanged();
}

void TourControl::tourDoubleClickedAction(int row)
{
    if (row < 0 || row >= numTourObjects())
        return;
    m_tourArray.removeAt(row);
    if (m_isAPTour && row < m_APtourArray.size())
        m_APtourArray.removeAt(row);
    if (m_currentObjectRow > row)
        --m_currentObjectRow;
    reload();
}

void TourControl::tourObjectClickedAction(int row)
{
    if (isSlewing()) {
        AlertPanel::beep();
        return;
    }
    if (row < 0 || row >= numTourObjects())
        return;
    m_currentObjectRow = row;
    if (m_links.finder.findVoiceName(rowName(row)) == findResultFound) {
        m_links.finder.trackObject();
        m_links.finder.centerAndUpdateSky();
    }
}

int TourControl::wrapped(int row) const
{
    if (row >= numTourObjects())
        return 0;
    return row < 0 ? numTourObjects() - 1 : row;
}

void TourControl::stepBy(int delta)
{
    if (isSlewing()) {
        AlertPanel::beep();
        return;
    }
    if (m_tourArray.isEmpty())
        return;
    select(wrapped(m_currentObjectRow + delta));
    switch (m_links.finder.findVoiceName(rowName(m_currentObjectRow))) {
    case findResultBelowHorizon:
        AlertPanel::beep();
        break;
    case findResultFound:
        m_links.finder.trackObject();
        break;
    default:
        break;
    }
}

int TourControl::voiceTrack(int direction)
{
    if (m_tourArray.isEmpty())
        return findResultNotFound;
    if (direction != kVoiceNext && direction != kVoicePrevious) {
        m_links.finder.trackObject();
        return findResultFound;
    }
    if (isSlewing())
        return TourFinder::findResultSlewing;
    select(wrapped(m_currentObjectRow + (direction == kVoiceNext ? 1 : -1)));
    if (m_links.finder.findVoiceName(rowName(m_currentObjectRow)) != findResultFound)
        return findResultNotFound;
    m_links.finder.trackObject();
    return findResultFound;
}

void TourControl::tourPanelAction(int tag)
{
    switch (tag) {
    case kNextTag:
        if (m_isRunningTourExp) {
            m_isTourPause = true;
            m_panel.expTitle = QStringLiteral("Tour Paused...");
            emit panelChanged();
        } else {
            stepBy(1);
        }
        break;
    case kPreviousTag:
        if (m_isRunningTourExp) {
            m_isTourPause = false;
            m_panel.expTitle = modeTitle("Abort");
            emit panelChanged();
        } else {
            stepBy(-1);
        }
        break;
    case kExposureTag:
        if (m_isRunningTourExp)
            endTour();
        else
            startTour();
        break;
    default:
        break;
    }
}
