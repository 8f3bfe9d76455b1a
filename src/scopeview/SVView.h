#pragma once

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

class PrefControl;
class QMenu;
class SkyDateModel;
class StarDatabaseModel;
class SVMountLink;
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
    // The deep-catalogue stars of the last drawn field.
    std::span<const ht2Star> ht2Stars() const { return m_ht2Stars; }
    const SVStatusLights& statusLights() const { return m_lights; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    const StarDatabaseModel& m_model;
    const SVOptics* m_optics = nullptr;
    const SVMountLink* m_mount = nullptr;
    std::function<void(const QString&)> m_debug;
    QMenu* m_clickMenu = nullptr;

    SVViewState m_state;
    SVAngles m_angles;
    QRectF m_svRect;
    QTransform m_tran;
    double m_qP = 0.0;
    std::optional<SVProjection> m_projection;
    std::vector<svLabel> m_svLabels;
    std::vector<ht2Star> m_ht2Stars;
    SVStatusLights m_lights;
    TextAttributes m_angleLabelAttributes;
};
