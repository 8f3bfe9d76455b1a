#pragma once

#include "platform/AlertPanel.h"

// Shows the program's alerts as modal message boxes.
class MessageBoxPresenter final : public AlertPresenter {
public:
    void showAlert(const QString& title, const QString& message) override;
    bool showChoice(const QString& title, const QString& message,
                    const QString& firstButton, const QString& secondButton) override;
    void beep() override;
};
