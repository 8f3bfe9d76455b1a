#pragma once

#include <QString>

// The program's code that needs large system libraries (cameras, movies,
// image files, speech, USB HID, and what a start does not use: the focus
// fit, calendars, printing, the photographic horizon, the companion server's
// property lists and discovery) lives in shared modules beside the program,
// so that a start maps none of those libraries. A module is loaded the
// first time one of its entries is asked for and stays loaded: the objects
// it made run its code until the program ends. Thread-safe: device workers
// may ask from their own threads.
namespace DeviceModule {

struct Entry {
    void* address = nullptr;  // null when the module or the entry was not found
    QString error;            // why, in sentences that name the module's file
};

// The entry `symbol` of `module`, the module's file name without folder,
// "lib" or ".so" ("norvane-speech"). The module is looked for beside the
// program (the build tree's bin/, where the tests also run), else in the
// installed lib/norvane-pro folder.
Entry find(const char* module, const char* symbol);

// "The support for `feature` is missing.": the title of the alert below.
QString missingTitle(const QString& feature);

// As find(), for a feature that cannot work without its module. When not
// found, the user is told once per feature and run, whichever of the
// program's threads asks: an alert (through AlertPanel, posted) titled by
// missingTitle(), `feature` in the user's words ("the webcam"), whose text
// names the missing file. A partial install thus says which support is
// missing. The error then reads "title why".
Entry findOrWarn(const char* module, const char* symbol, const QString& feature);

// The entry as the function type the module declares, reported as
// findOrWarn reports it; null when not found.
template <class Function>
Function* functionOrWarn(const char* module, const char* symbol, const QString& feature)
{
    return reinterpret_cast<Function*>(findOrWarn(module, symbol, feature).address);
}

}  // namespace DeviceModule
