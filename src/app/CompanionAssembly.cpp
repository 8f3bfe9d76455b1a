#include "app/CompanionAssembly.h"

#include "app/ChartAssembly.h"
#include "app/GuideLink.h"
#include "app/PrefWindowLink.h"

CompanionAssembly::CompanionAssembly(ChartAssembly& chart)
    : m_chart(chart), m_prefs(chart.prefControl(), chart.skyWindow()), m_mount(chart.scopeControl()),
      m_finder(chart.findObjects()), m_view(chart.outlets()),
      m_controller({m_prefs, m_prefs, m_mount, m_finder, chart.prefWindowLink(), m_discovery}),
      m_guide(chart.guideLink().webcamGuide(), m_controller)
{
    m_controller.setGuider(&m_guide);
    chart.guideLink().webcamGuide().setCompanion(&m_guide);
    m_controller.setTelescopeView(&m_view);
    chart.scopeControl().setCompanion(&m_controller);
    chart.outlets().lumarikController = &m_controller;
    QObject::connect(&m_sleep, &SleepWatch::willSleep, &m_controller, &Controller::madeSleep);
    QObject::connect(&m_sleep, &SleepWatch::didWake, &m_controller, &Controller::madeWake);
}

CompanionAssembly::~CompanionAssembly()
{
    m_chart.scopeControl().setCompanion(nullptr);
    m_chart.guideLink().webcamGuide().setCompanion(nullptr);
    m_controller.setGuider(nullptr);
    m_chart.outlets().lumarikController = nullptr;
}
