#pragma once

#include <QButtonGroup>
#include <QGroupBox>

#include <initializer_list>

// A matrix of radio cells, each carrying a tag, laid out in rows of
// `columns`; it reports the tag of a cell the user selects.
class RadioMatrix : public QGroupBox {
    Q_OBJECT
public:
    struct Cell {
        int tag;
        QString title;
    };
    RadioMatrix(int tag, const QString& title, std::initializer_list<Cell> cells, int columns = 1,
                QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    // The selected cell's tag; -1 when none is selected.
    int selectedTag() const { return m_group.checkedId(); }
    // Selects the cell carrying `tag`; other tags change nothing.
    void selectCellWithTag(int tag);
    // The cell at `row`, `column`; -1 outside the matrix.
    int tagAt(int row, int column) const;
    void selectCell(int row, int column) { selectCellWithTag(tagAt(row, column)); }
    QAbstractButton* cell(int tag) const { return m_group.button(tag); }

signals:
    void activated(int tag);

private:
    int m_tag;
    int m_columns;
    QList<int> m_tags;
    QButtonGroup m_group;
};
