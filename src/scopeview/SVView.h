#pragma once

#include "scopeview/HT2ZoneIndex.h"
#include "scopeview/JupiterFrames.h"
#include "scopeview/SVAngles.h"
#include "scopeview/SVDiscPainter.h"
#include "scopeview/SVPointer.h"
#include "scopeview/SVProjection.h"
#include "scopeview/SVStatusLights.h"
#include "scopeview/SVViewState.h"
#include "scopeview/svLabel.h"

#include "model/records/ht2Star.h"
#include "model/settings/TextAttributes.h"

#include <QRectF>
#include <QTransform>
#include <QWidget>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class ChartImageSet;
struct ChartCursors;
class ChartSkySource;
class DeepSkyPhotos;
class PrefControl;
class QMenu;
class SkyDateModel;
class StarDatabaseModel;
class SVMountLink;
class SVConeSearch;
class SVSurveyControl;
class SVDrawPass;
class SVDiscSource;
class SVDrawer;
struct SVLayerContext;
class SVOptics;

// The telescope view: the magnified field around the tracked object. It
// holds the view's state and draws the frame of each pass; the field's
// layers draw between its begin and end.
class SVView final : public QWidget {
    Q_OBJECT
public:
    static constexpr std::size_t kHT2StarCapacity = 100000;
    // A narrower view draws nothing.
    static constexpr int kMinDrawWidth = 390;

    SVView(PrefControl& prefs, const SkyDateModel& skyDate, const StarDatabaseModel& model,
           QWidget* parent = nullptr);

    // Outlets, each skipped while unset; without the drawer's optics the
    // field is the drawer's starting one.
    void setOptics(const SVOptics* optics) { m_optics = optics; }
    void setMountLink(SVMountLink* mount) { m_mount = mount; }
    SVMountLink* mountLink() const { return m_mount; }
    void setDebugSink(std::function<void(const QString&)> sink) { m_debug = std::move(sink); }
    void setClickMenu(QMenu* menu) { m_clickMenu = menu; }
    // The chart's sprites, symbols and marks; without them stars are plain
    // shapes and objects get no symbols.
    void setChartImages(const ChartImageSet* images) { m_images = images; }
    // The records each pass draws (none without it) and the photographs of
    // deep-sky objects (their ovals without them).
    void setSkySource(const ChartSkySource* source) { m_skySource = source; }
    void setDeepSkyPhotos(DeepSkyPhotos* photos) { m_photos = photos; }
    // The cone-search stars and the drawer's choices for them.
    void setConeSearch(SVConeSearch* nomad) { m_nomad = nomad; }
    void setDrawer(SVDrawer* drawer) { m_drawer = drawer; }
    // Where the survey image comes from while one is shown.
    void setSurveyControl(SVSurveyControl* survey) { m_survey = survey; }
    // The Moon's and planets' phases and satellites; without it the discs
    // are fully lit and show no satellites.
    void setDiscSource(SVDiscSource* source) { m_discSource = source; }
    // What a click tells the rest of the program; each skipped while unset.
    struct Hooks {
        std::function<void()> updatePanelInfo;      // the information panel shows the selection
        std::function<void()> chartNeedsDisplay;
        std::function<void()> calculatePlanetPath;  // the selected body's path, with the path layer on
    };
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    // The chart's cursors; the system's while unset.
    void setCursors(const ChartCursors* cursors) { m_cursors = cursors; }
    // Called after the camera frame is drawn (the drawer's camera row title).
    void setCameraFrameDrawn(std::function<void()> drawn) { m_cameraFrameDrawn = std::move(drawn); }

    // Makes the record blocks and loads the status lights. False, after an
    // alert, when the deep-star block cannot be had; the view then carries on
    // without deep stars.
    bool awakeFromNib(const QString& resourcesFolder);

    // The hit test at `p` (view coordinates, as the layers draw): the find
    // selection of the settings, and with `track` the new centre.
    void findSVObject(QPointF p, bool track);
    // A point of the widget (y downward) in view coordinates, through the
    // inverse of the last pass's view transform.
    QPointF toViewPoint(QPointF widgetPoint) const;
    // The bottom bar is to show the current power, field and centre.
    void updateBottomPanel() { emit bottomPanelChanged(); }
    // The target cursor inside the field's square (12 points in from the
    // edges), night-vision red with night vision or the red-cursor setting.
    void resetCursorRects();

    SVViewState& state() { return m_state; }
    const SVViewState& state() const { return m_state; }
    // Sets the centre (radians of date); the pan stays.
    void setTrackRA(double ra, double dec);
    // Adds to the pan (radians) and redraws.
    void setDeltaRA(double dRA, double dDec);
    void resetDeltas() { m_state.resetDeltas(); }

    // The scale for the drawer's field and the view's width.
    void calculateSVAngles();
    const SVAngles& angles() const { return m_angles; }
    // What the last tracked pass drew with.
    const QRectF& svRect() const { return m_svRect; }
    const QTransform& tran() const { return m_tran; }
    double qP() const { return m_qP; }
    const std::optional<SVProjection>& projection() const { return m_projection; }
    const std::vector<svLabel>& svLabels() const { return m_svLabels; }
    bool hasHT2Block() const { return m_ht2Stars.capacity() >= kHT2StarCapacity; }
    // The deep stars of the last pass; an index is valid while hasChanged is false.
    const std::vector<ht2Star>& ht2Stars() const { return m_ht2Stars; }
    std::size_t ht2StarCount() const { return m_ht2Stars.size(); }
    HT2ZoneIndex& ht2Index() { return m_ht2Index; }
    const SVStatusLights& statusLights() const { return m_lights; }
    // The Moon and the satellites as the last pass drew them.
    SVDiscState& discState() { return m_discs; }
    const SVDiscState& discState() const { return m_discs; }

signals:
    void bottomPanelChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class SVPointer;
    friend class PrintSVView;

    static void callHook(const std::function<void()>& hook)
    {
        if (hook)
            hook();
    }
    void drawLayers(SVDrawPass& pass);
    void drawDeepStars(const SVLayerContext& c);

    PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    const StarDatabaseModel& m_model;
    const SVOptics* m_optics = nullptr;
    SVMountLink* m_mount = nullptr;
    std::function<void(const QString&)> m_debug;
    QMenu* m_clickMenu = nullptr;
    const ChartImageSet* m_images = nullptr;
    const ChartSkySource* m_skySource = nullptr;
    DeepSkyPhotos* m_photos = nullptr;
    SVConeSearch* m_nomad = nullptr;
    SVDrawer* m_drawer = nullptr;
    SVSurveyControl* m_survey = nullptr;
    std::function<void()> m_cameraFrameDrawn;
    SVDiscSource* m_discSource = nullptr;
    Hooks m_hooks;
    const ChartCursors* m_cursors = nullptr;

    SVViewState m_state;
    SVAngles m_angles;
    QRectF m_svRect;
    QTransform m_tran;
    double m_qP = 0.0;
    std::optional<SVProjection> m_projection;
    std::vector<svLabel> m_svLabels;
    std::vector<ht2Star> m_ht2Stars;
    HT2ZoneIndex m_ht2Index;
    SVStatusLights m_lights;
    SVDiscState m_discs;
    JupiterFrames m_jupiterFrames;
    SVPointer m_pointer{*this};
    TextAttributes m_angleLabelAttributes;
};
