#pragma once

#include <QWidget>

#include <array>
#include <memory>

class ChartRefresh;
class QTabWidget;

// The floating preferences window: seven tabs, and the chart brought up to
// date whenever the window stops being the active one.
class PrefWindow final : public QWidget {
    Q_OBJECT
public:
    enum Tab { kSetup, kFilters, kFontsAndColor, kInfoPanel, kTelescope, kMythMisc, kShortcuts, kTabCount };

    explicit PrefWindow(QWidget* parent = nullptr);
    ~PrefWindow() override;
    void setChartRefresh(ChartRefresh* refresh) { m_refresh = refresh; }

    QTabWidget* tabs() const { return m_tabs; }
    // `page` becomes the page of `tab`, in a scroll area of its own, once
    // the tab is first chosen: a page not yet seen costs the window's
    // opening no layout. The window owns it from now on.
    void setPage(Tab tab, QWidget* page);
    // The window title and tab titles from the string table "PrefPanel".
    void localize();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Puts the page of `tab` in its place, if it waits for it.
    void place(int tab);
    // Wide enough for the widest page placed, as far as the screen allows:
    // a page first chosen never scrolls sideways for want of room.
    void widenForPages();

    QTabWidget* m_tabs;
    std::array<std::unique_ptr<QWidget>, kTabCount> m_waiting;  // pages given, not yet placed
    ChartRefresh* m_refresh = nullptr;
};
