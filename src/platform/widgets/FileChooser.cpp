#include "platform/widgets/FileChooser.h"

#include "platform/widgets/WindowStacking.h"

#include <QFileDialog>

namespace {

QString chosen(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
               QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    return FileChooser::exec(dialog) ? dialog.selectedFiles().constFirst() : QString();
}

}  // namespace

namespace FileChooser {

bool exec(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    return WindowStacking::execOnTop(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
}

QString openFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    return chosen(parent, title, folder, filter, QFileDialog::AcceptOpen);
}

QString saveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    return chosen(parent, title, folder, filter, QFileDialog::AcceptSave);
}

}  // namespace FileChooser
