#pragma once

#include "camera/canon/CanonPanelState.h"
#include "camera/canon/CanonSdk.h"
#include "camera/movie/MovieJob.h"
#include "model/settings/links/CanonCamera.h"
#include "mount/DebugWriter.h"
#include "mount/links/ConnectMenuLinks.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

class CanonShutter;
class PrefControl;
class SafeWrite;

// The Canon EOS camera on USB: the connection and its checks, the choice
// lists, exposures (timed by the camera, or bulb timed here), sequences and
// the numbered downloads. Everything runs on the main thread; the panel
// shows `panel()` and sends its controls' tags to canonAction().
class CanonControl : public QObject, public SlowMenuDevice, public CanonCamera {
    Q_OBJECT
public:
    // The panel's controls, by tag.
    enum Tag {
        kTagExpose = 1,
        kTagSaveToCamera = 2,
        kTagSaveToMac = 3,
        kTagISO = 4,
        kTagExpCombo = 5,
        kTagDelay = 6,
        kTagFileFolder = 7,
        kTagNumExp = 8,
        kTagFocusCheck = 9,
        kTagSaturation = 10,
        kTagFocusExposure = 11,
        kTagGrid = 12,
        kTagWhiteBalance = 13,
        kTagMovieFolder = 14,
        kTagRecord = 15,
        kTagMovieFrames = 16,
        kTagMovieQuality = 17,
    };

    // What the base-name dialog is asked; it answers the chosen path
    // without an extension, empty when cancelled.
    struct BaseNameRequest {
        QString title;
        QString message;
        QString folder;
        QString name;
    };
    using ChooseBaseName = std::function<QString(const BaseNameRequest&)>;

    // Sixtieths of a second since some fixed start.
    using TickClock = std::function<std::int64_t()>;
    // Microseconds since some fixed start.
    using MicroClock = std::function<std::int64_t()>;

    CanonControl(CanonSdk& sdk, PrefControl& prefs, DebugWriter debug, QObject* parent = nullptr);
    ~CanonControl() override;

    void setShutter(CanonShutter* shutter) { m_dsusb = shutter; }
    void setChooseBaseName(ChooseBaseName choose) { m_chooseBaseName = std::move(choose); }
    void setTickClock(TickClock clock) { m_ticks = std::move(clock); }
    void setMicroClock(MicroClock clock) { m_microClock = std::move(clock); }
    // The image view's size, for the live-view zoom.
    void setViewBounds(double width, double height);

    // Connection. The camera is reached step by step without holding up
    // the main thread; `done` hears how it ended, and why when it failed
    // (no reason when a disconnect ended it). A connection asked for while
    // one is being made is refused at once.
    void canonConnect(Connected done = {});
    bool isCanonConnecting() const { return m_isCanonConnecting; }
    void canonDisconnect() override;
    void canonDisconnectShutdown();
    // Writes the colour temperature without waiting for the camera: `done`
    // hears whether the writes succeeded.
    void writeCanonWhiteBalance(std::function<void(bool)> done);

    // SlowMenuDevice, for the Connect menu.
    bool isConnected() const override { return m_isCanonConnected; }
    bool isConnecting() const override { return m_isCanonConnecting; }
    void startConnect(Connected done) override { canonConnect(std::move(done)); }
    void disconnectDevice() override { canonDisconnect(); }

    // Exposures.
    // Whether an exposure was started, once the camera has answered.
    using Started = std::function<void(bool started)>;
    void canonAction(int tag);
    // Starts one exposure with the current settings; the panel reads
    // "Starting" until the camera has answered. Refused at once while
    // another start is under way.
    void canonStartBulbExposure(Started done = {});
    bool isCanonStarting() const { return m_isCanonStarting; }
    bool canonEndBulbExposure();
    void startCanonExposure();
    void canonTriggerExposure();
    void canonClearExposure();
    void setFocusEnabled();
    // Whether the camera writes two files per exposure.
    void getCanonImageQuality(std::function<void(bool)> done);
    // Starts the item's download, asking the camera about it without
    // waiting; its end goes on with the exposures.
    void canonDownloadImage(CanonSdk::Item item);
    void canonDownloadProgress(double percent);
    bool setFileFolder();
    // Asks for the battery level; the panel and the warnings follow the answer.
    void canonBatteryLevelTimer();

    // Live view and the camera checks.
    // Switches the camera's viewfinder output without waiting for it;
    // isCanonLiveView() follows the camera's report. The last switch wins:
    // the answers of an earlier one are dropped.
    void setupCanonLiveView(bool on);
    void setIsCanonLiveView();
    // Asks for the next live-view frame; the image changes when it comes.
    void getCanonLiveView();
    // A click in the image view (view points, origin bottom left): toggles
    // the zoom at once and tells the camera without waiting; false without
    // live view. A click while the camera is still being told is written
    // after it, the last one winning; a refused zoom beeps and is undone.
    bool setupCanonLiveViewPosition(double x, double y);
    // Moves the zoom window likewise; false at zoom 1.
    bool jogCanonLiveViewPosition(int dx, int dy);
    void canonExtendLiveViewTime();
    void setIsCanonBulb();
    void removeFilePath();
    // The answers setIsCanonLiveView() and setIsCanonBulb() wait for.
    void takeLiveViewOutput(CanonSdk::Error error, std::uint32_t device);
    void takeBulbState(CanonSdk::Error tvError, std::uint32_t tv, CanonSdk::Error aeError, std::uint32_t ae);

    // Live-view movies.
    bool startRecordingMovie();
    void stopRecordingMovie();
    // A shown live-view frame, cropped as shown; taken while recording and
    // no frame is being encoded.
    void recordCanonMovie(const QImage& frame);
    bool setMovieFolder();

    // The panel's state; the panel writes its controls' values here.
    CanonPanelState& panel() { return m_panel; }
    const CanonPanelState& panel() const { return m_panel; }

    bool isCanonConnected() const override { return m_isCanonConnected; }
    bool isCanonBulb() const { return m_isCanonBulb; }
    bool isCanonExposing() const { return m_isCanonExposing; }
    bool isCanonDownloading() const { return m_isCanonDownloading; }
    bool isCanonLiveView() const { return m_isCanonLiveView; }
    bool isCanonGrid() const { return m_isCanonGrid; }
    bool isCanonAbort() const { return m_isCanonAbort; }
    bool isCanonTestImage() const { return m_isCanonTestImage; }
    // The file at canonFilePath() was downloaded as a test image, shown and
    // not kept; a file downloaded to keep is never one, whatever the boxes
    // say later.
    bool isCanonFileTestImage() const { return m_isCanonFileTestImage; }
    bool isLiveViewCapable() const { return m_isLiveViewCapable; }
    bool isNewExposeImage() const { return m_isNewExposeImage; }
    bool isCanonMovieRecording() const { return m_isCanonMovieRecording; }
    QString canonMoviePath() const { return m_canonMoviePath; }
    QString canonMovieFileDir() const { return m_canonMovieFileDir; }
    QString codecStr() const { return m_codecStr; }
    int codecQuality() const { return m_codecQuality; }
    std::uint32_t canonNumMovieFrames() const { return m_canonNumMovieFrames; }
    std::uint32_t canonNumMovieFramesTaken() const { return m_canonNumMovieFramesTaken; }
    float frequency() const { return m_frequency; }
    // Blocks until the movie frame being encoded (if any) is written.
    void waitForMovieFrame() { m_canonMovie.waitForFrame(); }
    bool hasDownloadedFirst() const { return m_hasDownloadedFirst; }
    bool isJpegPlusRaw() const { return m_isJpegPlusRaw; }
    bool isSDKInit() const { return m_isSDKInit; }
    bool isFrameTimerRunning() const { return m_evTimer.isActive(); }
    // A sequence waits out its delay before the next exposure.
    bool isCanonDelaying() const { return m_triggerTimer.isActive(); }
    // The last live-view frame, a JPEG.
    QByteArray canonEvfData() const { return m_canonEvfData; }
    double canonFocusExposureScale() const { return m_canonFocusExposureScale; }
    QPoint zoomPt() const { return m_zoomPt; }
    bool is60D() const { return m_is60D; }
    bool is7D() const { return m_is7D; }
    bool isT1i() const { return m_isT1i; }
    double canonDelayTime() const { return m_canonDelayTime; }
    double canonExpTime() const { return m_canonExpTime; }
    double canonSatValue() const { return m_canonSatValue; }
    std::uint32_t canonZoomScale() const { return m_canonZoomScale; }
    std::uint32_t canonISO() const { return m_canonISO; }
    std::uint32_t canonSaveTo() const { return m_canonSaveTo; }
    std::uint32_t canonNumExposures() const { return m_canonNumExposures; }
    std::uint32_t canonNumExpTaken() const { return m_canonNumExpTaken; }
    std::uint32_t expCode() const { return m_expCode; }
    std::uint32_t numMaxISO() const { return m_numMaxISO; }
    const std::array<std::uint32_t, 26>& canonISOMenu() const { return m_canonISOMenu; }
    QString canonFilePath() const { return m_canonFilePath; }
    QString canonCameraName() const { return m_canonCameraName; }
    QString canonImageFileDir() const { return m_canonImageFileDir; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setIsCanonDownloading(bool on) { m_isCanonDownloading = on; }
    void setHasDownloadedFirst(bool on) { m_hasDownloadedFirst = on; }
    void setIsNewExposeImage(bool on) { m_isNewExposeImage = on; }
    void setIsCanonAbort(bool on) { m_isCanonAbort = on; }
    void setIsPropChange(bool on) { m_isPropChange = on; }

    static constexpr int kEvfBuffSize = 2097152;
    // How long past an exposure's end a transfer request may take to come.
    static constexpr int kDownloadGraceMs = 60000;
    void setDownloadGraceMs(int ms) { m_downloadGraceMs = ms; }

signals:
    void panelChanged();
    // Step 19 of a connection: the panel is made key and ordered front.
    void showPanelRequested();
    void hidePanelRequested();
    // A new image (or none) for the image view.
    void imageChanged();
    // The image view shows the whole still image again.
    void scaleImageReset();

private:
    // An answer that reaches the controller only while it lives and the
    // operation it belongs to is still under way: `pending` is still set
    // and `counter` still counts it.
    template <class Then>
    auto whilePending(bool CanonControl::*pending, std::uint64_t CanonControl::*counter, Then then)
    {
        const QPointer<CanonControl> self(this);
        const std::uint64_t mine = this->*counter;
        return [self, pending, counter, mine, then = std::move(then)](auto&&... answer) {
            if (self && self.data()->*pending && self.data()->*counter == mine)
                then(std::forward<decltype(answer)>(answer)...);
        };
    }

    // Connection steps; each goes on to `next` once the camera answered.
    using Next = std::function<void()>;
    // A step's answer: reaches the controller only while it lives and the
    // connection it belongs to is still being made.
    template <class Then>
    auto whileConnecting(Then then);
    void failConnection(const QString& line, bool closeSession);
    void endConnection(bool connected, const QString& why);
    void findCamera();
    void openCamera();
    void readAEMode();
    void prepareCamera();
    void readISOChoices(Next next);
    void readCurrentISO(Next next);
    void chooseStoredExposure();
    void setupSaveTarget(Next next);
    void setupLiveView(Next next);
    void setupWhiteBalance(Next next);
    void readCameraName(Next next);
    // Whether the camera told its own image size (then taken).
    void readFocusInfoSize(std::function<void(bool)> done);
    // The size and family; `done` hears false when no model matched.
    void chooseModel(std::function<void(bool)> done);
    bool takeModel(bool sized);
    void writeShutterSpeedOnConnect(Next next);
    void checkMirrorLockup(Next next);
    bool setHandlers();
    void finishConnection(bool supported);
    // On a disconnection: a connection or start under way ends in failure
    // and its late answers are dropped; the sequence ends, and the exposure
    // under way with it, so that an open bulb is released (the shutter
    // adapter would hold it for good).
    void abandonPendingAnswers();

    // SDK callbacks.
    void handleCanonObjectEvent(std::uint32_t event, CanonSdk::Item item);
    void handleCanonPropertyEvent(std::uint32_t event, std::uint32_t property, std::uint32_t param);
    void handleCanonStateEvent(std::uint32_t event, std::uint32_t data);

    // Exposure steps.
    void exposeButton();
    void saveTarget();
    void chooseISO();
    void exposureTime();
    void writeShutterSpeedForChoice();
    void write7DShutterSpeed();
    // A completion that reaches the controller only while it lives, and
    // tells the panel afterwards.
    CanonSdk::Done answered(std::function<void(CanonSdk::Error)> then);
    bool isDialBulb() const;
    // The 60D takes its mode from the dial: asks for the dial the time
    // needs, or sets the time (without waiting) when the dial is on Manual;
    // `then` follows once that is done.
    void set60DExposure(const char* tvErrorFormat, Next then = {});
    // The one place a sequence goes on or ends, once an exposure of
    // `sequence` has its file: only the sequence still under way goes on.
    void nextExposureOrDone(std::uint64_t sequence);
    // A sequence (or a single exposure) begins, or ends for good: what its
    // late answers would still start is dropped.
    void beginSequence();
    void endSequence();
    // An answer that reaches the controller only while the sequence it
    // belongs to is under way.
    template <class Then>
    auto whileSequence(Then then);
    bool isExposureUnderWay() const { return m_isCanonStarting || m_isCanonExposing || m_isCanonDownloading; }
    void delayEnded();
    // The sequence of the file being downloaded.
    std::uint64_t downloadSequence() const { return m_transfers.empty() ? 0 : m_transfers.front().sequence; }
    // The start command's error: repaired (mirror lock-up) or reported;
    // `then` hears true when repaired, the start then being the caller's
    // to send again.
    void handleStartError(CanonSdk::Error error, std::function<void(bool)> then);
    void resendStart();
    // A refused start, at once or later; likewise.
    void startFailed(CanonSdk::Error error, bool bulbCommand, std::function<void(bool)> then);
    // The camera refused a start it had first taken: back to idle.
    void startRefused(CanonSdk::Error error, bool bulb);
    void returnToIdle();
    // The start's steps, each once the camera answered the one before.
    template <class Then>
    auto whileStarting(Then then);
    void rewriteChangedSettings(bool bulb, Next next);
    void sendStart(bool bulb);
    void sendStartCommand(bool bulb);
    void startAnswered(CanonSdk::Error error, bool bulb, bool bulbCommand);
    void exposureStarted(bool bulb);
    void endStart(bool started);
    // The first exposure of a sequence started, or its delay began.
    void sequenceStarted();
    void sendUnlock(int retries);
    void canonExpProgressTimer();
    void canonExpTimerFired();
    void downloadTimedOut();
    void resetAfterFailedDownload();
    void takeNextTransfer();
    // What follows a download, done or failed.
    void downloadEnded(CanonSdk::Item item, bool downloaded);
    void finishTransfer(CanonSdk::Item item, bool firstOfPair);
    // Lets the camera free a saved image, once more after a pause when it
    // refuses; then goes on as after any download.
    void releaseFromCamera(CanonSdk::Item item, bool firstTry);
    void downloadSaved(CanonSdk::Item item);
    // One try at the item's bytes into the numbered file.
    void transfer(CanonSdk::Item item, bool firstTry);
    void transferEnded(CanonSdk::Item item, SafeWrite& file, CanonSdk::Error error, bool firstTry);
    void takeFrame(CanonSdk::Error error, const QByteArray& frame);
    void takeItemInfo(CanonSdk::Item item, CanonSdk::Error error, const CanonSdk::ItemInfo& info);
    QString downloadBasePath() const;
    // The hidden file a download is written to before it takes its number.
    QString stagingPath() const;
    // Gives the staged download the first free number; none (and the
    // reason in m_claimError) when it could not.
    std::optional<QString> claimNumberedName();
    // A download the computer could not keep: said to the user, the
    // camera's copy left alone.
    void downloadNotSaved(CanonSdk::Item item, const QString& reason);
    std::optional<QString> numberedPath(const QString& base, const QString& extension) const;
    void setCountText();
    void uiUnlock();
    void canonEvTimer();
    // An answer that reaches the controller only while it is connected and
    // no live-view switch or disconnection came since it was asked.
    template <class Then>
    auto whileLiveView(Then then);
    // Writes a live-view property, again after `intervalMs` while the camera
    // is busy, at most `retries` more times; `done` gets the last result.
    void writeWithRetries(std::uint32_t property, const QByteArray& data, int retries, int intervalMs,
                          std::function<void(CanonSdk::Error)> done);
    // A new switch or a disconnection: what the one before still waits for is dropped.
    void newLiveViewSwitch();
    void switchLiveViewOn(std::uint32_t device);
    void switchLiveViewOff(std::uint32_t device);
    // Brings the camera's zoom to the wanted one, now or once the writes
    // under way are answered.
    void requestZoom();
    void writeZoom();
    void writeZoomScale(std::uint32_t scale);
    void zoomFailed(const char* format, CanonSdk::Error error);
    void zoomAnswered();
    void stopLiveViewForDisconnect();
    // Movie steps.
    void recordButton();
    void readMovieFrameLimit();
    void movieFrameWritten(bool written);
    void movieFinished(bool done);
    void restoreMovieControls();
    static QString miscFolder();
    // The base-name dialog, opened at `current` when one was chosen before.
    QString askBaseName(BaseNameRequest request, const QString& current) const;

    void takeBatteryLevel(std::uint32_t level);
    // The battery question; true when the user chose to disconnect.
    bool askToDisconnect(const QString& title);

    void log(const QString& line) const { m_debug(line); }
    void logError(const char* format, CanonSdk::Error error) const;
    std::int64_t ticks() const;
    void changed() { emit panelChanged(); }

    CanonSdk& m_sdk;
    PrefControl& m_prefs;
    DebugWriter m_debug;
    CanonShutter* m_dsusb = nullptr;
    ChooseBaseName m_chooseBaseName;
    TickClock m_ticks;
    MicroClock m_microClock;
    CanonPanelState m_panel;
    int m_downloadGraceMs = kDownloadGraceMs;

    QTimer m_canonExpTimer;
    QTimer m_progressTimer;
    QTimer m_triggerTimer;
    QTimer m_batteryTimer;
    QTimer m_downloadTimeout;
    QTimer m_evTimer;

    QString m_canonCameraName;
    QString m_canonImageFileDir = QStringLiteral(" ");
    QString m_canonMovieFileDir = QStringLiteral(" ");
    QString m_canonMoviePath;
    QString m_canonFinishingPath;
    // The movie ended at a frame that could not be written.
    bool m_canonMovieFailed = false;
    QString m_codecStr = QStringLiteral("avc1");
    int m_codecQuality = 768;
    std::uint32_t m_canonNumMovieFrames = 0;
    std::uint32_t m_canonNumMovieFramesTaken = 0;
    // Smoothed frames per second: 0 before the first movie frame of the
    // run, -1 until the second; kept between recordings.
    float m_frequency = 0;
    std::int64_t m_microSec = 0;
    MovieJob m_canonMovie;
    QString m_canonFilePath;
    bool m_isCanonFileTestImage = false;
    bool m_isTestDownload = false;
    QString m_downloadExtension;
    QString m_claimError;
    std::uint32_t m_canonISO = 0;
    std::uint32_t m_canonSaveTo = 0;
    bool m_isCanonBulb = false;
    bool m_isCanonConnected = false;
    bool m_isCanonConnecting = false;
    // Counts the connections, so a step's late answer reaches only its own.
    std::uint64_t m_connectGeneration = 0;
    Connected m_connectDone;
    bool m_isCanonStarting = false;
    Started m_startDone;
    QString m_titleBeforeStart;
    bool m_isCanonAbort = false;
    bool m_isCanonExposing = false;
    bool m_isCanonDownloading = false;
    bool m_isCanonUSBBusy = false;
    bool m_isCanonLiveView = false;
    bool m_isCanonGrid = false;
    bool m_isCanonTestImage = false;
    bool m_isLiveViewCapable = false;
    bool m_isNewExposeImage = false;
    bool m_isUILock = false;
    // A bulb exposure was started and its release not yet sent.
    bool m_isBulbOpen = false;
    // Counts the starts, so a late refusal reaches only its own.
    std::uint64_t m_startGeneration = 0;
    // A sequence is under way: its next exposure may still start. Counts
    // the sequences, so a late answer goes on with its own only.
    bool m_isSequenceRunning = false;
    std::uint64_t m_sequenceGeneration = 0;
    bool m_isCanonMovieRecording = false;
    bool m_isSDKInit = false;
    bool m_isPropChange = false;
    bool m_is60D = false;
    bool m_is7D = false;
    bool m_isT1i = false;
    bool m_isJpegPlusRaw = false;
    bool m_hasDownloadedFirst = true;
    double m_canonExpTime = 60.0;
    double m_canonDelayTime = 0;
    double m_canonFocusExposureScale = 0;
    double m_canonSatValue = 1.0;
    std::uint32_t m_canonZoomScale = 1;
    std::int64_t m_canonExpStartTicks = 0;
    std::uint32_t m_canonNumExposures = 1;
    std::uint32_t m_canonNumExpTaken = 0;
    std::array<std::uint32_t, 26> m_canonISOMenu{};
    std::uint32_t m_numMaxISO = 0;
    std::uint32_t m_isoCode = 0x60;
    std::uint32_t m_degK = 5200;
    std::uint32_t m_expCode = 0x0C;
    std::uint32_t m_canonAEData = 0;
    double m_width = 3888;
    double m_height = 2592;
    double m_viewW = 0;
    double m_viewH = 0;
    double m_width5 = 0;
    double m_height5 = 0;
    double m_width10 = 0;
    double m_height10 = 0;
    double m_factor = 0;
    QPoint m_zoomPt;
    QByteArray m_canonEvfData;
    // The transfer requests, the first being downloaded, each with the
    // sequence that was under way when it came.
    struct Transfer {
        CanonSdk::Item item;
        std::uint64_t sequence;
    };
    std::deque<Transfer> m_transfers;
    bool m_isFrameRequested = false;
    // Pending live-view writes of an earlier switch belong to it alone.
    std::uint64_t m_liveViewGeneration = 0;
    // Live view was last switched on: a switch-off reaches the camera even
    // before it has reported live view running.
    bool m_isLiveViewWanted = false;
    // The output device as last read, kept for the disconnection, which
    // cannot wait for a read.
    std::uint32_t m_evfOutputDevice = 0;
    // Zoom writes under way, and a later click or jog waiting for them.
    bool m_isZoomWriting = false;
    bool m_isZoomPending = false;
    // The zoom the camera last took.
    std::uint32_t m_cameraZoomScale = 1;
    bool m_hasCamera = false;
    // Kept for the whole run, across reconnections.
    bool m_isLowBatteryWarned = false;
    bool m_isBatteryWatchStopped = false;
};
