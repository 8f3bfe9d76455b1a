#pragma once

#include <QtGlobal>

#include <functional>

// The SG-4 port's worker thread and the Connect menu's port choice as the
// SG-4 controller uses them.
class SG4Worker {
public:
    virtual ~SG4Worker() = default;
    // The port chosen in the Connect menu, from 1; 0 for none.
    virtual quint16 selectPort() const = 0;
    // Queues an exchange for the worker, started if need be.
    virtual void postWork(std::function<void()> work) = 0;
    // Has the worker run the image transfer (message 300), starting it when
    // it is not running.
    virtual void postImageDownload() = 0;
};
