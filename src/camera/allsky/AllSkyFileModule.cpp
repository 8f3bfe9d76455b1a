#include "camera/allsky/AllSkyFileModule.h"

#include "platform/DeviceModule.h"

const AllSkyFileModule::Calls* AllSkyFileModule::calls()
{
    static const Calls* const loaded = []() -> const Calls* {
        GetCalls* const get =
            DeviceModule::functionOrWarn<GetCalls>(kName, kCalls, QStringLiteral("all-sky image files"));
        return get ? get() : nullptr;
    }();
    return loaded;
}
