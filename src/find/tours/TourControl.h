#pragma once

#include "find/tours/Tours.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class CaptureLink;
class TourCamera;
class TourFinder;
class TourMount;

// Guided tours: an ordered list of object names (or typed positions) and
// command lines, stepped through by hand or run automatically: every 3 s the
// tour checks that the slew to the current object was seen and has ended,
// takes an exposure with the Canon camera or hands capture commands to the
// outside capture program, and moves on. The panel shows `panel()` and the
// lines; it sends back the button tags and table clicks.
class TourControl final : public QObject, public Tours {
    Q_OBJECT
public:
    static constexpr int kNextTag = 1;      // "Pause" while the automatic tour runs
    static constexpr int kPreviousTag = 2;  // "Resume" while it runs
    static constexpr int kExposureTag = 3;
    // The spoken steps of voiceTrack.
    static constexpr int kVoiceNext = 1;
    static constexpr int kVoicePrevious = 2;

    struct Links {
        TourFinder& finder;
        CaptureLink& capture;
        TourMount* mount = nullptr;
        TourCamera* canon = nullptr;
        // The preferences window re-lists its custom filters after a save.
        std::function<void()> setupCustomFilters = {};
    };
    struct Delays {
        int tickMs = 3000;          // the automatic tour's step
        int exposureWaitMs = 1000;  // settling before each exposure
        int probeMs = 200;          // the capture program's answer to the probe
    };
    // What the panel shows.
    struct PanelState {
        QString title;
        bool visible = false;
        int selectedRow = -1;  // selected and scrolled to; -1 for none
        QString expTitle;
        bool expEnabled = false;
        QString nextTitle;
        QString previousTitle;
    };

    TourControl(Links links, Delays delays, QObject* parent = nullptr);
    explicit TourControl(Links links, QObject* parent = nullptr) : TourControl(links, Delays(), parent) {}

    // The File menu's operations.
    bool isTourVisible() const override { return m_panel.visible; }
    void setTourTitle(const QString& title) override;
    int numTourObjects() const override { return int(m_tourArray.size()); }
    void setNumTourObjects(int count) override;
    void initTourPanel(bool clear) override;
    void openTourFile(const QString& path) override;
    bool saveTourFile(const QString& path) override;
    void clearTour() override;

    // A chart click while a tour is being built.
    void addTourObject();
    // A spoken or scripted step; returns a find result (TourFinder::findResultSlewing while slewing).
    int voiceTrack(int direction);
    void tourPanelAction(int tag);
    void tourObjectClickedAction(int row);
    void tourDoubleClickedAction(int row);
    // One tick of the automatic tour.
    void tourExpTimer();
    void endTour();
    // The user closed the panel.
    void panelClosed();

    const QStringList& tourArray() const { return m_tourArray; }
    const QStringList& APtourArray() const { return m_APtourArray; }
    const PanelState& panel() const { return m_panel; }
    int currentObjectRow() const { return m_currentObjectRow; }
    bool isAPTour() const { return m_isAPTour; }
    bool isRunningTourExp() const { return m_isRunningTourExp; }
    bool isTourExposing() const { return m_isTourExposing; }
    bool isTourPause() const { return m_isTourPause; }
    bool isTimerRunning() const { return m_tourTimer.isActive(); }
    float nebWaitSec() const { return m_nebWaitSec; }

signals:
    void panelChanged();
    // The lines changed: the table reloads.
    void tableChanged();

private:
    QString rowName(int row) const;
    bool isCommandRow(int row) const;
    bool isSlewing() const;
    bool isMountConnected() const;
    QString modeTitle(const char* verb) const;
    void showPanel(const QString& title);
    void select(int row);
    void reload();
    void stepBy(int delta);
    int wrapped(int row) const;
    void chooseExposureMode();
    void answerProbe(quint64 generation);
    void startTour();
    void stopRunning();
    void trackFound();
    void applyAdjust(int row);
    void startExposure(quint64 generation);
    void collectCaptureCommands();
    void advance();
    void takeWait(const QString& line);

    Links m_links;
    Delays m_delays;
    PanelState m_panel;
    QStringList m_tourArray;
    QStringList m_APtourArray;
    int m_currentObjectRow = -1;
    QTimer m_tourTimer;
    // Bumped whenever a pending continuation becomes stale.
    quint64 m_generation = 0;
    float m_nebWaitSec = 0.0f;
    float m_nebWaitProg = 0.0f;
    bool m_isTourExposing = false;
    // The camera has not answered the exposure's start yet.
    bool m_isCanonStarting = false;
    bool m_needsExposure = false;
    bool m_isRunningTourExp = false;
    bool m_isExpBlock = false;
    bool m_isAPTour = false;
    bool m_isCanonExp = false;
    bool m_isNebExp = false;
    bool m_isTourPause = false;
};
