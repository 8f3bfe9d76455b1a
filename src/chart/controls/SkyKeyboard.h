#pragma once

class PrefControl;
class QKeyEvent;
class QWidget;
class SkyTimeControl;
class UpdateChain;
struct ChartOutlets;

// The chart's keys: arrows pan (with Alt: zoom and step the time), Space
// stops a slewing mount, Esc closes the front information panel, "+", "="
// and "-" zoom, Alt+Shift+F12 switches the debug log, and every other
// character runs the first of the 42 shortcut positions that holds it.
class SkyKeyboard {
public:
    // The user's shortcut string has this many positions.
    static constexpr int kShortcutCount = 42;

    // `window` is the main window, whose title shows the debug mode.
    SkyKeyboard(PrefControl& prefs, SkyTimeControl& time, const ChartOutlets& outlets, UpdateChain& chain,
                QWidget& window);

    // Handles the key to the end; every key but F12 ends in a redraw.
    void keyDown(const QKeyEvent& event);
    // Runs shortcut position 0 to 41; any other does nothing.
    void runShortcut(int position);

private:
    void arrowKey(int key, bool option);
    void stopSlew();
    void zoom(double change);
    void toggleDebug();
    // Returns true when the chart still needs the plain redraw.
    bool shortcut(int position);

    PrefControl& m_prefs;
    SkyTimeControl& m_time;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    QWidget& m_window;
};
