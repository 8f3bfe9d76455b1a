#pragma once

#include "camera/canon/Gphoto2Device.h"

#include <QElapsedTimer>
#include <QThread>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>

// A camera behind the gphoto2 calls, for the backend's threading: it keeps
// its state in a block the test holds, notes which threads called it, and
// can make a file fetch slow, cancellable or stuck until let go.
class FakeGphoto2Device final : public Gphoto2Device {
public:
    struct State {
        std::mutex mutex;
        std::map<QString, QString> config{{"iso", "800"},
                                          {"batterylevel", "50%"},
                                          {"capturetarget", "Internal RAM"},
                                          {"shutterspeed", "30"}};
        std::deque<Event> events;
        QByteArray file = QByteArray("RAW!").repeated(150'000);
        QByteArray frame = "jpeg frame";
        std::atomic<int> fetchMs{0};
        std::atomic<int> readMs{0};
        bool cameraGone = false;
        // A fetch that ignores cancelling and waits for this.
        std::atomic<bool> stuck{false};
        std::atomic<bool> fetching{false};
        std::set<Qt::HANDLE> threads;
        bool closed = false;
    };

    FakeGphoto2Device(std::shared_ptr<State> state, const std::atomic<bool>& cancelled)
        : m_state(std::move(state)), m_cancelled(cancelled)
    {
        noteThread();
    }
    ~FakeGphoto2Device() override
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->closed = true;
    }

    Error autodetect(std::vector<Found>& found) override
    {
        noteThread();
        found = {{"Canon EOS 60D", "usb:001,002"}};
        return CanonIds::kOk;
    }
    Error open(const Found&, bool& canPreview) override
    {
        noteThread();
        canPreview = true;
        return CanonIds::kOk;
    }
    void close() override { noteThread(); }
    Error init() override { return noteThread(); }
    Error exit() override { return noteThread(); }
    bool hasConfig(const char* name) override
    {
        noteThread();
        const std::lock_guard lock(m_state->mutex);
        return m_state->config.count(name) > 0;
    }
    Error readConfig(const char* name, QString& value) override
    {
        noteThread();
        QThread::msleep(static_cast<unsigned long>(m_state->readMs.load()));
        const std::lock_guard lock(m_state->mutex);
        const auto found = m_state->config.find(name);
        if (found == m_state->config.end())
            return CanonIds::kErrNotSupported;
        value = found->second;
        return CanonIds::kOk;
    }
    Error writeConfig(const char* name, const QString& value) override
    {
        noteThread();
        const std::lock_guard lock(m_state->mutex);
        m_state->config[name] = value;
        return CanonIds::kOk;
    }
    Error configChoices(const char* name, QStringList& choices) override
    {
        noteThread();
        choices = QString(name) == "capturetarget" ? QStringList{"Internal RAM", "Memory card"} : QStringList{};
        return CanonIds::kOk;
    }
    Error triggerCapture() override { return noteThread(); }
    Error waitForEvent(int, Event& event) override
    {
        noteThread();
        const std::lock_guard lock(m_state->mutex);
        if (m_state->cameraGone)
            return CanonIds::kErrInternal;
        event = {};
        if (!m_state->events.empty()) {
            event = m_state->events.front();
            m_state->events.pop_front();
        }
        return CanonIds::kOk;
    }
    Error fileSize(const QString&, const QString&, std::optional<quint64>& size) override
    {
        noteThread();
        const std::lock_guard lock(m_state->mutex);
        size = static_cast<quint64>(m_state->file.size());
        return CanonIds::kOk;
    }
    Error fileGet(const QString&, const QString&, qint64, QByteArray& bytes) override
    {
        noteThread();
        m_state->fetching = true;
        QElapsedTimer clock;
        clock.start();
        while (m_state->stuck || clock.elapsed() < m_state->fetchMs) {
            if (m_cancelled && !m_state->stuck)
                return CanonIds::kErrInternal;
            QThread::msleep(5);
        }
        const std::lock_guard lock(m_state->mutex);
        bytes = m_state->file;
        return CanonIds::kOk;
    }
    Error fileDelete(const QString&, const QString&) override { return noteThread(); }
    Error capturePreview(QByteArray& jpeg) override
    {
        noteThread();
        const std::lock_guard lock(m_state->mutex);
        jpeg = m_state->frame;
        return jpeg.isEmpty() ? CanonIds::kErrDeviceBusy : CanonIds::kOk;
    }

    static Factory factory(std::shared_ptr<State> state)
    {
        return [state](const std::atomic<bool>& cancelled) {
            return std::make_unique<FakeGphoto2Device>(state, cancelled);
        };
    }

private:
    Error noteThread()
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->threads.insert(QThread::currentThreadId());
        return CanonIds::kOk;
    }

    std::shared_ptr<State> m_state;
    const std::atomic<bool>& m_cancelled;
};
