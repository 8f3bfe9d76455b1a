#pragma once

#include "camera/canon/Gphoto2Device.h"

#include <QElapsedTimer>
#include <QThread>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>

// A camera behind the gphoto2 calls as libgphoto2 runs one: every call takes
// its time, a capture can be refused, a transfer can fail part of the way,
// settings changed by a write or on the body are reported through the event
// queue, and a release ends in a new file when asked to. It keeps its state
// in a block the test holds and notes which threads called it; a file fetch
// can be slow, cancellable or stuck until let go.
class FakeGphoto2Device final : public Gphoto2Device {
public:
    struct State {
        std::mutex mutex;
        std::map<QString, QString> config{{"iso", "800"},
                                          {"batterylevel", "50%"},
                                          {"capturetarget", "Internal RAM"},
                                          {"shutterspeed", "30"}};
        std::map<QString, QStringList> choices{{"capturetarget", {"Internal RAM", "Memory card"}}};
        std::deque<Event> events;
        QByteArray file = QByteArray("RAW!").repeated(150'000);
        QByteArray frame = "jpeg frame";
        // How long every call takes, and a capture or release on top.
        std::atomic<int> callMs{0};
        std::atomic<int> commandMs{0};
        std::atomic<int> fetchMs{0};
        std::atomic<int> readMs{0};
        // What a capture or a pressed release answers.
        std::atomic<Error> captureError{CanonIds::kOk};
        // A fetch fails once it is this far (0 to 1); below 0 it does not.
        double failFetchAt = -1;
        // Writes answer this until cleared.
        std::map<QString, Error> writeErrors;
        // Each capture, and each release after a press, adds a file.
        bool filesFromCaptures = false;
        int fileNumber = 0;
        bool cameraGone = false;
        // The detection finds nothing; the session start fails with this
        // code and libgphoto2's words for it.
        bool noCamera = false;
        std::atomic<Error> initError{CanonIds::kOk};
        QString errorText;
        // A fetch that ignores cancelling and waits for this.
        std::atomic<bool> stuck{false};
        std::atomic<bool> fetching{false};
        std::set<Qt::HANDLE> threads;
        // Every value written, in order, by configuration name.
        std::map<QString, QStringList> writes;
        std::vector<QString> deleted;
        bool closed = false;
        // Calls that reach the camera (event polls aside), counted as they
        // begin, and the event polls that found nothing to report.
        std::atomic<int> calls{0};
        std::atomic<int> emptyPolls{0};
        std::atomic<int> fetches{0};

        // A setting turned on the camera itself.
        void changeOnBody(const QString& name, const QString& value)
        {
            const std::lock_guard lock(mutex);
            config[name] = value;
            events.push_back({false, {}, {}, false, name});
        }
        void addFile(const QString& name)
        {
            const std::lock_guard lock(mutex);
            events.push_back({true, "/store_00010001/DCIM/100CANON", name, false, {}});
        }
        QString value(const QString& name)
        {
            const std::lock_guard lock(mutex);
            return config[name];
        }
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
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        const std::lock_guard lock(m_state->mutex);
        found.clear();
        if (!m_state->noCamera)
            found.push_back({modelLocked(), "usb:001,002"});
        return CanonIds::kOk;
    }
    Error open(const Found&, bool& canPreview) override
    {
        canPreview = true;
        return takeTime();
    }
    void close() override { noteThread(); }
    Error init() override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        return m_state->initError;
    }
    Error exit() override { return takeTime(); }
    bool hasConfig(const char* name) override
    {
        takeTime();
        const std::lock_guard lock(m_state->mutex);
        return m_state->config.count(name) > 0;
    }
    Error readConfig(const char* name, QString& value) override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
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
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        const QString key = QString::fromLatin1(name);
        if (key == "eosremoterelease")
            return release(value);
        const std::lock_guard lock(m_state->mutex);
        m_state->writes[key] << value;
        if (const auto refused = m_state->writeErrors.find(key); refused != m_state->writeErrors.end())
            return refused->second;
        m_state->config[key] = value;
        // The camera reports the program's own change as any other.
        m_state->events.push_back({false, {}, {}, false, key});
        return CanonIds::kOk;
    }
    Error configChoices(const char* name, QStringList& choices) override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        const std::lock_guard lock(m_state->mutex);
        choices = m_state->choices[QString::fromLatin1(name)];
        return CanonIds::kOk;
    }
    Error triggerCapture() override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        QThread::msleep(static_cast<unsigned long>(m_state->commandMs.load()));
        if (const Error refused = m_state->captureError; refused != CanonIds::kOk)
            return refused;
        addCapturedFile();
        return CanonIds::kOk;
    }
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
            event.more = !m_state->events.empty();
        } else {
            ++m_state->emptyPolls;
        }
        return CanonIds::kOk;
    }
    Error fileSize(const QString&, const QString&, std::optional<quint64>& size) override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        const std::lock_guard lock(m_state->mutex);
        size = static_cast<quint64>(m_state->file.size());
        return CanonIds::kOk;
    }
    Error fileGet(const QString&, const QString&, qint64, const Progress& progress, QByteArray& bytes) override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        ++m_state->fetches;
        m_state->fetching = true;
        QElapsedTimer clock;
        clock.start();
        double failAt = -1;
        {
            const std::lock_guard lock(m_state->mutex);
            failAt = m_state->failFetchAt;
        }
        while (m_state->stuck || clock.elapsed() < m_state->fetchMs) {
            if (m_cancelled && !m_state->stuck)
                return CanonIds::kErrInternal;
            if (gone())
                return CanonIds::kErrInternal;
            const double done = m_state->fetchMs > 0 ? double(clock.elapsed()) / m_state->fetchMs : 0;
            if (failAt >= 0 && done >= failAt)
                return CanonIds::kErrInternal;
            if (progress && !m_state->stuck)
                progress(std::min(done, 1.0));
            QThread::msleep(5);
        }
        if (failAt >= 0 || gone())
            return CanonIds::kErrInternal;
        const std::lock_guard lock(m_state->mutex);
        bytes = m_state->file;
        return CanonIds::kOk;
    }
    Error fileDelete(const QString&, const QString& name) override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        const std::lock_guard lock(m_state->mutex);
        m_state->deleted.push_back(name);
        return CanonIds::kOk;
    }
    Error capturePreview(QByteArray& jpeg) override
    {
        if (const Error error = takeTime(); error != CanonIds::kOk)
            return error;
        const std::lock_guard lock(m_state->mutex);
        jpeg = m_state->frame;
        return jpeg.isEmpty() ? CanonIds::kErrDeviceBusy : CanonIds::kOk;
    }
    QString errorText() const override
    {
        const std::lock_guard lock(m_state->mutex);
        return m_state->errorText;
    }

    static Factory factory(std::shared_ptr<State> state)
    {
        return [state](const std::atomic<bool>& cancelled) {
            return std::make_unique<FakeGphoto2Device>(state, cancelled);
        };
    }

private:
    QString modelLocked()
    {
        const auto found = m_state->config.find("cameramodel");
        return found == m_state->config.end() ? QStringLiteral("Canon EOS 60D") : found->second;
    }
    bool gone()
    {
        const std::lock_guard lock(m_state->mutex);
        return m_state->cameraGone;
    }
    // Every call holds the camera a while; an unplugged camera answers nothing.
    Error takeTime()
    {
        ++m_state->calls;
        noteThread();
        QThread::msleep(static_cast<unsigned long>(m_state->callMs.load()));
        return gone() ? CanonIds::kErrInternal : CanonIds::kOk;
    }
    Error release(const QString& value)
    {
        QThread::msleep(static_cast<unsigned long>(m_state->commandMs.load()));
        const bool press = value.startsWith("Press");
        bool pressed = false;
        {
            const std::lock_guard lock(m_state->mutex);
            m_state->writes["eosremoterelease"] << value;
            if (press && m_state->captureError != CanonIds::kOk)
                return m_state->captureError;
            pressed = m_state->config["eosremoterelease"].startsWith("Press");
            m_state->config["eosremoterelease"] = value;
        }
        if (!press && pressed)
            addCapturedFile();
        return CanonIds::kOk;
    }
    void addCapturedFile()
    {
        const std::lock_guard lock(m_state->mutex);
        if (m_state->filesFromCaptures)
            m_state->events.push_back({true, "/store_00010001/DCIM/100CANON",
                                       QString::asprintf("IMG_%04d.CR2", ++m_state->fileNumber), false, {}});
    }
    void noteThread()
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->threads.insert(QThread::currentThreadId());
    }

    std::shared_ptr<State> m_state;
    const std::atomic<bool>& m_cancelled;
};
