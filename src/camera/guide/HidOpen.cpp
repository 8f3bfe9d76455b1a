#include "camera/guide/HidOpen.h"

QString hidOpenFailure(HidOpen outcome)
{
    switch (outcome) {
    case HidOpen::Opened:
        break;
    case HidOpen::NotFound:
        return QStringLiteral("No adapter was found on the USB bus.");
    case HidOpen::SeveralFound:
        return QStringLiteral("More than one adapter is attached; attach only one.");
    case HidOpen::NotOpened:
        return QStringLiteral("The adapter could not be opened; the udev rule that lets users reach it may "
                              "be missing.");
    case HidOpen::NoAnswer:
        return QStringLiteral("The adapter did not answer in time.");
    case HidOpen::NoSupport:
        return QStringLiteral("The program's support for USB adapters is not installed.");
    }
    return {};
}
