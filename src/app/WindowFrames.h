#pragma once

#include <QString>

class PrefControl;
class QWidget;

// Keeps `window`'s place and size in the settings under `name` and puts back
// the saved ones now: the window then opens where the user left it. With
// nothing saved and an `over` widget (the chart's view, say), the window
// first opens in that widget's `corner`; in a main window's, below its menu
// and tool bars.
void keepWindowFrame(PrefControl& prefs, QWidget& window, const QString& name, const QWidget* over = nullptr,
                     Qt::Corner corner = Qt::TopLeftCorner);
// As keepWindowFrame, for a window that may be taller than a small screen:
// its content scrolls (ScrollingContent), and it first opens as large as its
// content and the screen allow.
void keepScrollingWindowFrame(PrefControl& prefs, QWidget& window, const QString& name,
                              const QWidget* over = nullptr, Qt::Corner corner = Qt::TopLeftCorner);
