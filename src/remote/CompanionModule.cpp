#include "remote/CompanionModule.h"

#include "platform/DeviceModule.h"

const CompanionModule::Calls* CompanionModule::calls()
{
    static const Calls* const loaded = []() -> const Calls* {
        GetCalls* const get = DeviceModule::functionOrWarn<GetCalls>(
            kName, kCalls, QStringLiteral("The companion server cannot exchange property lists or be found"));
        return get ? get() : nullptr;
    }();
    return loaded;
}
