#pragma once

#include "chart/menus/FileMenuActions.h"

class QWidget;

// The File menu's panels as the desktop shows them: file dialogs, the
// tour question (texts of the "Global" table), the print and page set-up panels.
FileMenuActions::Dialogs standardDialogs(QWidget* parent);
