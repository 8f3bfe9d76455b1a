#pragma once

#include "model/ObjectIndex.h"
#include "model/records/eyepiece.h"
#include "model/records/scope.h"
#include "model/records/site.h"
#include "model/settings/PrefKeys.h"
#include "model/settings/PrefLinks.h"
#include "model/settings/PrefStore.h"
#include "model/settings/PrefStyles.h"
#include "model/settings/PrefSwitches.h"
#include "model/settings/TextAttributes.h"
#include "platform/DisplayGamma.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QMetaObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>
#include <span>

// The settings object: the one holder of every user setting and of the
// run-time state several subsystems share, and the only reader and writer of
// the settings file. One instance lives for the whole run, on the main thread.
//
// Its parts: the core, start-up and accessors (PrefControl.cpp), the site,
// telescope and eyepiece records (PrefRecords.cpp), the device settings
// (PrefDevices.cpp), the fonts, colours and night vision (PrefFonts.cpp), and
// the reset and quit (PrefReset.cpp). The stored switches are PrefSwitches,
// the fonts and colours in use PrefStyles.
class PrefControl : public PrefSwitches, public PrefStyles {
public:
    // Opens the settings (moving the earlier edition's file into place first),
    // gives every run-time field its starting value and runs appQuit() when
    // the application is about to quit. `gamma` is the display night vision
    // dims; it must outlive this object.
    explicit PrefControl(DisplayGamma& gamma);
    ~PrefControl() override;
    PrefControl(const PrefControl&) = delete;
    PrefControl& operator=(const PrefControl&) = delete;

    void setLinks(const PrefLinks& links) { m_links = links; }
    // Where a failed write of the settings file is reported (once per
    // failure; the file keeps its earlier content), and whether the last
    // write reached the file.
    void setDebugSink(std::function<void(const QString&)> sink) { m_store.setDebugSink(std::move(sink)); }
    bool settingsWritten() const { return m_store.written(); }
    // Whether a change still waits for its write.
    bool settingsWritePending() const { return m_store.writePending(); }
    // Where the reason goes when a change could not reach the file (once per
    // failure), or the last changes could not reach it at quit: nothing is
    // told after that.
    void setLaterWriteFailureSink(std::function<void(const QString&)> sink)
    {
        m_store.setLaterWriteFailureSink(std::move(sink));
    }
    // Where the notice goes that changes wait long for another program's
    // hold on the file (once per hold, never once the quit has begun).
    void setHeldBackSink(std::function<void(const QString&)> sink) { m_store.setHeldBackSink(std::move(sink)); }
    // Hands the changes to be written now, for a save the user asked for,
    // and returns at once: a write that fails is told to the later-failure sink.
    void writeSettings() { m_store.sync(); }

    // Reads every setting and hands the stored device settings to their
    // controllers. Called once at launch and again by the reset.
    void readPrefs();

    // Save operations of the records and device groups; none syncs the file.
    void saveSites();
    void saveScopes();
    void saveEyepieces();
    void saveOptecPrefs();
    void saveRoboSlope();
    void saveJMIPrefs();
    void saveMoonPrefs();
    void saveFCUSBPrefs();
    void saveDomePrefs();
    void saveBoardPrefs();
    void saveTicksPrefs();
    void saveWifiPrefs();
    void setGeminiBaudPref(int baud);
    // The mount's poll interval in seconds, 0 for off.
    void setScopePollRatePref(float seconds);
    void setSG4BaudPref(long baud);
    void setExpSchedulePref(float seconds);
    void setDarkSchedulePref(float seconds);
    void setHeatOnSchedulePref(float seconds);
    void setHeatOffSchedulePref(float seconds);
    // The Gemini baud menu tag of a rate; 43 (9600) for a rate it lacks.
    static int geminiBaudTag(qint64 baud);

    // Fonts and colours: label kinds 1 to 16 and colour kinds 1 to 16 (15
    // for revertFont); other kinds are ignored.
    void saveFont(int labelStyleKind, const QFont& font, const QColor& color);
    void revertFont(int labelStyleKind, bool toDefault);
    void saveColor(int objectColorKind, const QColor& color);
    void revertColor(int objectColorKind, bool toDefault);
    // Puts every label and line colour in dim red while night vision is on,
    // back to the stored colours when it is off; then refreshes the chart.
    void setNightVisionColor();

    // Asks the user, then resets and refreshes the chart.
    void restoreDefaultPrefsAction();
    // Returns every setting but the device configuration to its default.
    void restoreDefaultPrefs();
    // Stores the view, waits a bounded time for the file's last writes,
    // restores the display and disconnects the devices.
    void appQuit();

    // A window's place and size as the window saved them under its `name`;
    // empty until it has.
    QByteArray windowFrame(const QString& name) const { return m_store.readData(windowFrameKey(name)); }
    void setWindowFrame(const QString& name, const QByteArray& frame) { m_store.writeData(windowFrameKey(name), frame); }

    // Start-up state.
    bool isLaunch() const { return m_isLaunch; }
    quint32 displayID() const { return m_displayID; }
    const GammaFormula& defaultGammaArray() const { return m_defaultGammaArray; }
    const GammaFormula& nvGammaArray() const { return m_nvGammaArray; }
    const QStringList& HT2FilesArray() const { return m_HT2FilesArray; }
    quint16 numCores() const { return m_numCores; }
    const QColor& mistColor() const { return m_mistColor; }
    const TextAttributes& outlineLabelAttributes() const { return m_outlineLabelAttributes; }

    // View. The view setters hold the value and move its slider.
    double altitude() const { return m_altitude; }
    void setAltitude(double degrees);
    double azimuth() const { return m_azimuth; }
    void setAzimuth(double degrees);
    double viewAngle() const { return m_viewAngle; }
    void setViewAngle(double degrees);
    float startupDirection() const { return m_startupDirection; }
    void setStartupDirection(float degrees) { m_startupDirection = degrees; }
    float arrowSpeed() const { return m_arrowSpeed; }
    void setArrowSpeed(float speed);
    double latitude() const { return m_latitude; }
    void setLatitude(double degrees) { m_latitude = degrees; }
    double longitude() const { return m_longitude; }
    void setLongitude(double degrees) { m_longitude = degrees; }
    QRectF skyViewRect() const { return m_skyViewRect; }
    void setSkyViewRect(const QRectF& rect) { m_skyViewRect = rect; }

    // Magnitude limits and star drawing, stored as 32-bit floats.
    double starMagLimit() const { return m_starMagLimit; }
    void setStarMagLimit(double v) { storeFloat(m_starMagLimit, v, PrefKeys::StarMagLimit); }
    double svStarMagLimit() const { return m_svStarMagLimit; }
    void setSVStarMagLimit(double v) { storeFloat(m_svStarMagLimit, v, PrefKeys::StarSVMagLimit); }
    double cometMagLimit() const { return m_cometMagLimit; }
    void setCometMagLimit(double v) { storeFloat(m_cometMagLimit, v, PrefKeys::CometMagLimit); }
    double mpMagLimit() const { return m_mpMagLimit; }
    void setMPMagLimit(double v) { storeFloat(m_mpMagLimit, v, PrefKeys::MPMagLimit); }
    double deepSkyMagLimit() const { return m_deepSkyMagLimit; }
    void setDeepSkyMagLimit(double v) { storeFloat(m_deepSkyMagLimit, v, PrefKeys::DeepSkyMagLimit); }
    double planetMagLimit() const { return m_planetMagLimit; }
    double starColorVal() const { return m_starColorVal; }
    void setStarColorVal(double v) { storeFloat(m_starColorVal, v, PrefKeys::StarColorVal); }
    double starBrightVal() const { return m_starBrightVal; }
    void setStarBrightVal(double v) { storeFloat(m_starBrightVal, v, PrefKeys::StarBrightVal); }
    double starShiftVal() const { return m_starShiftVal; }
    void setStarShiftVal(double v) { storeFloat(m_starShiftVal, v, PrefKeys::StarShiftVal); }
    float pathDays() const { return m_pathDays; }
    void setPathDays(float v) { storeFloat(m_pathDays, v, PrefKeys::PathDays); }
    float pathPercent() const { return m_pathPercent; }
    void setPathPercent(float v) { storeFloat(m_pathPercent, v, PrefKeys::PathPercent); }

    // Other stored settings.
    void setIsExtConnect(bool on);
    int customFilterIndex() const { return m_customFilterIndex; }
    void setCustomFilterIndex(int index);
    quint16 canonExpIndex() const { return m_canonExpIndex; }
    void setCanonExpIndex(quint16 index);
    // The readout code of a bottom-panel slot 0 to 5 (0 for another slot).
    int infoPanelValues(int slot) const;
    void setInfoPanelValues(int code, int slot);
    QString versionStr() const { return m_versionStr; }
    void setVersionStr(const QString& version);
    QString shortcutPrefStr() const { return m_shortcutPrefStr; }
    void saveShortcutPref(const QString& shortcuts);
    QString SVSavePosnStr() const { return m_SVSavePosnStr; }
    void saveSVPosnPrefs(const QString& position);
    // Whether a position was ever saved: the default is no place the user chose.
    bool hasSavedSVPosn() const;
    // The user's arrangement of the toolbar named `toolbar`, kept under its
    // name as the toolbar hands it over; empty when none was saved.
    QStringList toolbarConfiguration(const QString& toolbar) const;
    void saveToolbarConfiguration(const QString& toolbar, const QStringList& identifiers);
    QString canonImageFile() const { return m_canonImageFile; }
    void setCanonImageFile(const QString& path);
    QString canonMovieFile() const { return m_canonMovieFile; }
    void setCanonMovieFile(const QString& path);
    QDateTime startupTime() const { return m_startupTime; }
    void setStartupTime(const QDateTime& time);
    // Callers edit the 90 mythology switches in place, then store them.
    QStringList& mythArray() { return m_mythArray; }
    void setMythArray();
    // Store the photographic horizon's five per-site adjustments.
    void setPhotoDirAdjHorizon();
    void setPhotoElevAdjHorizon();
    void setPhotoBrightAdjHorizon();
    void setPhotoDegreeAdjHorizon();
    // Store the all-sky date stamp's settings; nothing is held here.
    void saveAllSkyFPS(float framesPerSecond);
    void saveAllSkyCodec(int codec, unsigned long quality);
    void saveAllSkyPosn(int position, bool isUTC, bool isSec);

    // Whether the telescope view reopens at the next start, as it was left.
    bool isScopeViewOpen() const { return m_store.readBool(QString::fromLatin1(PrefKeys::ScopeViewOpen)); }
    void setIsScopeViewOpen(bool open) { m_store.writeBool(QString::fromLatin1(PrefKeys::ScopeViewOpen), open); }

    // The real-time clock: with storeOnly, only the launch preference is
    // stored; otherwise the clock flag is set and, when on, the clock started.
    bool isRunRealTime() const { return m_isRunRealTime; }
    void setIsRunRealTime(bool on, bool storeOnly);

    // Run-time state, never stored.
    bool isNightVision() const { return m_isNightVision; }
    void setIsNightVision() { m_isNightVision = !m_isNightVision; }
    bool isRunSetTime() const { return m_isRunSetTime; }
    void setIsRunSetTime() { m_isRunSetTime = !m_isRunSetTime; }
    bool isDebug() const { return m_isDebug; }
    void setIsDebug() { m_isDebug = !m_isDebug.load(); }
    bool isMarkCenter() const { return m_isMarkCenter; }
    void setIsMarkCenter(bool on) { m_isMarkCenter = on; }
    bool isCreateTour() const { return m_isCreateTour; }
    void setIsCreateTour(bool on) { m_isCreateTour = on; }
    bool isMythColor() const { return m_isMythColor; }
    void setIsMythColor(bool on) { m_isMythColor = on; }
    bool isInfoPanel() const { return m_isInfoPanel; }
    void setIsInfoPanel(bool on) { m_isInfoPanel = on; }
    float GRSLong() const { return m_GRSLong; }
    void setGRSLong(float degrees) { m_GRSLong = degrees; }
    int currentSite() const { return m_currentSite; }
    // Also drops the horizon texture cached for the previous site.
    void setCurrentSite(int site);
    int currentScope() const { return m_currentScope; }
    void setCurrentScope(int scope) { m_currentScope = scope; }
    int currentEyepiece() const { return m_currentEyepiece; }
    void setCurrentEyepiece(int eyepiece) { m_currentEyepiece = eyepiece; }

    // The find selection (see ObjectIndex.h).
    int findIndex() const { return m_findIndex; }
    void setFindIndex(int index) { m_findIndex = index; }
    QString findName() const { return m_findName; }
    void setFindName(const QString& name) { m_findName = name; }
    QPointF findPoint() const { return m_findPoint; }
    void setFindPoint(const QPointF& point) { m_findPoint = point; }

    // Records; callers edit them in place, then call the matching save. The
    // setters below are held until that save.
    std::span<site, 5> sites() { return m_sites; }
    std::span<scope, 5> scopes() { return m_scopes; }
    std::span<eyepiece, 10> eyepieces() { return m_eyepieces; }
    std::span<const site, 5> sites() const { return m_sites; }
    std::span<const scope, 5> scopes() const { return m_scopes; }
    std::span<const eyepiece, 10> eyepieces() const { return m_eyepieces; }
    // Name lists always hold five names; a shorter list is filled from the defaults.
    const QStringList& siteNamesArray() const { return m_siteNamesArray; }
    void setSiteNamesArray(const QStringList& names);
    const QStringList& siteTZNamesArray() const { return m_siteTZNamesArray; }
    void setTZNamesArray(const QStringList& names);
    const QStringList& scopeNamesArray() const { return m_scopeNamesArray; }
    void setScopeNamesArray(const QStringList& names);
    bool isScopeRetainPolling() const { return m_isScopeRetainPolling; }
    void setIsScopeRetainPolling(bool on) { m_isScopeRetainPolling = on; }
    bool isScopeAltAz() const { return m_isScopeAltAz; }
    void setIsScopeAltAz(bool on) { m_isScopeAltAz = on; }
    int currentDSLR() const { return m_currentDSLR; }
    void setCurrentDSLR(int camera) { m_currentDSLR = camera; }
    bool isFlipOutline() const { return m_isFlipOutline; }
    void setIsFlipOutline(bool on) { m_isFlipOutline = on; }
    bool isFlipEWOutline() const { return m_isFlipEWOutline; }
    void setIsFlipEWOutline(bool on) { m_isFlipEWOutline = on; }

private:
    static QString windowFrameKey(const QString& name) { return QStringLiteral("Window Frame ") + name; }

    struct LabelKind;
    struct ColorKind;
    static const LabelKind* labelKind(int kind);
    static const ColorKind* colorKind(int kind);

    void storeSwitch(PrefFlag f, bool on) override;
    template <class Field>
    void storeFloat(Field& field, double value, const char* key)
    {
        field = Field(value);
        m_store.writeFloat(QString::fromLatin1(key), float(value));
    }
    // Stored integers narrowed to what the field holds, clamped rather than cut.
    int readInt(const QString& key) const;
    quint16 readUInt16(const QString& key) const;

    // PrefRecords.cpp
    void loadRecords();
    QStringList storedMythArray() const;
    void handPhotoAdjustments();
    // PrefDevices.cpp
    void handMountSettings();
    void handFocuserSettings();
    void handSG4Settings();
    void handDomeSettings();
    void handAllSkyDateSettings();
    bool isSavingSuppressed() const { return m_isReading; }
    // PrefFonts.cpp
    void readColors();
    void readFonts();
    void buildAttributeSets();
    void changeMythColor(const QColor& color);

    PrefStore m_store;
    DisplayGamma& m_gamma;
    PrefLinks m_links;
    QMetaObject::Connection m_quitConnection;
    // While readPrefs hands stored values over, the controllers' calls back
    // into the save operations are not stored: they would only write back
    // what was just read, or what a controller refused of it.
    bool m_isReading = false;

    bool m_isLaunch = true;
    quint32 m_displayID = 0;
    GammaFormula m_defaultGammaArray{};
    GammaFormula m_nvGammaArray{};
    QStringList m_HT2FilesArray;
    quint16 m_numCores = 1;
    QColor m_mistColor;
    TextAttributes m_outlineLabelAttributes;

    double m_altitude = 0.0;
    double m_azimuth = 0.0;
    double m_viewAngle = 0.0;
    float m_startupDirection = 180.0f;
    float m_arrowSpeed = 0.0f;
    double m_latitude = 0.0;
    double m_longitude = 0.0;
    QRectF m_skyViewRect;

    double m_starMagLimit = 0.0;
    double m_svStarMagLimit = 0.0;
    double m_cometMagLimit = 0.0;
    double m_mpMagLimit = 0.0;
    double m_deepSkyMagLimit = 0.0;
    double m_planetMagLimit = 0.0;
    double m_starColorVal = 0.0;
    double m_starBrightVal = 0.0;
    double m_starShiftVal = 0.0;
    float m_pathDays = 0.0f;
    float m_pathPercent = 0.0f;

    int m_customFilterIndex = 0;
    quint16 m_canonExpIndex = 0;
    std::array<int, PrefKeys::InfoPanels.size()> m_infoPanelValues{};
    QString m_versionStr = QStringLiteral("0.00.0");
    QString m_shortcutPrefStr = QStringLiteral(" ");
    QString m_SVSavePosnStr;
    QString m_canonImageFile;
    QString m_canonMovieFile;
    QDateTime m_startupTime;
    QStringList m_mythArray;
    bool m_isRunRealTime = false;

    bool m_isNightVision = false;
    bool m_isRunSetTime = false;
    std::atomic<bool> m_isDebug = false;  // read by the device workers too
    bool m_isMarkCenter = false;
    bool m_isCreateTour = false;
    bool m_isMythColor = true;
    bool m_isInfoPanel = true;
    float m_GRSLong = 0.0f;
    int m_currentSite = 0;
    int m_currentScope = 0;
    int m_currentEyepiece = 0;
    int m_findIndex = kNoObjectIndex;
    QString m_findName;
    QPointF m_findPoint;

    std::array<site, 5> m_sites{};
    std::array<scope, 5> m_scopes{};
    std::array<eyepiece, 10> m_eyepieces{};
    QStringList m_siteNamesArray;
    QStringList m_siteTZNamesArray;
    QStringList m_scopeNamesArray;
    bool m_isScopeRetainPolling = false;
    bool m_isScopeAltAz = false;
    int m_currentDSLR = 0;
    bool m_isFlipOutline = false;
    bool m_isFlipEWOutline = false;
};
