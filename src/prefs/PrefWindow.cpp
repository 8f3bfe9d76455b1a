#include "prefs/PrefWindow.h"

#include "model/settings/links/ChartRefresh.h"
#include "platform/StringTables.h"
#include "platform/widgets/ScreenPlacement.h"
#include "platform/widgets/ScrollingContent.h"
#include "prefs/PrefLocalization.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
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
    // Only a page scrolls on a small screen: the tabs stay in view.
    for (const char* title : kTabTitles)
        m_tabs->addTab(ScrollingContent::around(nullptr), QString::fromUtf8(title));
    connect(m_tabs, &QTabWidget::currentChanged, this, &PrefWindow::place);
    localize();
}

PrefWindow::~PrefWindow() = default;

void PrefWindow::setPage(Tab tab, QWidget* page)
{
    m_waiting[size_t(tab)].reset(page);
    if (m_tabs->currentIndex() == tab)
        place(tab);
}

void PrefWindow::place(int tab)
{
    if (tab < 0 || tab >= kTabCount || !m_waiting[size_t(tab)])
        return;
    static_cast<QScrollArea*>(m_tabs->widget(tab))->setWidget(m_waiting[size_t(tab)].release());
    if (isVisible())
        widenForPages();
}

void PrefWindow::widenForPages()
{
    const std::optional<QSize> room = ScreenPlacement::contentRoom(*this);
    if (!room)
        return;
    // The window's own size hint follows the page only once laid out anew.
    const int wanted = std::min(width() + m_tabs->sizeHint().width() - m_tabs->width(), room->width());
    if (wanted > width()) {
        resize(wanted, height());
        ScreenPlacement::keepInside(*this);
    }
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
