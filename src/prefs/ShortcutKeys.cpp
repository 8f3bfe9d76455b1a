#include "prefs/ShortcutKeys.h"

namespace ShortcutKeys {

QString fitted(const QString& stored)
{
    QString shortcuts = stored.left(kCount);
    return shortcuts.leftJustified(kCount, kUnbound);
}

QChar keyOf(const QString& text) { return text.isEmpty() ? kUnbound : text.front(); }

bool isTakenElsewhere(const QString& shortcuts, QChar key, int position)
{
    if (key == kUnbound)
        return false;
    for (qsizetype p = 0; p < shortcuts.size(); ++p) {
        if (shortcuts[p] == key && p != position)
            return true;
    }
    return false;
}

}  // namespace ShortcutKeys
