#pragma once

#include "platform/MainThreadCall.h"

#include <QPointer>

#include <utility>

// Runs `work()` on a worker through `postWork`, then `answer(result)` on
// the main thread, and only while `receiver` still lives: a device's
// controller may go while its exchange is queued or running.
template <typename Receiver, typename PostWork, typename Work, typename Answer>
void postWithReply(PostWork&& postWork, Receiver* receiver, Work work, Answer answer)
{
    const QPointer<Receiver> self(receiver);
    postWork([self, work = std::move(work), answer = std::move(answer)]() mutable {
        auto result = work();
        MainThreadCall::post([self, answer = std::move(answer), result = std::move(result)] {
            if (self)
                answer(result);
        });
    });
}
