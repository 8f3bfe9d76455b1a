#include "platform/MainThreadCall.h"

#include "platform/ThreadInbox.h"

#include <QCoreApplication>

void MainThreadCall::post(std::function<void()> work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    static ThreadInbox* const calls = [app] {
        auto* created = new ThreadInbox;
        created->moveToThread(app->thread());
        return created;
    }();
    calls->post(std::move(work));
}
