#include "platform/widgets/MessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

void MessageBoxPresenter::showAlert(const QString& title, const QString& message)
{
    QMessageBox box(QMessageBox::Warning, title, title);
    box.setInformativeText(message);
    box.addButton("OK", QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxPresenter::showChoice(const QString& title, const QString& message,
                                     const QString& firstButton, const QString& secondButton)
{
    QMessageBox box(QMessageBox::Warning, title, title);
    box.setInformativeText(message);
    QPushButton* first = box.addButton(firstButton, QMessageBox::AcceptRole);
    box.addButton(secondButton, QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == first;
}

void MessageBoxPresenter::beep() { QApplication::beep(); }
