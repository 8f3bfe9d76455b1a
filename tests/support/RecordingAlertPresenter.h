#pragma once

#include "platform/AlertPanel.h"

#include <QString>

#include <vector>

// Records the alerts and beeps a test provokes instead of showing them.
// Install it for the length of a test with ScopedAlertRecorder.
struct RecordedAlert {
    QString title;
    QString message;
};

class RecordingAlertPresenter final : public AlertPresenter {
public:
    RecordingAlertPresenter(std::vector<RecordedAlert>& alerts, int& beeps, bool& choice)
        : m_alerts(alerts), m_beeps(beeps), m_choice(choice) {}
    void showAlert(const QString& title, const QString& message) override
    {
        m_alerts.push_back({title, message});
    }
    bool showChoice(const QString& title, const QString& message, const QString&,
                    const QString&) override
    {
        m_alerts.push_back({title, message});
        return m_choice;
    }
    void beep() override { ++m_beeps; }

private:
    std::vector<RecordedAlert>& m_alerts;
    int& m_beeps;
    bool& m_choice;
};

class ScopedAlertRecorder {
public:
    ScopedAlertRecorder()
    {
        AlertPanel::setPresenter(std::make_unique<RecordingAlertPresenter>(alerts, beeps, choice));
    }
    ~ScopedAlertRecorder() { AlertPanel::setPresenter(nullptr); }
    ScopedAlertRecorder(const ScopedAlertRecorder&) = delete;
    ScopedAlertRecorder& operator=(const ScopedAlertRecorder&) = delete;

    std::vector<RecordedAlert> alerts;
    int beeps = 0;
    bool choice = true;  // what a two-button alert answers
};
