#include "prefs/CityTableModel.h"

#include <QFileInfo>

CityTableModel::CityTableModel(CityTable::Files files, QObject* parent)
    : QAbstractTableModel(parent), m_table(std::move(files))
{
}

QString CityTableModel::cacheFileName() const { return QFileInfo(m_table.files().binaryPath).fileName(); }

void CityTableModel::create()
{
    m_tried = true;
    if (m_rows > 0) {
        beginRemoveRows({}, 0, m_rows - 1);
        m_rows = 0;
        endRemoveRows();
    }
    m_table.create();
    const int rows = int(m_table.size());
    if (rows > 0) {
        beginInsertRows({}, 0, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
}

bool CityTableModel::rebuildCache()
{
    m_tried = true;
    beginResetModel();
    const bool built = m_table.rebuild();
    m_rows = int(m_table.size());
    endResetModel();
    return built;
}

int CityTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int CityTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant CityTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows || index.column() != 0)
        return {};
    return m_table.names().value(index.row());
}

Qt::ItemFlags CityTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool CityTableModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !m_tried; }

void CityTableModel::fetchMore(const QModelIndex& parent)
{
    if (canFetchMore(parent))
        create();
}
