#pragma once

#include "scopeview/HT2ZoneIndex.h"
#include "scopeview/JupiterFrames.h"
#include "scopeview/SVDiscPainter.h"
#include "scopeview/SVAngles.h"
#include "scopeview/SVProjection.h"
#include "scopeview/SVStatusLights.h"
#include "scopeview/SVViewState.h"
#include "scopeview/svLabel.h"

#include "model/prefs/TextAttributes.h"
#include "model/records/ht2Star.h"

#include <QRectF>
#include <QTransform>
#include <QWidget>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class ChartImageSet;
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
    void setMountLink(const SVMountLink* mount) { m_mount = mount; }
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
    void setDrawer(const SVDrawer* drawer) { m_drawer = drawer; }
    // Where the survey image comes from while one is shown.
    void setSurveyControl(SVSurveyControl* survey) { m_survey = survey; }
    // The Moon's and planets' phases and satellites; without it the discs
    // are fully lit and show no satellites.
    void setDiscSource(SVDiscSource* source) { m_discSource = source; }
    // Called after the camera frame is drawn (the drawer's camera row title).
    void setCameraFrameDrawn(std::function<void()> drawn) { m_cameraFrameDrawn = std::move(drawn); }

    // Makes the record blocks and loads the status lights. False, after an
    // alert, when the deep-star block cannot be had; the view then carries on
    // without deep stars.
    bool awakeFromNib(const QString& resourcesFolder);

    SVViewState& state() { return m_state; }
    const SVViewState& state() const { return m_state; }
    // Sets the centre (radians of date); the pan stays.
    void setTrackRA(double ra, double dec) { m_state.setTrackRA(ra, dec); }
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void drawLayers(SVDrawPass& pass);
    void drawDeepStars(const SVLayerContext& c);

    PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    const StarDatabaseModel& m_model;
    const SVOptics* m_optics = nullptr;
    const SVMountLink* m_mount = nullptr;
    std::function<void(const QString&)> m_debug;
    QMenu* m_clickMenu = nullptr;
    const ChartImageSet* m_images = nullptr;
    const ChartSkySource* m_skySource = nullptr;
    DeepSkyPhotos* m_photos = nullptr;
    SVConeSearch* m_nomad = nullptr;
    const SVDrawer* m_drawer = nullptr;
    SVSurveyControl* m_survey = nullptr;
    std::function<void()> m_cameraFrameDrawn;
    SVDiscSource* m_discSource = nullptr;

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
    TextAttributes m_angleLabelAttributes;
};
