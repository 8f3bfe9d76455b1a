#pragma once

#include <QPointF>

class CapsLockState;
class ChartDisplay;
class QWidget;
class PrefControl;
class QMouseEvent;
class QNativeGestureEvent;
class QWheelEvent;
class SkyTimeControl;
class StarDatabaseModel;
class UpdateChain;
struct ChartCursors;
struct ChartOutlets;
struct ChartOverlayState;
struct ClickModes;
struct WheelIntent;

// The chart's mouse and trackpad. A press selects the object under it and,
// by modifiers (Ctrl track, Ctrl+Shift centre, Shift marquee, Alt ruler) or
// the context menu's sticky modes, tracks or centres it or starts a copy
// marquee or a separation ruler; a drag pans the sky, moves the
// field-of-view outline or spans the marquee or ruler; the wheel zooms about
// the pointer and steps the time, or pans; pinch zooms and swipe turns the view.
class SkyMouse {
public:
    // The parts of the chart view the mouse works on.
    struct ViewParts {
        QWidget& widget;
        ChartDisplay& display;
        ChartOverlayState& overlay;
        ClickModes& modes;
        const ChartCursors& cursors;
    };

    // `capsLock` (may be null) tells whether Caps Lock is on, which sends a
    // click on to the observing planner.
    SkyMouse(PrefControl& prefs, StarDatabaseModel& model, SkyTimeControl& time, const ChartOutlets& outlets,
             UpdateChain& chain, ViewParts view, const CapsLockState* capsLock = nullptr);

    // Positions are the widget's (y down); `clickCount` 2 for the second
    // press of a double click, which starts no drag.
    void mouseDown(QPointF position, Qt::KeyboardModifiers modifiers, int clickCount);
    void mouseDragged(QPointF position);
    void mouseUp();
    // A zooming wheel changes the field about `position` (widget coordinates)
    // and its sideways steps move the time; a moving wheel pans.
    void scrollWheel(const WheelIntent& wheel, QPointF position);
    void magnify(double magnification);
    void swipe(double deltaX, double deltaY);
    void nativeGesture(const QNativeGestureEvent& event);

    // Degrees between the ruler's ends; with `fromStart` the start's place
    // is taken anew first. Leaves the cursor readouts at the ruler's end.
    float calculateAngularSeparation(bool fromStart);

private:
    struct PressModes {
        bool track = false;
        bool separation = false;
        bool copy = false;
        bool centre = false;
        bool planner = false;
    };

    QPointF chartPoint(QPointF position) const;
    void select(const PressModes& modes, int clickCount);
    void selectTracking(bool planner);
    void pan(QPointF point);
    void setView(double azimuth, double altitude);
    void showTargetCursor();

    PrefControl& m_prefs;
    StarDatabaseModel& m_model;
    SkyTimeControl& m_time;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    ViewParts m_view;
    const CapsLockState* m_capsLock;

    PressModes m_modes;
    QPointF m_startDragMouseLoc;
    bool m_isDragStart = false;
    bool m_isFollowing = false;
    double m_startRA = 0.0;
    double m_startDec = 0.0;
};
