#pragma once

#include <QChar>
#include <QString>

// The shortcut string: one character per chart command, "-" for none.
namespace ShortcutKeys {

constexpr int kCount = 42;
constexpr QChar kUnbound = u'-';

// A stored string fitted to one character per command: a short one is
// padded with "-", a long one cut.
QString fitted(const QString& stored);
// The key a field's text gives: its first character, "-" for an empty field.
QChar keyOf(const QString& text);
// Whether `key` is bound to a position other than `position` in `shortcuts`.
bool isTakenElsewhere(const QString& shortcuts, QChar key, int position);

}  // namespace ShortcutKeys
