#pragma once

#include "platform/widgets/InactiveHider.h"
#include "scopeview/ScopeViewWindow.h"

#include <QWidget>

class PrefControl;
class QLabel;
class QMenuBar;
class QPropertyAnimation;
class QScrollArea;
class QToolButton;
class SkyDateModel;
class StarDatabaseModel;
class SVClickMenu;
class SVConeSearch;
class SVDrawView;
class SVDrawer;
class SVView;

// The telescope view's floating window: the program's menus, the square view
// over a 17-point bottom bar, and the drawer as a side panel opened by the
// bar's disclosure button. Its keys pan the field and change the power.
class SVWindow final : public QWidget, public ScopeViewWindow {
    Q_OBJECT
public:
    static constexpr int kBottomBarHeight = 17;
    static constexpr int kDrawerWidth = 230;
    // The drawer sits 5 points below the window's top and is at most 440 high.
    static constexpr int kDrawerTop = 5;
    static constexpr int kDrawerHeight = 440;

    SVWindow(PrefControl& prefs, const SkyDateModel& skyDate, const StarDatabaseModel& model,
             QWidget* parent = nullptr);
    ~SVWindow() override;

    // The window's set-up: its place on screen, the view's blocks and status
    // lights from `resourcesFolder`, and the drawer. False when the view's
    // deep-star block could not be had (it has been reported).
    bool awakeFromNib(const QString& resourcesFolder);

    void setConeSearch(SVConeSearch* nomad);

    SVView& svView() { return *m_view; }
    SVDrawer& svDrawer() { return *m_drawer; }
    SVDrawView& svDrawView() { return *m_drawView; }
    SVClickMenu& svClickMenu() { return *m_clickMenu; }
    QToolButton& svDrawerDisc() { return *m_svDrawerDisc; }
    const QLabel& svPowerText() const { return *m_svPowerText; }
    const QLabel& svFOVText() const { return *m_svFOVText; }
    const QLabel& svRADecText() const { return *m_svRADecText; }
    const QLabel& ledButton() const { return *m_ledButton; }

    // The bottom bar's power, field and centre texts and the mount's status
    // light, which fades in over half a second on each fresh position.
    void updateBottomPanel();
    // Carries the chart's menus, so that every window can reach the others.
    QMenuBar& menuBar() { return *m_menuBar; }

    bool keepSVClosed() const { return m_keepSVClosed; }
    void setKeepSVClosed(bool closed) { m_keepSVClosed = closed; }
    bool isDrawerOpen() const { return m_isDrawerOpen; }
    // Opens the drawer when `on`, else closes it; the view keeps its size.
    void controlDrawer(bool on);
    void setupDrawer();

    // ScopeViewWindow
    bool isWindowVisible() const override { return isVisible(); }
    void display() override;
    void setHasChanged(bool changed) override;
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }

public slots:
    void applicationStateChanged(Qt::ApplicationState state);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void madeActive();
    void madeInactive();
    void closeDrawerPanel();
    void placeChildren();
    int menuBarHeight() const;

    PrefControl& m_prefs;
    QMenuBar* m_menuBar;
    SVView* m_view;
    QWidget* m_bottomBar;
    QLabel* m_ledButton;
    QLabel* m_svPowerText;
    QLabel* m_svFOVText;
    QLabel* m_svRADecText;
    QPropertyAnimation* m_ledAnim;
    QToolButton* m_svDrawerDisc;
    QScrollArea* m_drawerPanel;
    SVDrawView* m_drawView;
    SVDrawer* m_drawer;
    SVClickMenu* m_clickMenu;
    SVConeSearch* m_nomad = nullptr;
    // Connected ahead of applicationStateChanged, so the drawer follows the window.
    InactiveHider m_inactiveHider{*this};
    bool m_keepSVClosed = false;
    bool m_isDrawerOpen = false;
};
