#pragma once

#include "camera/canon/Gphoto2Device.h"

struct _Camera;
struct _GPContext;

// The calls on libgphoto2 itself. The context's cancel hook reads the flag,
// so a long transfer stops when the backend shuts down.
class LibGphoto2Device final : public Gphoto2Device {
public:
    explicit LibGphoto2Device(const std::atomic<bool>& cancelled);
    ~LibGphoto2Device() override;
    LibGphoto2Device(const LibGphoto2Device&) = delete;
    LibGphoto2Device& operator=(const LibGphoto2Device&) = delete;

    Error autodetect(std::vector<Found>& found) override;
    Error open(const Found& camera, bool& canPreview) override;
    void close() override;
    Error init() override;
    Error exit() override;
    bool hasConfig(const char* name) override;
    Error readConfig(const char* name, QString& value) override;
    Error writeConfig(const char* name, const QString& value) override;
    Error configChoices(const char* name, QStringList& choices) override;
    Error triggerCapture() override;
    Error waitForEvent(int timeoutMs, Event& event) override;
    Error fileSize(const QString& folder, const QString& name, std::optional<quint64>& size) override;
    Error fileGet(const QString& folder, const QString& name, qint64 maxBytes, const Progress& progress,
                  QByteArray& bytes) override;
    Error fileDelete(const QString& folder, const QString& name) override;
    Error capturePreview(QByteArray& jpeg) override;
    QString errorText() const override { return m_errorText; }

    // The transfer under way, for the context's progress reports.
    struct Transfer {
        const Progress* progress = nullptr;
        float target = 0;
    };

private:
    // The result as a Canon code, its words kept when it failed.
    Error noted(int result);

    const std::atomic<bool>& m_cancelled;
    QString m_errorText;
    Transfer m_transfer;
    _GPContext* m_context = nullptr;
    _Camera* m_camera = nullptr;
};
