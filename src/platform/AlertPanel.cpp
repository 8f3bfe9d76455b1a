#include "platform/AlertPanel.h"

#include <QCoreApplication>
#include <QDebug>

namespace {

class ConsolePresenter final : public AlertPresenter {
public:
    void showAlert(const QString& title, const QString& message) override
    {
        qWarning().noquote() << "Alert:" << title << "-" << message;
    }
    bool showChoice(const QString& title, const QString& message,
                    const QString& firstButton, const QString&) override
    {
        qWarning().noquote() << "Alert:" << title << "-" << message << "->" << firstButton;
        return true;
    }
    void beep() override {}
};

std::unique_ptr<AlertPresenter>& presenter()
{
    static std::unique_ptr<AlertPresenter> p = std::make_unique<ConsolePresenter>();
    return p;
}

}  // namespace

namespace AlertPanel {

void runAlert(const QString& title, const QString& message)
{
    presenter()->showAlert(title, message);
}

void postAlert(const QString& title, const QString& message)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        runAlert(title, message);
        return;
    }
    QMetaObject::invokeMethod(app, [title, message] { runAlert(title, message); }, Qt::QueuedConnection);
}

bool runChoice(const QString& title, const QString& message,
               const QString& firstButton, const QString& secondButton)
{
    return presenter()->showChoice(title, message, firstButton, secondButton);
}

void beep() { presenter()->beep(); }

void setPresenter(std::unique_ptr<AlertPresenter> p)
{
    presenter() = p ? std::move(p) : std::make_unique<ConsolePresenter>();
}

}  // namespace AlertPanel
