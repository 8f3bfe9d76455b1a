#include "mount/PanelCommand.h"

#include "mount/ScopeMessage.h"

namespace {

bool in(int code, int low, int high)
{
    return code >= low && code <= high;
}

// The ranges the LX200 and Gemini panels share.
MountOperation lx200Motion(int code)
{
    if (code < 10)
        return MountOperation::Slew;
    if (in(code, 10, 19))
        return MountOperation::SlewSpeed;
    if (in(code, 20, 24))
        return MountOperation::Focus;
    if (in(code, 25, 29))
        return MountOperation::FocusSpeed;
    return MountOperation::None;
}

MountOperation siteOperation(bool optionHeld)
{
    return optionHeld ? MountOperation::GetSite : MountOperation::SetSite;
}

PanelCommand lx200(int code, bool optionHeld)
{
    constexpr int kPark = 31;
    MountOperation op = lx200Motion(code);
    if (in(code, 30, 32))
        op = MountOperation::Command;
    else if (code == 33)
        op = MountOperation::SetDate;
    else if (code == 34)
        op = siteOperation(optionHeld);
    else if (in(code, 35, 49))
        op = MountOperation::SetBaudRate;
    return {op, code, 0, code != kPark};
}

PanelCommand gemini(int code, bool optionHeld)
{
    MountOperation op = lx200Motion(code);
    if (in(code, 30, 32) || code == 35)
        op = MountOperation::Command;
    else if (code == 33)
        op = MountOperation::SetDate;
    else if (code == 34)
        op = siteOperation(optionHeld);
    else if (in(code, 36, 49))
        op = MountOperation::SetBaudRate;
    else if (in(code, 50, 60))
        op = MountOperation::Mode;
    else if (in(code, 61, 70))
        op = MountOperation::GuideSpeed;
    else if (in(code, 71, 80))
        op = MountOperation::CenterSpeed;
    else if (in(code, 81, 90))
        op = MountOperation::MaxSlewSpeed;
    // A new baud rate leaves the mount unable to answer at the old one.
    return {op, code, 0, !in(code, 36, 49)};
}

PanelCommand temma(int code)
{
    PanelCommand command{MountOperation::None, code, 0, code < 20 || code > 40};
    if (code < 20)
        command.operation = MountOperation::Slew;
    else if (code == 20 || code == 21)
        command = {MountOperation::Sync, code, code == 21 ? 1 : 0, false};
    else if (in(code, 22, 39))
        command.operation = MountOperation::Command;
    else if (code == 40)
        command.operation = MountOperation::GuideRate;
    return command;
}

// iOptron and iEQ45: slews and speeds, then two ranges of their own.
PanelCommand iOptronKind(int code, MountOperation twenties)
{
    MountOperation op = MountOperation::None;
    if (code < 10)
        op = MountOperation::Slew;
    else if (in(code, 10, 19))
        op = MountOperation::SlewSpeed;
    else if (in(code, 20, 29))
        op = twenties;
    else if (in(code, 30, 39))
        op = MountOperation::Setup;
    return {op, code, 0, true};
}

// The Site button of the iOptron and iEQ45 panels.
constexpr int kIOptronSiteCode = 33;

}  // namespace

bool sendsSite(int messageId, int code, bool optionHeld)
{
    if (messageId == kScopeMsgIOptronCommand || messageId == kScopeMsgIEQ45Command)
        return code == kIOptronSiteCode;
    return panelCommand(messageId, code, optionHeld).operation == MountOperation::SetSite;
}

PanelCommand panelCommand(int messageId, int code, bool optionHeld)
{
    switch (messageId) {
    case kScopeMsgLX200Command:
        return lx200(code, optionHeld);
    case kScopeMsgTemmaCommand:
        return temma(code);
    case kScopeMsgNexStarCommand:
        return {code <= 9 ? MountOperation::Slew : MountOperation::None, code,
                optionHeld ? kSlewFlagOption : 0, code <= 9};
    case kScopeMsgGeminiCommand:
        return gemini(code, optionHeld);
    case kScopeMsgIOptronCommand:
        return iOptronKind(code, MountOperation::Park);
    case kScopeMsgIEQ45Command:
        return iOptronKind(code, MountOperation::Track);
    default:
        return {};
    }
}
