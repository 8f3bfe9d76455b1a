#pragma once

#include "chart/menus/ShowMenuActions.h"
#include "chart/menus/ViewMenuActions.h"
#include "remote/speech/VoiceChart.h"

// The chart's View and Show menus as the spoken commands use them.
class ChartVoice final : public VoiceChart {
public:
    ChartVoice(ViewMenuActions& view, ShowMenuActions& show) : m_view(view), m_show(show) {}
    void lookDirection(int direction) override { m_view.lookDirection(direction); }
    void zoomAngle(double degrees) override { m_view.zoomAngle(degrees); }
    void setItem(int item) override { m_show.setItem(item); }

private:
    ViewMenuActions& m_view;
    ShowMenuActions& m_show;
};
