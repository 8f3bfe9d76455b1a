#pragma once

#include "MountSimulator.h"

// A Sky Commander (CR poll, "L99 HH.HHH sDD.DDD" + CR goto answered "A") or
// a ServoCAT ("g" goto with a checksum byte, unanswered). Positions are in
// decimal hours and degrees on J2000.
class SkyCommanderSimulator final : public MountSimulator {
public:
    explicit SkyCommanderSimulator(bool servoCat = false);
    ~SkyCommanderSimulator() { stop(); }

    int badChecksums() const;

private:
    Response respond(const QByteArray& pending);

    bool m_servoCat;
    int m_badChecksums = 0;
};
