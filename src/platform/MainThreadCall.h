#pragma once

#include <functional>

// Runs work handed over by another thread on the main thread, in the order
// it was posted, through a ThreadInbox the sanitizer can follow.
class MainThreadCall final {
public:
    // Any thread. The work runs once, on the main thread, while the
    // application runs.
    static void post(std::function<void()> work);
};
