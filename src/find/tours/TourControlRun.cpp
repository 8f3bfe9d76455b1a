// The automatic tour of TourControl: start, the 3 s tick, exposures and the
// capture program's commands.
#include "find/tours/TourControl.h"

#include "find/tours/CaptureLink.h"
#include "find/tours/TourCamera.h"
#include "find/tours/TourCommands.h"
#include "find/tours/TourFinder.h"
#include "find/tours/TourMount.h"
#include "platform/AlertPanel.h"

#include <QPointer>

#include <cmath>
#include <numbers>

using namespace TourCommands;

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr int kAdjustParts = 3;

}  // namespace

void TourControl::takeWait(const QString& line)
{
    bool ok = false;
    const float seconds = line.mid(waitSecondsColumn).trimmed().toFloat(&ok);
    m_nebWaitSec = ok && std::isfinite(seconds) ? seconds : 0.0f;
}

void TourControl::startTour()
{
    if (isSlewing() || m_tourArray.isEmpty())
        return;
    int row = m_isNebExp ? 1 : 0;
    if (row >= numTourObjects())
        return;
    select(row);
    if (m_isNebExp && !m_isAPTour) {
        // The commands before the first object: the last one stays on the shared text.
        m_links.capture.clearContents();
        for (; isCommandRow(row); ++row) {
            const QString& line = m_tourArray.at(row);
            if (holds(line, tourWaitCommand))
                takeWait(line);
            else if (holds(line, nebCommand))
                m_links.capture.setString(line);
        }
        if (row >= numTourObjects())
            return;
        select(row);
        m_nebWaitProg = 0.0f;
    }
    switch (m_links.finder.findVoiceName(rowName(row))) {
    case findResultBelowHorizon:
        m_panel.expTitle = QStringLiteral("Object is below horizon");
        stopRunning();
        return;
    case findResultFound:
        break;
    default:
        stopRunning();
        return;
    }
    ++m_generation;
    trackFound();
    if (!m_tourTimer.isActive())
        m_tourTimer.start();
    m_isRunningTourExp = true;
    m_isTourPause = false;
    m_panel.expTitle = modeTitle("Abort");
    m_panel.nextTitle = QStringLiteral("Pause");
    m_panel.previousTitle = QStringLiteral("Resume");
    emit panelChanged();
}

// The object on the current row was found: an adjust line right after it
// moves the target (and becomes the current row), then the telescope goes.
void TourControl::trackFound()
{
    const int next = m_currentObjectRow + 1;
    if (next < numTourObjects() && holds(m_tourArray.at(next), tourAdjustCommand)) {
        applyAdjust(next);
        select(next);
    }
    m_links.finder.trackObject();
    m_needsExposure = true;
    m_isExpBlock = isMountConnected();
}

void TourControl::applyAdjust(int row)
{
    const QStringList parts = m_tourArray.at(row).split(QLatin1Char(':'));
    if (parts.size() != kAdjustParts)
        return;
    bool raOk = false;
    bool decOk = false;
    const double dRA = parts.at(1).trimmed().toDouble(&raOk);
    const double dDec = parts.at(2).trimmed().toDouble(&decOk);
    if (!raOk || !decOk || !std::isfinite(dRA) || !std::isfinite(dDec))
        return;
    TourFinder& finder = m_links.finder;
    finder.setTrackRA(finder.trackRA() + dRA * kRadiansPerDegree, finder.trackDec() + dDec * kRadiansPerDegree);
}

void TourControl::stopRunning()
{
    m_tourTimer.stop();
    ++m_generation;
    m_isTourExposing = false;
    m_isCanonStarting = false;
    m_needsExposure = false;
    m_isRunningTourExp = false;
    m_isExpBlock = false;
    m_isTourPause = false;
    emit panelChanged();
}

void TourControl::endTour()
{
    stopRunning();
    m_panel.expTitle = modeTitle("Start");
    m_panel.nextTitle = QStringLiteral("Next");
    m_panel.previousTitle = QStringLiteral("Previous");
    emit panelChanged();
}

void TourControl::tourExpTimer()
{
    if (m_isTourPause || !m_isRunningTourExp)
        return;
    if (m_isTourExposing) {
        if (m_isCanonExp) {
            const bool busy = m_isCanonStarting
                              || (m_links.canon && (m_links.canon->isCanonDownloading() || m_links.canon->isCanonExposing()));
            if (!busy)
                m_isTourExposing = false;
        } else if (m_isNebExp) {
            m_nebWaitProg += float(m_delays.tickMs) / 1000.0f;
            if (m_nebWaitProg >= m_nebWaitSec) {
                m_isTourExposing = false;
                m_nebWaitProg = 0.0f;
            }
        } else {
            m_isTourExposing = false;
        }
        return;
    }
    const bool slewing = m_links.mount && m_links.mount->genericSlewDetect();
    if (slewing)
        m_isExpBlock = false;
    if (slewing || m_isExpBlock)
        return;
    if (m_needsExposure) {
        m_isTourExposing = true;
        m_needsExposure = false;
        const quint64 generation = m_generation;
        QTimer::singleShot(m_delays.exposureWaitMs, this, [this, generation] { startExposure(generation); });
        return;
    }
    advance();
}

void TourControl::startExposure(quint64 generation)
{
    if (generation != m_generation || !m_isRunningTourExp)
        return;
    if (m_isCanonExp) {
        if (!m_links.canon) {
            endTour();
            return;
        }
        m_isCanonStarting = true;
        const QPointer<TourControl> self(this);
        m_links.canon->canonStartBulbExposure([self, generation](bool started) {
            if (!self || generation != self->m_generation)
                return;
            self->m_isCanonStarting = false;
            if (!started)
                self->endTour();
        });
        return;
    }
    if (m_isNebExp)
        collectCaptureCommands();
}

// The command lines after the current object go to the capture program
// together, each ending in "\r"; the row stays on the last line taken so
// that the next advance lands on the following object.
void TourControl::collectCaptureCommands()
{
    int row = m_currentObjectRow + 1;
    m_links.capture.clearContents();
    QString commands;
    for (; isCommandRow(row); ++row) {
        const QString& line = m_tourArray.at(row);
        if (holds(line, tourWaitCommand))
            takeWait(line);
        else if (holds(line, nebCommand))
            commands += line + QLatin1Char('\r');
    }
    if (!commands.isEmpty())
        m_links.capture.setString(commands);
    select(row - 1);
    m_nebWaitProg = 0.0f;
}

void TourControl::advance()
{
    int row = m_currentObjectRow + 1;
    while (row < numTourObjects()) {
        select(row);
        const FindResultCode result = m_links.finder.findVoiceName(rowName(row));
        if (result == findResultFound) {
            trackFound();
            return;
        }
        if (result != findResultBelowHorizon)
            return;
        // Below the horizon: beep and go on to the next object line.
        AlertPanel::beep();
        for (++row; isCommandRow(row); ++row) {
        }
    }
    endTour();
}
