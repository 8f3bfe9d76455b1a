#pragma once

#include "chart/LaunchWindow.h"
#include "chart/MainWindowControl.h"
#include "platform/widgets/HidesOnDeactivate.h"

#include <QMainWindow>
#include <QRect>

class PrefControl;
class SkyView;
class UpdateChain;
class WindowSettings;
struct CatalogueFolders;
struct ChartOutlets;

// The main window: it holds the chart view and offers every other part the
// update chain. Closing it, zooming it, full screen and the application's
// activation are handled here.
class SkyWindow final : public QMainWindow, public HidesOnDeactivate, public LaunchWindow, public MainWindowControl {
    Q_OBJECT
public:
    // Opens over the visible area of the first screen, frame included once the
    // window manager has framed it; the chart's images
    // come from the folders.
    SkyWindow(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain,
              WindowSettings& windowSettings, const CatalogueFolders& folders);

    SkyView& skyView() { return *m_skyView; }
    // Puts the readout line along the window's bottom edge.
    void setBottomPanel(QWidget* panel);

    void updateSkyView();
    void updateSky();
    void updateSkyAndColor();
    void updateBottomPanel();

    // Set once the user closed the window or the Window menu hid it; the
    // chart draws nothing meanwhile.
    bool keepSWClosed() const override { return m_keepSWClosed; }
    void setKeepSWClosed(bool keepClosed) override { m_keepSWClosed = keepClosed; }

    bool isWindowVisible() const override { return isVisible(); }
    void orderFront() override;
    void orderOut() override { hide(); }
    void displayWindow() override { update(); }
    void setTitle(const QString& title) override { setWindowTitle(title); }
    void toggleFullScreen() override;

    // While set, the window is minimised whenever the application becomes
    // inactive (it stays in the task bar) and restored when it is active again.
    void setHide(bool hide) override;
    bool hidesOnDeactivate() const { return m_hidesOnDeactivate; }

    // The first screen's visible area, taken when the window was made.
    QRect screenRect() const { return m_screenRect; }

    // The window's part of the launch: in front, with the keyboard.
    void didLaunch();
    void setToolbarShown(bool shown) override;
    // Gives the window the keyboard.
    void makeKeyWindow() override;

    void applicationStateChanged(Qt::ApplicationState state);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    // Keys the chart view did not take, from anywhere in the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void madeActive();
    void resignedActive();
    void windowStateChanged(Qt::WindowStates before);
    // Shrinks the window so that its frame, title bar included, lies inside
    // the visible area it was given.
    void fitFrameOnScreen();

    PrefControl& m_prefs;
    UpdateChain& m_chain;
    SkyView* m_skyView;
    QRect m_screenRect;
    bool m_keepSWClosed = false;
    bool m_hidesOnDeactivate = false;
    bool m_isMinimizedWhileInactive = false;
    bool m_isFrameFitted = false;
};
