#include "platform/widgets/MessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Over the window the user is working in, so that it comes up above that
// window and every panel rather than somewhere behind them.
QWidget* ownerWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

}  // namespace

void MessageBoxPresenter::showAlert(const QString& title, const QString& message)
{
    QMessageBox box(QMessageBox::Warning, title, title, QMessageBox::NoButton, ownerWindow());
    box.setInformativeText(message);
    box.addButton("OK", QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxPresenter::showChoice(const QString& title, const QString& message,
                                     const QString& firstButton, const QString& secondButton)
{
    QMessageBox box(QMessageBox::Warning, title, title, QMessageBox::NoButton, ownerWindow());
    box.setInformativeText(message);
    QPushButton* first = box.addButton(firstButton, QMessageBox::AcceptRole);
    box.addButton(secondButton, QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == first;
}

void MessageBoxPresenter::beep() { QApplication::beep(); }
