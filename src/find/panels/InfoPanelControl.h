#pragma once

#include "find/TransitTimes.h"
#include "find/panels/ChartKeyboard.h"
#include "find/panels/InfoPanel.h"
#include "find/panels/PhotoPanel.h"
#include "platform/LazyOwner.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class FindObjects;
class FindSky;
class InfoStarSource;
class PhotoView;
class PlannerObjectLink;
class PrefControl;
class QWidget;
struct deepSky;
struct minorPlanet;
struct star;

// The object information panels: one small floating panel per kind of
// selection (star, planet, satellite, deep sky, comet or minor planet, Moon),
// each made when first shown, and the photo panel. With the panels switched off the chart window's title
// names the selection instead. Panels fade out while transparency is on.
// The File menu opens photographs into the photo panel.
class InfoPanelControl final : public QObject, public PhotoPanel {
    Q_OBJECT
public:
    // Ticks of the fade: opaque for this many, then 0.05 less each tick.
    static constexpr int kFadeTickMs = 50;
    static constexpr int kOpaqueTicks = 99;
    static constexpr double kFadeStep = 0.05;
    static constexpr double kFadedAlpha = 0.25;

    // The windows and services around the panels; each may stay unset.
    struct Links {
        ChartKeyboard chart;
        std::function<void(const QString&)> setChartTitle;
        std::function<QDateTime()> skyDate;
        std::function<double()> moonAge;  // hundredths of a day
        std::function<QImage(const deepSky&)> deepSkyPhoto;
        std::function<QImage()> moonPhoto;
        const InfoStarSource* stars = nullptr;
        PlannerObjectLink* planner = nullptr;
    };

    // The panels are tool windows of `window`.
    InfoPanelControl(PrefControl& prefs, FindSky& sky, const FindObjects& finder, Links links,
                     QWidget* window);
    ~InfoPanelControl() override;

    // Fills and shows the panel of the find selection; `toPlanner` also
    // hands the object to the outside planner.
    void updatePanelInfo(bool toPlanner);
    // Hides the first visible panel and gives the chart window its plain title.
    void escapePanel();
    void moonInfo();

    // Rise, transit and set at the site for the chart's local date; degrees of date.
    void calculateTransit(double ra, double dec);
    // The same for a place that moves through the day.
    void calculateTransit(const PlaceEvents::PlaceAt& place);
    const QString& transitTime() const { return m_transitTime; }
    const QString& riseTime() const { return m_riseTime; }
    const QString& setTime() const { return m_setTime; }
    float riseTimeHour() const { return m_times.riseTimeHour; }
    float setTimeHour() const { return m_times.setTimeHour; }

    // The thumbnails' action: the photograph in the photo panel.
    void displayPhotoAction();
    const QImage& photoImage() const { return m_photoImage; }
    const QString& photoName() const { return m_photoName; }
    void setPhotoImage(const QImage& image) { m_photoImage = image; }
    // PhotoPanel
    void showPhoto(const QImage& image, const QString& title) override;

    // One tick of the fade.
    void setAlphaDelay();
    // The telescope view is made after the panels.
    void setStarSource(const InfoStarSource* stars) { m_links.stars = stars; }
    // The outside planner's link is made after the panels.
    void setPlanner(PlannerObjectLink* planner) { m_links.planner = planner; }
    bool isFading() const { return m_fadeTimer.isActive(); }
    void setKillAlphaTimer() { m_killAlphaTimer = true; }

    InfoPanel& starInfoPanel() { return m_star.get(); }
    InfoPanel& planetInfoPanel() { return m_planet.get(); }
    InfoPanel& satelliteInfoPanel() { return m_satellite.get(); }
    InfoPanel& deepSkyInfoPanel() { return m_deepSky.get(); }
    InfoPanel& cometInfoPanel() { return m_comet.get(); }
    InfoPanel& moonInfoPanel() { return m_moon.get(); }
    QWidget& photoPanel() const { return *m_photoPanel; }

private:
    std::unique_ptr<InfoPanel> makePanel(const char* title, std::initializer_list<const char*> rows,
                                         bool hasThumbnail);
    // The panels made so far.
    std::vector<InfoPanel*> madePanels() const;
    void hideObjectPanels();
    void present(InfoPanel& panel, const QString& titleName);
    void setTitle(const QString& title);
    void fillPlace(InfoPanel& panel, double raDegrees, double decDegrees);
    void fillTimes(InfoPanel& panel, double raDegrees, double decDegrees);
    void showTimes(InfoPanel& panel);
    TransitTimes::Site site() const;
    void sendPlanner(double ra, double dec, double fov, double mag, std::optional<short> type,
                     const QString& id, const QString& name);

    void planetInfo(int number, bool toPlanner);
    void deepSkyInfo(const deepSky& d, bool toPlanner);
    void cometInfo(std::size_t k, bool toPlanner);
    void minorPlanetInfo(const minorPlanet& m, bool toPlanner);
    void satelliteInfo(int number);
    void starInfo(const star& s, bool toPlanner);
    void ht2StarInfo(std::size_t k);
    void nomadStarInfo(std::size_t k);
    void simStarInfo();
    void showStarRows(const QString& name, const QString& bf, const QString& sao,
                      const QString& spectral, const QString& type);

    PrefControl& m_prefs;
    FindSky& m_sky;
    const FindObjects& m_finder;
    Links m_links;
    QWidget* m_window;
    PanelKeyControl::Links m_keys;

    LazyOwner<InfoPanel> m_star;
    LazyOwner<InfoPanel> m_planet;
    LazyOwner<InfoPanel> m_satellite;
    LazyOwner<InfoPanel> m_deepSky;
    LazyOwner<InfoPanel> m_comet;
    LazyOwner<InfoPanel> m_moon;
    QWidget* m_photoPanel;
    PhotoView* m_photoView;

    TransitTimes m_times;
    QString m_transitTime;
    QString m_riseTime;
    QString m_setTime;
    QImage m_photoImage;
    QString m_photoName;

    QTimer m_fadeTimer;
    QPointer<QWidget> m_fading;
    quint16 m_fadeCount = 0;
    bool m_killAlphaTimer = false;
};
