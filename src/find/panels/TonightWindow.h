#pragma once

#include "find/panels/NightPlanner.h"
#include "find/panels/TonightView.h"
#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/InactiveHider.h"

#include <QWidget>

#include <map>

class QAbstractButton;
class QLabel;
class QScrollArea;
class TonightHours;

// The night planner's floating window: the chart in a horizontally scrolling
// view with the hour ruler under it, the check boxes of the bodies,
// twilight, mist and the two tours, and the tours' names.
class TonightWindow final : public QWidget, public HidesOnDeactivate, public NightPlanner {
    Q_OBJECT
public:
    // The view's links but the scroller, which the window owns.
    TonightWindow(TonightView::Links links, QWidget* parent = nullptr);

    TonightView& tonightView() const { return *m_view; }
    TonightHours& tonightHours() const { return *m_hours; }
    QAbstractButton& control(int tag) const { return *m_controls.at(tag); }

    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }
    bool isPlannerVisible() const override { return isVisible(); }
    void orderOut() override { hide(); }
    void showTonight() override;

protected:
    void enterEvent(QEnterEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void syncControls();

    QScrollArea* m_scrollArea;
    TonightView* m_view;
    TonightHours* m_hours;
    std::map<int, QAbstractButton*> m_controls;
    QLabel* m_tour1Name;
    QLabel* m_tour2Name;
    bool m_isPlaced = false;
    InactiveHider m_inactiveHider{*this};
};
