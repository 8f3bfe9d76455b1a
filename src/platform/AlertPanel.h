#pragma once

#include <QString>

#include <memory>

// Shows the program's modal alerts and sounds the system beep. Code below the
// window layer calls these; the application installs a presenter that shows
// real dialogs, tests install one that records.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // A modal alert with a single "OK" button.
    virtual void showAlert(const QString& title, const QString& message) = 0;
    // A modal alert with two buttons; returns true when the first was chosen.
    virtual bool showChoice(const QString& title, const QString& message,
                            const QString& firstButton, const QString& secondButton) = 0;
    virtual void beep() = 0;
};

namespace AlertPanel {

void runAlert(const QString& title, const QString& message);
// runAlert once the caller has returned to the event loop: for handlers whose
// answer to a peer must not wait for the user to press OK.
void postAlert(const QString& title, const QString& message);
bool runChoice(const QString& title, const QString& message,
               const QString& firstButton, const QString& secondButton);
void beep();

// Replaces the presenter; the default one writes alerts to the standard error
// and takes the first button, which suits programs without a window.
void setPresenter(std::unique_ptr<AlertPresenter> presenter);

}  // namespace AlertPanel
