#include "platform/widgets/MessageBoxPresenter.h"

#include "platform/widgets/WindowStacking.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

void MessageBoxPresenter::showAlert(const QString& title, const QString& message)
{
    QMessageBox box(QMessageBox::Warning, title, title, QMessageBox::NoButton, WindowStacking::dialogOwner());
    box.setInformativeText(message);
    box.addButton("OK", QMessageBox::AcceptRole);
    WindowStacking::execOnTop(box);
}

bool MessageBoxPresenter::showChoice(const QString& title, const QString& message,
                                     const QString& firstButton, const QString& secondButton)
{
    QMessageBox box(QMessageBox::Warning, title, title, QMessageBox::NoButton, WindowStacking::dialogOwner());
    box.setInformativeText(message);
    QPushButton* first = box.addButton(firstButton, QMessageBox::AcceptRole);
    box.addButton(secondButton, QMessageBox::RejectRole);
    WindowStacking::execOnTop(box);
    return box.clickedButton() == first;
}

void MessageBoxPresenter::beep() { QApplication::beep(); }
