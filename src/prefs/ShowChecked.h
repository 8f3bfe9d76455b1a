#pragma once

#include <QCheckBox>
#include <QSignalBlocker>

// Shows a stored switch in its checkbox without running the box's action.
inline void showChecked(QCheckBox* box, bool on)
{
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}
