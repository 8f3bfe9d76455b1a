#pragma once

#include <QString>

class QFileDialog;
class QWidget;

// The program's open and save panels, stacked as its alerts are
// (WindowStacking::execOnTop). Qt's own panel, not the desktop's: a panel of
// another toolkit would not keep the stacking asked of it.
namespace FileChooser {

// Runs a prepared panel; true when a file was chosen.
bool exec(QFileDialog& dialog);
// The chosen path, empty when cancelled.
QString openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter);
QString saveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter);

}  // namespace FileChooser
