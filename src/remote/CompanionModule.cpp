#include "remote/CompanionModule.h"

#include "platform/DeviceModule.h"

const CompanionModule::Calls* CompanionModule::calls()
{
    static const Calls* const loaded = []() -> const Calls* {
        const DeviceModule::Entry entry = DeviceModule::findOrWarn(
            kName, kCalls, QStringLiteral("The companion server cannot exchange property lists or be found"));
        return entry.address ? reinterpret_cast<GetCalls*>(entry.address)() : nullptr;
    }();
    return loaded;
}
