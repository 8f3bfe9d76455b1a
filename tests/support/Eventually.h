#pragma once

#include <QTest>

// How long a test waits for the event it checks before it gives up: far
// beyond any transport's own time, so that only an event that never comes
// runs into it, however loaded the machine.
inline constexpr int kEventBackstopMs = 30000;

// Waits, the main thread's events handled meanwhile, until `happened`
// holds; false when the backstop passed first.
template <class Happened>
bool eventually(Happened happened, int backstopMs = kEventBackstopMs)
{
    return QTest::qWaitFor(happened, backstopMs);
}
