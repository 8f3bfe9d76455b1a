#include "prefs/CityTablesPanel.h"

#include "prefs/CityDataSource.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The cities a list shows at least, at any screen size and scale: on a
// small screen the page scrolls rather than the list shrinking.
constexpr int kShownRows = 8;

}  // namespace

CityTablesPanel::CityTablesPanel(CityDataSource& cities, std::function<void(const cityList&)> citySelected,
                                 QWidget* parent)
    : QWidget(parent), m_cities(cities), m_citySelected(std::move(citySelected))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_us = makeView(CityDataSource::kUSTag, tr("US Cities"));
    m_world = makeView(CityDataSource::kWorldTag, tr("World Cities"));
}

QTableView* CityTablesPanel::makeView(int tag, const QString& title)
{
    auto* column = new QVBoxLayout;
    auto* view = new QTableView(this);
    view->setObjectName(tag == CityDataSource::kUSTag ? "usCities" : "worldCities");
    view->setModel(m_cities.model(tag));
    view->horizontalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setMinimumHeight(kShownRows * view->verticalHeader()->defaultSectionSize() + 2 * view->frameWidth());
    connect(view, &QTableView::clicked, this,
            [this, tag](const QModelIndex& index) { cityClickedAction(tag, index.row()); });
    view->installEventFilter(this);
    column->addWidget(new QLabel(title, this));
    column->addWidget(view);
    static_cast<QHBoxLayout*>(layout())->addLayout(column);
    return view;
}

bool CityTablesPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on the city the keyboard search highlighted applies it as a click does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int tag = watched == m_us ? CityDataSource::kUSTag : CityDataSource::kWorldTag;
        const auto* view = static_cast<QTableView*>(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && view->currentIndex().isValid()) {
            cityClickedAction(tag, view->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CityTablesPanel::cityClickedAction(int tag, int row)
{
    if (const std::optional<cityList> city = m_cities.cityClickedAction(tag, row); city && m_citySelected)
        m_citySelected(*city);
}
