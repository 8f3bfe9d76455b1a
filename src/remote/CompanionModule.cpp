#include "remote/CompanionModule.h"

#include "platform/DeviceModule.h"

const CompanionModule::Calls* CompanionModule::calls()
{
    static const Calls* const loaded = []() -> const Calls* {
        GetCalls* const get = DeviceModule::functionOrWarn<GetCalls>(
            kName, kCalls, QStringLiteral("the companion app server"));
        return get ? get() : nullptr;
    }();
    return loaded;
}
