#pragma once

#include "mount/families/LX200Family.h"

#include <optional>

// A Gemini (7): the LX200 command set plus its own handshake with a level
// check, native parameter frames for modes and speeds, the time zone, and
// the four sites a level-4 Gemini stores.
class GeminiFamily final : public LX200Family {
public:
    explicit GeminiFamily(const MountContext& context);

    bool connect() override;
    // The Gemini's own state answers while a goto runs: `S` until it arrives.
    bool slewDetect() override;
    bool run(const PanelCommand& command) override;

    // Settings read from the mount as panel codes; 0 when not recognised.
    int getGeminiSpeedMode();
    int getGeminiTrackMode();
    int getGeminiGuideSpeed();
    int getGeminiCenterSpeed();
    int getGeminiSlewSpeed();

private:
    bool commandGemini(int code);
    bool setGeminiDate();
    bool setGeminiSite();
    bool setGeminiMode(int code);
    bool setGeminiGuideSpeed(int code);
    bool setGeminiCenterSpeed(int code);
    bool setGeminiSlewSpeed(int code);
    // The answer to a get frame, without its checksum and `#`; none on failure.
    std::optional<QByteArray> readParameter(int id, quint16 expected);
    void show(MountPanelSetting setting, int code);
};
