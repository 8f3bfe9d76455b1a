#pragma once

#include <QString>

#include <stdexcept>

// Ends the launch after a required table could not be had: the "Startup
// Failed" alert has been shown, nothing more is loaded, and the program's
// entry point catches this and quits. Tests catch it instead.
class StartupFailure : public std::runtime_error {
public:
    explicit StartupFailure(const QString& message);

    QString message() const { return m_message; }

    // Shows the "Startup Failed" alert with `message`, then throws.
    [[noreturn]] static void raise(const QString& message);

    // The alert alone, for failures the program survives.
    static void showAlert(const QString& message);

private:
    QString m_message;
};
