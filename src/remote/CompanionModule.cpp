#include "remote/CompanionModule.h"

#include "platform/DeviceModule.h"

#include <QDebug>

const CompanionModule::Calls* CompanionModule::calls()
{
    static const Calls* const loaded = []() -> const Calls* {
        const DeviceModule::Entry entry = DeviceModule::find(kName, kCalls);
        if (!entry.address) {
            qWarning().noquote() << "The companion server cannot exchange property lists or be found:"
                                 << entry.error;
            return nullptr;
        }
        return reinterpret_cast<GetCalls*>(entry.address)();
    }();
    return loaded;
}
