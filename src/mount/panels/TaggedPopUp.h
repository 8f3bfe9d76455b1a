#pragma once

#include <QToolButton>

class QAction;
class QMenu;

// A pop-up of tagged items; choosing one reports its tag. Items carry check
// marks of their own, set by the mount's answers rather than by choosing.
class TaggedPopUp : public QToolButton {
    Q_OBJECT
public:
    TaggedPopUp(int tag, const QString& title, QWidget* parent = nullptr);

    void addItem(int tag, const QString& title);

    int tag() const { return m_tag; }
    // The last item chosen; the first item until one is.
    int selectedTag() const { return m_selected; }
    QAction* item(int tag) const;
    // Clears the marks of `group` and marks `tag` (when it is an item).
    void markItem(std::initializer_list<int> group, int tag);
    bool isMarked(int tag) const;
    // Chooses the item as the user would.
    void choose(int tag);

signals:
    void chosen(int tag);

private:
    int m_tag;
    int m_selected = -1;
    QMenu* m_menu;
};
