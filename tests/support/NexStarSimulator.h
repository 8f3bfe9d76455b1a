#pragma once

#include "MountSimulator.h"

#include <vector>

// A NexStar GPS or SynScan hand controller (single-letter commands, hex
// positions "RRRR,DDDD#", "#" after every command it takes), or in Ultima
// mode one whose commands end in CR, that echoes the handshake and whose
// gotos get no answer.
class NexStarSimulator final : public MountSimulator {
public:
    explicit NexStarSimulator(bool ultima = false);
    ~NexStarSimulator() { stop(); }

    // Position replies with one lead byte (11 bytes).
    void setLeadByte(bool lead) { m_lead = lead; }
    void setTrackMode(char mode) { m_trackMode = mode; }
    // Every pass-through slew command received, 8 bytes each.
    std::vector<QByteArray> slews() const;

private:
    Response respond(const QByteArray& pending);
    QByteArray positionReply() const;

    bool m_ultima;
    bool m_lead = false;
    char m_trackMode = 2;
};
