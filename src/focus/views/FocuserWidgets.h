#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QSpinBox;

// The small controls every focuser window builds its rows from.
namespace FocuserWidgets {

// A count field that leaves the keys to the window (they move the focuser)
// until it is clicked.
QSpinBox* countField(int most);
// A button that never takes the keyboard; named by its title for tests.
QPushButton* actionButton(const QString& title);
// A read-out showing "---" until its value is known.
QLabel* readout();

}  // namespace FocuserWidgets
