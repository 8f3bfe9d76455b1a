#include "prefs/RefusalNote.h"

#include "platform/AlertPanel.h"

RefusalNote::RefusalNote(QWidget* parent) : QLabel(parent)
{
    setObjectName("refusalNote");
    setWordWrap(true);
    setStyleSheet(QStringLiteral("color: #c00000;"));
    hide();
}

void RefusalNote::refuse(const QString& why)
{
    AlertPanel::beep();
    setText(why);
    show();
}

void RefusalNote::clearNote()
{
    clear();
    hide();
}
