#pragma once

#include <QColor>
#include <QFont>

// What a chart label is drawn with. The settings object owns one per label
// kind for the whole run and changes only its contents, so a drawing object
// may keep a reference.
struct TextAttributes {
    QFont font;
    QColor color;
};
