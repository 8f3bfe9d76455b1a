#pragma once

#include "mount/MountFamily.h"
#include "mount/families/FamilyInputs.h"
#include "mount/families/MountExchange.h"

#include <QByteArray>

#include <optional>

// Sky Commander (9), a digital setting circle, and ServoCAT (11), a drive:
// decimal hours and degrees on J2000, a CR poll, and a goto each.
class SkyCommanderFamily final : public MountFamily {
public:
    SkyCommanderFamily(int protocol, const MountContext& context, FamilyInputs inputs);

    bool connect() override;
    bool readPosition() override;
    bool gotoPosition(double ra, double dec) override;
    bool slewDetect() override { return false; }
    bool run(const PanelCommand&) override { return false; }

    struct J2000 {
        float hours;    // 0 <= h < 24
        float degrees;  // within ±90
    };
    // The target (radians of date) moved back to J2000 by the annual rates
    // of precession, in single precision, `years` of 365 days after J2000.
    static J2000 toJ2000(double ra, double dec, float years);
    // The goto commands, without the line end or checksum byte.
    static QByteArray skyCommanderGoto(const J2000& target);
    static QByteArray servoCatGoto(const J2000& target);

private:
    MountContext m_context;
    int m_protocol;
    FamilyInputs m_inputs;
    MountExchange m_exchange;
};
