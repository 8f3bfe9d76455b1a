#pragma once

#include <QObject>

// The machine going to sleep and waking, from logind on the system bus.
// Without a system bus (containers, CI) it stays silent.
class SleepWatch final : public QObject {
    Q_OBJECT
public:
    explicit SleepWatch(QObject* parent = nullptr);
    bool isWatching() const { return m_isWatching; }

signals:
    void willSleep();
    void didWake();

private slots:
    void prepareForSleep(bool sleeping);

private:
    bool m_isWatching = false;
};
