#include "app/FirstChartReport.h"

#include "chart/SkyView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

void FirstChartReport::watch(SkyView& view)
{
    if (!qEnvironmentVariableIsSet(kVariable))
        return;
    // A child of the view, so it goes with it.
    new FirstChartReport(view, qEnvironmentVariable(kVariable) == QLatin1String(kQuit));
}

FirstChartReport::FirstChartReport(SkyView& view, bool quit) : QObject(&view), m_view(view), m_quit(quit)
{
    view.installEventFilter(this);
}

bool FirstChartReport::eventFilter(QObject*, QEvent* event)
{
    // Seen before the paint; the report follows once it is done and shown.
    if (event->type() == QEvent::Paint && m_view.hasLaunched()) {
        m_view.removeEventFilter(this);
        QTimer::singleShot(0, this, &FirstChartReport::report);
    }
    return false;
}

void FirstChartReport::report()
{
    std::printf("%s\n", kLine);
    std::fflush(stdout);
    if (m_quit)
        QCoreApplication::exit(0);
}
