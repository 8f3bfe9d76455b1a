#pragma once

#include "model/records/cityList.h"

#include <QWidget>

#include <functional>

class CityDataSource;
class QTableView;

// The Setup tab's US and world city tables side by side; a click on a city,
// or Enter on the highlighted one, hands its record on.
class CityTablesPanel final : public QWidget {
    Q_OBJECT
public:
    CityTablesPanel(CityDataSource& cities, std::function<void(const cityList&)> citySelected,
                    QWidget* parent = nullptr);

    // The view of table tag 1 (US) or 2 (world).
    QTableView* view(int tag) const { return tag == 1 ? m_us : m_world; }
    // What a click on `row` of table `tag` does.
    void cityClickedAction(int tag, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* makeView(int tag, const QString& title);

    CityDataSource& m_cities;
    std::function<void(const cityList&)> m_citySelected;
    QTableView* m_us;
    QTableView* m_world;
};
