#pragma once

#include "find/CatalogueNames.h"
#include "find/FindPanelState.h"
#include "find/FindResultCode.h"
#include "find/SimAnswer.h"
#include "find/SimbadLookup.h"
#include "find/TypedPosition.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class AlignmentDelta;
class FindSky;
class PhotoHorizonAdjustments;
class PrefControl;
class TrackMount;
class TrackView;
struct star;

// The object finder: turns a typed name, catalogue designation or position
// into the find selection of the settings object and the position Track
// sends. The panel search talks to the user through the find panel and asks
// the online lookup when nothing local matches; the window-less search
// answers with a result code and reads only cached lookups.
class FindObjects final : public QObject {
    Q_OBJECT
public:
    // What the finder asks of the windows around it; each may stay unset.
    struct Hooks {
        std::function<void()> updateSky;          // re-project and redraw everything
        std::function<void()> chartNeedsDisplay;  // mark the chart for redraw
        std::function<void()> redrawScopeView;    // the telescope view, when shown
        std::function<void()> escapePanel;        // close the open information panel
        std::function<void()> orderOutFindPanel;
        std::function<QDateTime()> now;           // the system clock, UTC
        std::function<double()> chartWidth;       // the chart view's width, points
        std::function<void(float)> setMarkAlpha;  // the find mark's opacity
        std::function<void(const QString&)> writeDebugFile;
    };
    // What Track sends the selection to; each may stay unset.
    struct TrackLinks {
        TrackView* view = nullptr;
        TrackMount* mount = nullptr;
        AlignmentDelta* alignment = nullptr;
    };

    // The find mark blinks this many ticks of this length after a Center.
    static constexpr int kMarkTicks = 10;
    static constexpr int kMarkTickMs = 200;

    FindObjects(FindSky& sky, PrefControl& prefs, SimbadLookup& lookup, Hooks hooks,
                QObject* parent = nullptr);

    // The windows are made after the finder.
    void setHooks(Hooks hooks);
    // Set by the photographic horizon once it exists.
    void setPhotoHorizon(const PhotoHorizonAdjustments* adjustments)
    {
        m_photoHorizon = adjustments;
    }
    const PhotoHorizonAdjustments* photoHorizon() const { return m_photoHorizon; }

    void setTrackLinks(TrackLinks links) { m_track = links; }
    const TrackLinks& trackLinks() const { return m_track; }

    // The half-side of the square a chart click picks in, points.
    static float pickRadius(double chartWidth);
    // Selects what lies under the chart point (y upward), or nothing.
    void findObject(QPointF point);
    // Turns the chart to the selection; a typed position blinks the mark.
    void findCenterAction();
    // One step of the mark's blink.
    void markTimer();
    bool isMarkBlinking() const { return m_markTimer.isActive(); }
    // Opens the telescope view on the selection and sends a connected mount
    // there, with the panel's side effects.
    void findTrackAction();
    // The same for spoken commands and tours: no alignment, no Temma case.
    void trackObject();
    void findTCAction();
    // Tracks a bare position (radians of date); always true.
    bool gotoCoordsRA(double ra, double dec);
    // The next Track with a connected mount applies the alignment offsets.
    void setIsAlignAdjust(bool on) { m_isAlignAdjust = on; }

    // The panel search of the typed text.
    void findObjectName(const QString& entry);
    // The user picked a candidate from the pull-down.
    void findPulldownAction(const QString& title);
    // The search without a window.
    FindResultCode findVoiceName(const QString& name);

    // The online lookup of the panel: true when a cached answer was read or a
    // request started.
    bool findSIMBAD(const QString& name);
    // The cached lookup of the window-less search.
    std::optional<FindResultCode> findSimFile(const QString& name);
    // Builds and selects the lookup star from an answer's text.
    bool parseSimFile(QByteArrayView text);
    void simServerAction(int column) { m_lookup.setSimServer(column); }
    int simServerColumn() const { return m_lookup.simServer(); }
    const QString& simName() const { return m_simName; }

    const FindPanelState& panelState() const { return m_panel; }

    double ra() const { return m_ra; }
    double dec() const { return m_dec; }
    bool isCoords() const { return m_isCoords; }
    double trackRA() const { return m_trackRA; }
    double trackDec() const { return m_trackDec; }
    void setTrackRA(double ra, double dec)
    {
        m_trackRA = ra;
        m_trackDec = dec;
    }

    // RA and Dec of date (radians) of a J2000 unit vector, by the model's precession.
    void raDecOfDate(double x, double y, double z, double* ra, double* dec) const;
    // A catalogue star's place of date (radians): its J2000 place moved by
    // its proper motion to the sky date, then precessed.
    void starOfDate(const star& s, double* ra, double* dec) const;

signals:
    // The panel's result line, buttons or pull-down changed.
    void panelChanged();

private:
    struct Match;
    enum class Visibility { Visible, Hidden };

    void runPanelSearch(QString input);
    void resetSelection();
    bool panelTypedPosition(const QString& input);
    bool panelPlanet(const QString& input);
    bool partialPass(QString& input);
    void exactPass(const QString& input);
    void selectMatch(const Match& match, const QString& input);

    std::optional<FindResultCode> voicePlanet(const QString& name);
    std::optional<FindResultCode> voiceCatalogues(const QString& name);
    std::optional<FindResultCode> voiceMatch(const Match& match, const QString& name);
    std::optional<FindResultCode> voiceTypedPosition(const QString& name);
    // The names of the catalogues as they are now, gathered again after a load.
    const CatalogueNames& catalogueNames();

    std::optional<Match> exactMatch(QByteArrayView wanted) const;
    Visibility placeMatch(const Match& match);
    bool isBelowHorizon(double horZ) const;
    bool isBehindProfile(double ra, double dec) const;
    void storeTypedPosition(const TypedPosition::Position& position, const QString& input);
    bool selectSimStar(const SimAnswer& answer);
    void lookupDone(const SimbadLookup::Outcome& outcome);
    void setResult(const QString& text);
    void lookupFailed(const QString& text);
    void enableButtons(bool center, bool track);
    void trackAligned();
    void trackPlain();
    void writeDebug(const QString& line) const;
    void showTrackedView();
    void call(const std::function<void()>& hook) const
    {
        if (hook)
            hook();
    }

    FindSky& m_sky;
    PrefControl& m_prefs;
    SimbadLookup& m_lookup;
    Hooks m_hooks;
    const PhotoHorizonAdjustments* m_photoHorizon = nullptr;

    FindPanelState m_panel;
    double m_ra = 0.0;
    double m_dec = 0.0;
    double m_trackRA = -1.0;
    double m_trackDec = -1.0;
    bool m_isCoords = false;
    bool m_scanDone = false;
    TrackLinks m_track;
    QTimer m_markTimer;
    quint16 m_markCount = 0;
    bool m_isAlignAdjust = false;
    QString m_simName = QStringLiteral(" ");
    std::optional<CatalogueNames> m_names;
    std::uint64_t m_namesVersion = 0;
};
