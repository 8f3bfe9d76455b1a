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
    QString error;            // why, for the debug output
};

// The entry `symbol` of `module`, the module's file name without folder,
// "lib" or ".so" ("norvane-speech"). The module is looked for beside the
// program (the build tree's bin/, where the tests also run), else in the
// installed lib/norvane-pro folder.
Entry find(const char* module, const char* symbol);

// As find(); when not found, the error reads "`failure`: why" and goes to
// the warnings, for a feature that cannot work without its module.
Entry findOrWarn(const char* module, const char* symbol, const QString& failure);

// The entry as the function type the module declares; null when not found.
template <class Function>
Function* function(const char* module, const char* symbol)
{
    return reinterpret_cast<Function*>(find(module, symbol).address);
}

// The same, reported as findOrWarn reports it.
template <class Function>
Function* functionOrWarn(const char* module, const char* symbol, const QString& failure)
{
    return reinterpret_cast<Function*>(findOrWarn(module, symbol, failure).address);
}

}  // namespace DeviceModule
