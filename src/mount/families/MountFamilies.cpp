#include "mount/families/MountFamilies.h"

#include "mount/MountProtocols.h"
#include "mount/families/FamilyInputs.h"
#include "mount/families/GeminiFamily.h"
#include "mount/families/IOptronFamily.h"
#include "mount/families/LX200Family.h"
#include "mount/families/NexStarFamily.h"
#include "mount/families/SkyCommanderFamily.h"
#include "mount/families/TemmaFamily.h"

std::shared_ptr<MountFamily> makeMountFamily(int protocol, const MountContext& context)
{
    switch (protocol) {
    case kProtocolLX200:
    case kProtocolLX200GPS:
    case kProtocolAstroPhysics:
    case kProtocolMeadeBasic:
        return std::make_shared<LX200Family>(protocol, context);
    case kProtocolGemini:
        return std::make_shared<GeminiFamily>(context);
    case kProtocolNexStarGPS:
    case kProtocolUltima:
    case kProtocolSynScan:
        return std::make_shared<NexStarFamily>(protocol, context, FamilyInputs::of(context));
    case kProtocolTemma:
        return std::make_shared<TemmaFamily>(context, FamilyInputs::of(context));
    case kProtocolIOptron:
    case kProtocolIEQ45:
        return std::make_shared<IOptronFamily>(protocol, context, FamilyInputs::of(context));
    case kProtocolSkyCommander:
    case kProtocolServoCat:
        return std::make_shared<SkyCommanderFamily>(protocol, context, FamilyInputs::of(context));
    default:
        return nullptr;
    }
}
