#pragma once

#include <QString>

#include <functional>
#include <type_traits>

class DebugLog;

// Writes the transport's debug lines to the program's log while debugging
// is on; a line is built only then. Without a log nothing is written.
class DebugWriter {
public:
    DebugWriter() = default;
    DebugWriter(std::function<bool()> isDebug, const DebugLog* log)
        : m_isDebug(std::move(isDebug)), m_log(log) {}

    bool isOn() const { return m_log != nullptr && m_isDebug && m_isDebug(); }

    // Takes the line, or something that builds it only when debugging is on.
    template <typename Line>
    void operator()(Line&& line) const
    {
        if (!isOn())
            return;
        if constexpr (std::is_invocable_v<Line>)
            write(line());
        else
            write(QString(line));
    }

private:
    void write(const QString& line) const;

    std::function<bool()> m_isDebug;
    const DebugLog* m_log = nullptr;
};
