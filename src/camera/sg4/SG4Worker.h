#pragma once

#include <QtGlobal>

// The mount's worker thread and Connect-menu port choice as the SG-4
// controller uses them.
class SG4Worker {
public:
    virtual ~SG4Worker() = default;
    // The port chosen in the Connect menu, from 1; 0 for none.
    virtual quint16 selectPort() const = 0;
    // Starts the worker unless it runs.
    virtual void launchThread() = 0;
    // Has the worker run the image transfer (message 300), starting it when
    // it is not running.
    virtual void postImageDownload() = 0;
};
