#include "mount/ScopeMessage.h"

#include <cstring>

namespace {

template <class Value>
QByteArray bytesOf(const Value& value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof(Value));
}

template <class Value>
std::optional<Value> valueOf(const QByteArray& bytes)
{
    if (bytes.size() != qsizetype(sizeof(Value)))
        return std::nullopt;
    Value value;
    std::memcpy(&value, bytes.constData(), sizeof(Value));
    return value;
}

}  // namespace

ScopeMessage ScopeMessage::gotoMessage(double ra, double dec)
{
    return {kScopeMsgGoto, bytesOf(GotoPayload{ra, dec, 0}), {}, {}};
}

ScopeMessage ScopeMessage::command(int id, qint32 code, Qt::KeyboardModifiers modifiers)
{
    return {id, bytesOf(code), modifiers, {}};
}

ScopeMessage ScopeMessage::operationMessage(const PanelCommand& command)
{
    return {kScopeMsgOperation, {}, {}, command};
}

std::optional<GotoPayload> ScopeMessage::gotoTarget() const
{
    return valueOf<GotoPayload>(payload);
}

std::optional<qint32> ScopeMessage::code() const
{
    return valueOf<qint32>(payload);
}
