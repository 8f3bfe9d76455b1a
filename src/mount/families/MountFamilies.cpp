#include "mount/families/MountFamilies.h"

#include "mount/MountProtocols.h"
#include "mount/families/IOptronFamily.h"
#include "mount/families/NexStarFamily.h"
#include "mount/families/SkyCommanderFamily.h"
#include "mount/families/TemmaFamily.h"

std::shared_ptr<MountFamily> makeMountFamily(int protocol, const MountContext& context,
                                             const FamilyInputs& inputs)
{
    switch (protocol) {
    case kProtocolNexStarGPS:
    case kProtocolUltima:
    case kProtocolSynScan: return std::make_shared<NexStarFamily>(protocol, context, inputs);
    case kProtocolTemma: return std::make_shared<TemmaFamily>(context, inputs);
    case kProtocolIOptron:
    case kProtocolIEQ45: return std::make_shared<IOptronFamily>(protocol, context, inputs);
    case kProtocolSkyCommander:
    case kProtocolServoCat: return std::make_shared<SkyCommanderFamily>(protocol, context, inputs);
    default: return nullptr;
    }
}
