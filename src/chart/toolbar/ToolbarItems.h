#pragma once

#include <QString>
#include <QStringList>

// The main toolbar's items: what each one shows, the toolbar the program
// starts with and every item the user may place.
namespace ToolbarItems {

// The toolbar's name; its arrangement is kept under it in the settings.
inline const QString kToolbarIdentifier = QStringLiteral("Sky Window Toolbar ID");
inline const QString kFlexibleSpace = QStringLiteral("Flexible Space");
inline const QString kSpace = QStringLiteral("Space");
inline const QString kSeparator = QStringLiteral("Separator");
inline const QString kCustomize = QStringLiteral("Customize");
inline const QString kTimeView = QStringLiteral("Time View Toolbar ID");
inline const QString kFind = QStringLiteral("Find Toolbar ID");

constexpr int kFindTag = 24;
// The check mark a label carries while its layer or window is on.
inline const QChar kCheckMark = QChar(0x2713);

struct Item {
    int tag;                 // 0 for the time steppers
    const char* identifier;
    const char* label;       // and the palette label; a key of the "Menus" table
    const char* toolTip;     // a key of the "Menus" table, but for the search field's
    const char* image;       // in the resources' "ImageF" folder; empty for the two views
};

// The item of an identifier; null for the spaces, the separator, the
// customise item and any identifier the toolbar does not know.
const Item* item(const QString& identifier);
const Item* itemWithTag(int tag);

// The spaces and the separator, which may stand more than once.
bool isSpacer(const QString& identifier);

QStringList defaultItemIdentifiers();
QStringList allowedItemIdentifiers();
// A saved arrangement with what the toolbar does not know and every repeat
// of an item left out; the default arrangement when nothing usable is left.
QStringList restoredItemIdentifiers(const QStringList& saved);

}  // namespace ToolbarItems
