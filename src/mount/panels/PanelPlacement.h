#pragma once

class QWidget;

// The device panels' placement at launch: with a single screen, a panel
// lying outside its visible frame moves 30 points in from the lower left.
void placeOnScreen(QWidget& panel);
