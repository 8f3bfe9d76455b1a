#pragma once

#include <QWidget>

class ChartRefresh;
class QTabWidget;

// The floating preferences window: seven tabs, and the chart brought up to
// date whenever the window stops being the active one.
class PrefWindow final : public QWidget {
    Q_OBJECT
public:
    enum Tab { kSetup, kFilters, kFontsAndColor, kInfoPanel, kTelescope, kMythMisc, kShortcuts, kTabCount };

    explicit PrefWindow(QWidget* parent = nullptr);
    void setChartRefresh(ChartRefresh* refresh) { m_refresh = refresh; }

    QTabWidget* tabs() const { return m_tabs; }
    // Puts `page` in place of the empty page of `tab`, in a scroll area of
    // its own.
    void setPage(Tab tab, QWidget* page);
    // The window title and tab titles from the string table "PrefPanel".
    void localize();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTabWidget* m_tabs;
    ChartRefresh* m_refresh = nullptr;
};
