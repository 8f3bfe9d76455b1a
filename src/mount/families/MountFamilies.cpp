#include "mount/families/MountFamilies.h"

#include "mount/MountProtocols.h"
#include "mount/families/GeminiFamily.h"
#include "mount/families/LX200Family.h"

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
    default:
        return nullptr;
    }
}
