#pragma once

#include "mount/dome/DomeMount.h"

#include <QCoreApplication>
#include <QPointer>

#include <utility>

// Runs `work` on the mount's worker and hands what it returns to
// `then(owner, result)` on the main thread, only while `owner` is there:
// a controller destroyed meanwhile hears nothing, and the work touches
// nothing of it.
template <typename Owner, typename Work, typename Then>
void postRoundTrip(DomeMount& mount, Owner& owner, Work work, Then then)
{
    const QPointer<Owner> self(&owner);
    mount.postWork([self, work = std::move(work), then = std::move(then)] {
        auto result = work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, result = std::move(result), then] {
                if (self)
                    then(*self, result);
            },
            Qt::QueuedConnection);
    });
}
