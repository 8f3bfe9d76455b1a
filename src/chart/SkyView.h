#pragma once

#include "chart/ChartImages.h"
#include "chart/ChartViewModes.h"
#include "chart/LaunchView.h"
#include "chart/controls/ClickModes.h"
#include "chart/controls/SkyMouse.h"
#include "chart/painting/ChartFrame.h"
#include "chart/painting/ChartOverlayState.h"
#include "chart/painting/MeteorShowerTimer.h"
#include "chart/painting/SplashPainter.h"
#include "skydraw/ChartCursors.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/DeepSkyPhotos.h"

#include <QSize>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <utility>

class ChartSkySource;
class DomeSlit;
class PhotoHorizonSource;
class PrefControl;
class SkyKeyboard;
class HidesOnDeactivate;
class MainWindowControl;
class TelescopeAim;
class UpdateChain;
class WindowSettings;
struct CatalogueFolders;
struct ChartOutlets;

// The sky chart view. Until the launch has finished it shows the splash with
// the current stage's label; from then on the sky, layer by layer, from the
// sky source. It owns the chart's images and tints them.
class SkyView final : public QWidget, public LaunchView, public ChartImages, public ChartViewModes {
    Q_OBJECT
public:
    // `mainWindow` and `windowHide` are the window the view fills. The folders
    // give the chart images, cursors and figures, and the shipped and the
    // user's object photographs.
    SkyView(MainWindowControl& mainWindow, HidesOnDeactivate& windowHide, PrefControl& prefs, const ChartOutlets& outlets,
            UpdateChain& chain, WindowSettings& windowSettings, const CatalogueFolders& folders);

    // Where the sky comes from; until it is set the chart stays black.
    void setSkySource(const ChartSkySource* source);
    // The telescope, dome and photographic horizon the chart shows; each may stay unset.
    void setTelescope(TelescopeAim* aim, const DomeSlit* dome);
    void setPhotoHorizon(PhotoHorizonSource* source);
    // Who handles the keys; until it is set they do nothing.
    void setKeyboard(SkyKeyboard* keyboard) { m_keyboard = keyboard; }
    SkyKeyboard* keyboard() const { return m_keyboard; }
    // Who handles the mouse and the trackpad; until it is set they do nothing.
    void setMouse(SkyMouse* mouse) { m_mouse = mouse; }
    // What of the view its mouse handler works on.
    SkyMouse::ViewParts mouseParts() { return {*this, *this, m_overlays, m_clickModes, m_cursors}; }

    void display() override;
    void showSplashStage(int stage) override;
    void setHasLaunched() override;
    void startCursorTimer() override;

    void createStarArrays() override;
    void createObjectSymbols() override;
    void recolorStarArrays() override;
    // The symbols; the figures too once launched, when their colour changed.
    void recolorObjectSymbols() override;
    void recolorMythForms() override;
    // The sprites, symbols and figures, for the telescope view and the print view.
    const ChartImageSet& chartImages() const { return m_images; }
    DeepSkyPhotos& deepSkyPhotos() { return m_photos; }
    // The layers and the sky they draw, for the print view.
    ChartFrame& chartFrame() { return m_frame; }
    const ChartSkySource* skySource() const { return m_skySource; }
    int launchCount() const { return m_launchCount; }
    bool hasLaunched() const { return m_hasLaunched; }

    const ChartCursors& cursors() const { return m_cursors; }
    const QCursor& targetCursor() const { return m_cursors.targetCursor; }
    const QCursor& nvTargetCursor() const { return m_cursors.nvTargetCursor; }
    const QCursor& angleSepCursor() const { return m_cursors.angleSepCursor; }
    // The chart's cursor over the view: the red one in night vision or with
    // the red-cursor setting, else the normal one.
    void resetCursorRects();
    void setCursorTimer();

    // The main window's hiding while the application is inactive.
    void setHide(bool hide);
    void setAllHide();
    void toolTipsControl();
    void viewDidEndLiveResize();

    int outlines() const override { return m_overlays.outlines; }
    void setOutlines(int outlines) override { m_overlays.outlines = outlines; }
    // The outline's offset from the chart centre, and where it was last drawn.
    QPointF outlineDelta() const { return m_overlays.outlineDelta; }
    void setOutlineDelta(QPointF delta) { m_overlays.outlineDelta = delta; }
    QRectF outlineRect() const { return m_overlays.outlineRect; }
    bool showMonitorAdjust() const override { return m_overlays.showMonitorAdjust; }
    void setMonitorAdjust() override { m_overlays.showMonitorAdjust = !m_overlays.showMonitorAdjust; }
    bool isRecolorMyth() const override { return m_isRecolorMyth; }
    void setIsRecolorMyth(bool recolored) { m_isRecolorMyth = recolored; }
    float markAlpha() const { return m_markAlpha; }
    void setMarkAlpha(float alpha) { m_markAlpha = alpha; }

    // Where the captions drawn while a tour is being built stand, in this
    // widget's coordinates: a panel opened then leaves them clear.
    QRect tourCaptionsArea() const;

    // The marquee, ruler and outline drag the mouse leaves for the overlays
    // (view points, y upward).
    ChartOverlayState& overlay() { return m_overlays; }
    const ChartOverlayState& overlay() const { return m_overlays; }
    QRectF dragRect() const { return m_overlays.dragRect; }
    void setDragRect(const QRectF& rect) { m_overlays.dragRect = rect; }
    QPointF startPt() const { return m_overlays.startPt; }
    void setStartPt(QPointF point) { m_overlays.startPt = point; }
    // The separation ruler's other end.
    QPointF currentPt() const { return m_overlays.currentPt; }
    void setCurrentPt(QPointF point) { m_overlays.currentPt = point; }
    // Degrees between the ruler's ends (0 without a mouse handler).
    float calculateAngularSeparation(bool fromStart);
    MeteorShowerTimer& meteorTimer() { return m_meteorTimer; }
    // Copies the chart, or the part under a marquee that has both a width
    // and a height, to the clipboard as an image; the marquee is dropped and
    // the chart redrawn. False when the clipboard is not there to take it.
    bool setPasteboard() override;

    // Sticky click modes.
    ClickModes& clickModes() { return m_clickModes; }
    bool isHandMove() const { return m_clickModes.isHandMove; }
    void setIsHandMove(bool on) { m_clickModes.isHandMove = on; }
    bool isAngleSep() const { return m_clickModes.isAngleSep; }
    void setIsAngleSep(bool on) override { m_clickModes.isAngleSep = on; }
    bool isCopy() const { return m_clickModes.isCopy; }
    void setIsCopy(bool on) override { m_clickModes.isCopy = on; }
    // Setting these on acts at once and sets them off again.
    bool isTrack() const { return m_clickModes.isTrack; }
    void setIsTrack(bool on) override;
    bool isCenter() const { return m_clickModes.isCenter; }
    void setIsCenter(bool on) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The chart draws no focus mark: gaining or losing the keyboard redraws nothing.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    MainWindowControl& m_mainWindow;
    HidesOnDeactivate& m_windowHide;
    PrefControl& m_prefs;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    WindowSettings& m_windowSettings;
    ChartCursors m_cursors;
    QTimer m_resizeSettled;
    QTimer m_movingSettled;  // repaints a view drawn quicker while it moved
    ChartImageSet m_images;
    DeepSkyPhotos m_photos;
    ChartFrame m_frame;
    SplashPainter m_splash;
    const ChartSkySource* m_skySource = nullptr;
    SkyKeyboard* m_keyboard = nullptr;
    SkyMouse* m_mouse = nullptr;
    ChartOverlayState m_overlays;
    MeteorShowerTimer m_meteorTimer;
    ChartFrame::Links m_frameLinks;

    ClickModes m_clickModes;
    bool m_hasLaunched = false;
    int m_launchCount = 0;
    // The splash stage last painted on screen and the size it was painted at.
    std::optional<std::pair<int, QSize>> m_splashShown;
    float m_markAlpha = 1.0f;
    bool m_isRecolorMyth = false;
};
