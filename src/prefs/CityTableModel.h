#pragma once

#include "model/catalogue/CacheRebuilder.h"
#include "prefs/CityTable.h"

#include <QAbstractTableModel>

// One city list as a read-only table of names, loaded the first time a view
// shows it; the database rebuild builds it again from its text.
class CityTableModel final : public QAbstractTableModel, public CacheRebuilder {
    Q_OBJECT
public:
    explicit CityTableModel(CityTable::Files files, QObject* parent = nullptr);

    // Loads or builds the list (once; a failure alerts and is not retried on
    // every repaint, only by the next explicit create or rebuild).
    void create();
    const CityTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    QString cacheFileName() const override;
    bool rebuildCache() override;

private:
    CityTable m_table;
    int m_rows = 0;
    bool m_tried = false;
};
