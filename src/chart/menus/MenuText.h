#pragma once

#include "platform/StringTables.h"

#include <QString>

// A text of the "Menus" string table.
inline QString menuText(const char* key)
{
    return StringTables::localizedString(QStringLiteral("Menus"), QString::fromUtf8(key));
}
