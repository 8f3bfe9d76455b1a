#pragma once

#include <QHash>
#include <QString>

// The program's display texts: one table per file ("Global", "Menus",
// "Windows", "PrefPanel"), each line `"key" = "value";` in UTF-8.
class StringTables {
public:
    // Text of `key` in `table`; the key itself when the table or entry is missing.
    static QString localizedString(const QString& table, const QString& key);

    // Parses one table's text; malformed lines are skipped, never fatal.
    static QHash<QString, QString> parse(const QString& text);

    // Reads tables from `folder` instead of the shipped English folder.
    static void setFolder(const QString& folder);
};
