#include "prefs/PrefWindow.h"

#include "model/settings/links/ChartRefresh.h"
#include "platform/StringTables.h"
#include "platform/widgets/ScrollingContent.h"
#include "prefs/PrefLocalization.h"

#include <QEvent>
#include <QKeyEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr char kTable[] = "PrefPanel";
constexpr std::array<const char*, PrefWindow::kTabCount> kTabTitles{
    "Setup", "Filters", "Fonts & Color", "Info Panel", "Telescope", "Myth/Misc", "Shortcuts"};

}  // namespace

PrefWindow::PrefWindow(QWidget* parent) : QWidget(parent, Qt::Tool), m_tabs(new QTabWidget(this))
{
    setObjectName("prefWindow");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    for (const char* title : kTabTitles)
        m_tabs->addTab(new QWidget(m_tabs), QString::fromUtf8(title));
    localize();
}

void PrefWindow::setPage(Tab tab, QWidget* page)
{
    const QString title = m_tabs->tabText(tab);
    QWidget* old = m_tabs->widget(tab);
    m_tabs->removeTab(tab);
    delete old;
    // Only the page scrolls on a small screen: the tabs stay in view.
    m_tabs->insertTab(tab, ScrollingContent::around(page), title);
}

void PrefWindow::localize()
{
    setWindowTitle(StringTables::localizedString(kTable, "Preferences"));
    for (int tab = 0; tab < kTabCount; ++tab)
        m_tabs->setTabText(tab, PrefLocalization::mnemonicFree(
                                    StringTables::localizedString(kTable, kTabTitles[size_t(tab)])));
}

void PrefWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PrefWindow::changeEvent(QEvent* event)
{
    // Edits reach the chart at the latest when the user works elsewhere.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && m_refresh)
        m_refresh->updateSkyAndColor();
    QWidget::changeEvent(event);
}
