#include "scopeview/SVClickMenu.h"

#include "scopeview/SVViewState.h"

#include "platform/StringTables.h"

SVClickMenu::SVClickMenu(SVViewState& view, QWidget* parent) : QMenu(parent), m_view(view)
{
    const auto item = [this](const char* key, int tag) {
        QAction* action = addAction(StringTables::localizedString("Menus", key));
        action->setData(tag);
        connect(action, &QAction::triggered, this, [this, tag] { svClickMenuAction(tag); });
    };
    item("Track Object (Command)", kTrackTag);
    item("Angular Separation (Option)", kAngleSepTag);
}

void SVClickMenu::svClickMenuAction(int tag)
{
    if (tag == kTrackTag)
        m_view.setIsTrack(true);
    else if (tag == kAngleSepTag)
        m_view.setIsAngleSep(true);
}
