#include "model/catalogue/StartupFailure.h"

#include "platform/AlertPanel.h"

StartupFailure::StartupFailure(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

void StartupFailure::raise(const QString& message)
{
    showAlert(message);
    throw StartupFailure(message);
}

void StartupFailure::showAlert(const QString& message)
{
    AlertPanel::runAlert("Startup Failed", message);
}
