#include "mount/panels/RadioMatrix.h"

#include <QGridLayout>
#include <QRadioButton>

RadioMatrix::RadioMatrix(int tag, const QString& title, std::initializer_list<Cell> cells, int columns,
                         QWidget* parent)
    : QGroupBox(title, parent), m_tag(tag), m_columns(columns)
{
    auto* layout = new QGridLayout(this);
    for (const Cell& cell : cells) {
        auto* button = new QRadioButton(cell.title, this);
        const int index = int(m_tags.size());
        layout->addWidget(button, index / columns, index % columns);
        m_group.addButton(button, cell.tag);
        m_tags.append(cell.tag);
    }
    if (!m_tags.isEmpty())
        m_group.button(m_tags.front())->setChecked(true);
    connect(&m_group, &QButtonGroup::idClicked, this, &RadioMatrix::activated);
}

void RadioMatrix::selectCellWithTag(int tag)
{
    if (QAbstractButton* button = m_group.button(tag))
        button->setChecked(true);
}

int RadioMatrix::tagAt(int row, int column) const
{
    const qsizetype index = qsizetype(row) * m_columns + column;
    if (row < 0 || column < 0 || column >= m_columns || index >= m_tags.size())
        return -1;
    return m_tags[index];
}
