#pragma once

#include <QCursor>
#include <QString>

// The chart's three cursors, from the images in the chart image folder. A
// cursor whose image is missing or unreadable is the system's cross-hair
// (target cursors) or pointing hand (angular separation) instead.
struct ChartCursors {
    QCursor targetCursor;
    QCursor nvTargetCursor;
    QCursor angleSepCursor;

    // The target cursor, red in night vision or with the red-cursor setting.
    const QCursor& target(bool red) const { return red ? nvTargetCursor : targetCursor; }

    // `imagesDirectory` ends in "/".
    static ChartCursors load(const QString& imagesDirectory);
};
