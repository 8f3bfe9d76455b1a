#include "mount/ScopeControl.h"

// The hand-control panels' keys and direct stops run the connected family's
// operation on the main thread, as the generic slews do.

void ScopeControl::slewNexStar(int code, bool stop)
{
    runNow({MountOperation::Slew, code, stop ? 1 : 0, false});
}

void ScopeControl::slewTemma(int code, bool stop)
{
    runNow({MountOperation::Slew, code, stop ? 1 : 0, false});
}

void ScopeControl::slewLX200(int code)
{
    runNow({MountOperation::Slew, code, 0, false});
}

void ScopeControl::slewStopLX200(int code)
{
    runNow({MountOperation::Slew, code, 1, false});
}

void ScopeControl::slewIOptron(int code)
{
    runNow({MountOperation::Slew, code, 0, false});
}

void ScopeControl::slewIEQ45(int code)
{
    runNow({MountOperation::Slew, code, 0, false});
}

void ScopeControl::setNexStarSlewSpeed(int speed)
{
    runNow({MountOperation::SlewSpeed, speed, 0, false});
}

void ScopeControl::setNexStarTrackMode(int mode)
{
    runNow({MountOperation::Mode, mode, 0, false});
}

void ScopeControl::syncNexStar()
{
    runNow({MountOperation::Sync, 0, 1, false});
}

void ScopeControl::resetSynScanSync()
{
    runNow({MountOperation::Sync, 0, 0, false});
}
