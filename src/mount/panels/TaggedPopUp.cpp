#include "mount/panels/TaggedPopUp.h"

#include <QAction>
#include <QMenu>

TaggedPopUp::TaggedPopUp(int tag, const QString& title, QWidget* parent)
    : QToolButton(parent), m_tag(tag), m_menu(new QMenu(this))
{
    setText(title);
    setPopupMode(QToolButton::InstantPopup);
    setFocusPolicy(Qt::NoFocus);
    setMenu(m_menu);
}

void TaggedPopUp::addItem(int tag, const QString& title)
{
    QAction* action = m_menu->addAction(title);
    action->setData(tag);
    action->setCheckable(true);
    // Choosing does not move the marks: only the mount's answer does.
    connect(action, &QAction::triggered, this, [this, action, tag](bool checked) {
        action->setChecked(!checked);
        choose(tag);
    });
    if (m_selected < 0)
        m_selected = tag;
}

QAction* TaggedPopUp::item(int tag) const
{
    for (QAction* action : m_menu->actions()) {
        if (action->data().toInt() == tag)
            return action;
    }
    return nullptr;
}

void TaggedPopUp::markItem(std::initializer_list<int> group, int tag)
{
    for (const int member : group) {
        if (QAction* action = item(member))
            action->setChecked(false);
    }
    if (QAction* action = item(tag))
        action->setChecked(true);
    update();
}

bool TaggedPopUp::isMarked(int tag) const
{
    const QAction* action = item(tag);
    return action && action->isChecked();
}

void TaggedPopUp::choose(int tag)
{
    if (!item(tag))
        return;
    m_selected = tag;
    emit chosen(tag);
}
