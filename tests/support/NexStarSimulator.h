#pragma once

#include "MountSimulator.h"

#include <vector>

// A NexStar GPS or SynScan hand controller (single-letter commands, hex
// positions "RRRR,DDDD#", "#" after every command it takes), or in Ultima
// mode one whose commands end in CR, that echoes the handshake and whose
// gotos get no answer. Its two axes keep the rate of their last
// pass-through slew.
class NexStarSimulator final : public MountSimulator {
public:
    explicit NexStarSimulator(bool ultima = false);
    ~NexStarSimulator() { stop(); }

    // Position replies with one lead byte (11 bytes).
    void setLeadByte(bool lead) { m_lead = lead; }
    void setTrackMode(char mode) { m_trackMode = mode; }
    // Every pass-through slew command received, 8 bytes each.
    std::vector<QByteArray> slews() const;
    // The next `count` commands starting with `command` are carried out
    // but their replies are lost on the way.
    void loseReplies(char command, int count);
    // No goto runs and neither axis slews.
    bool isAtRest() const;

private:
    Response respond(const QByteArray& pending);
    Response answer(const QByteArray& pending);
    QByteArray positionReply() const;

    bool m_ultima;
    bool m_lead = false;
    char m_trackMode = 2;
    char m_lostCommand = 0;
    int m_lostReplies = 0;
    char m_altitudeRate = 0;
    char m_azimuthRate = 0;
};
