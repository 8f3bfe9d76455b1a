#pragma once

#include "MountSimulator.h"

#include <vector>

// A Temma II mount: frames ending in CR LF, RA as HHMM and hundredths of a
// minute, Dec as sDDMM and tenths of an arc minute. It knows where it
// points only after a "D" sync, keeps its pier side, and refuses gotos
// until synced.
class TemmaSimulator final : public MountSimulator {
public:
    TemmaSimulator();
    ~TemmaSimulator() { stop(); }

    void setSide(char side) { m_side = side; }
    void setStandBy(bool standBy) { m_standBy = standBy; }
    // Firmwares that never answer the slew query.
    void setSilentSlewQuery() { m_silentSlewQuery = true; }
    bool isSynced() const;
    // Every frame received, without its line end.
    std::vector<QByteArray> frames() const;

private:
    Response respond(const QByteArray& pending);
    Response answerFrame(const QByteArray& frame, qsizetype consumed);

    char m_side = 'W';
    bool m_synced = false;
    bool m_standBy = false;
    bool m_silentSlewQuery = false;
};
